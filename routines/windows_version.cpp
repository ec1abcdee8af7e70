#include "routines/windows_version.h"

#include <cstring>
#include <string_view>

#include "platform/version.h"
#include "routines/text_routines.h"

namespace qor {
namespace {

TWindowsKind kind_ = wkUnknown;
bool isNT_ = false;
bool isWin2000_ = false;
std::string name_;
std::string classKeyRoot_;

struct NameRow {
  TWindowsKind kind;
  const char* name;
};
constexpr NameRow kNames[] = {
    {wkWin95, "Windows 95"},     {wkWin95OSR2, "Windows 95"},
    {wkWin98, "Windows 98"},     {wkWin98SE, "Windows 98"},
    {wkWinNT3, "Windows NT"},    {wkWinNT4, "Windows NT"},
    {wkWin2000, "Windows 2000"}, {wkWinME, "Windows Millenium Edition"},
    {wkWinXP, "Windows XP"},
};

}  // namespace

const TWindowsKind& WindowsKind = kind_;
const bool& IsNTFamily = isNT_;
const bool& IsWin2000 = isWin2000_;
const std::string& WindowsName = name_;
const std::string& ClassKeyRoot = classKeyRoot_;

TWindowsKind GetWindowsKind() {
  platform::OsVersionInfo info;
  info.dwOSVersionInfoSize = platform::kVersionInfoSize;
  platform::GetVersionRecord(info);  // a refusal leaves the zeroed record: unknown
  const auto major = info.dwMajorVersion, minor = info.dwMinorVersion;
  std::string_view service =
      TrimControls(std::string_view(info.szCSDVersion, strnlen(info.szCSDVersion, 128)));
  if (info.dwPlatformId == platform::kPlatformNT) {
    if (major == 5) return minor == 1 ? wkWinXP : wkWin2000;
    if (major == 3) return wkWinNT3;
    if (major == 4) return wkWinNT4;
    return wkUnknown;
  }
  if (major != 4) return wkUnknown;
  if (minor == 0) return service == "B" ? wkWin95OSR2 : wkWin95;
  if (minor == 10) return service == "A" ? wkWin98SE : wkWin98;
  if (minor == 90) return wkWinME;
  return wkUnknown;
}

void InitWindowsVersion() {
  kind_ = GetWindowsKind();
  isNT_ = kind_ == wkWinNT3 || kind_ == wkWinNT4 || kind_ == wkWin2000 || kind_ == wkWinXP;
  isWin2000_ = kind_ == wkWin2000;
  name_.clear();
  for (const auto& row : kNames)
    if (row.kind == kind_) name_ = row.name;
  classKeyRoot_ = isNT_ ? "SYSTEM\\CurrentControlSet\\Control\\Class"
                        : "SYSTEM\\CurrentControlSet\\Services\\Class";
}

}  // namespace qor
