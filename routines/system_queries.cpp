#include "routines/system_queries.h"

#include <cstdint>
#include <string>
#include <vector>

#include "base/format.h"
#include "base/registry.h"
#include "platform/system.h"

namespace qor {
namespace {

// The platform receives file names in a 260-byte buffer: at most 259 characters.
std::string PathBuffer(std::string_view name) {
  return std::string(name.substr(0, 259));
}

bool Succeeded(platform::HResult code) {
  return code >= 0;
}

constexpr std::uint32_t kResolveNoUI = 1;
constexpr std::uint32_t kPathUncPriority = 2;

}  // namespace

void ReadFileVersion(std::string_view fileName, std::string& description, std::string& version) {
  description.clear();
  version.clear();
  if (fileName.empty()) return;
  const std::string name = PathBuffer(fileName);
  const std::uint32_t size = platform::FileVersionInfoSize(name.c_str());
  if (size == 0) return;
  std::vector<std::uint8_t> block(size);
  if (!platform::ReadFileVersionInfo(name.c_str(), block)) return;
  std::uint32_t ms = 0, ls = 0;
  if (platform::QueryFixedFileVersion(block, ms, ls))
    version = Format("%d.%d.%d.%d", {ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF});
  std::string text;
  if (platform::QueryVersionText(block, "\\StringFileInfo\\040904E4\\FileDescription", text))
    description = text;
}

std::string ReadComputerName() {
  std::string name;
  if (!platform::QueryComputerName(name)) name.clear();
  TRegistry registry;
  registry.RootKey = platform::kHKeyLocalMachine;
  if (registry.OpenKey("SYSTEM\\CurrentControlSet\\Control\\ComputerName\\ComputerName")) {
    if (registry.ValueExists("ComputerName")) name = registry.ReadString("ComputerName");
    registry.CloseKey();
  }
  return name;
}

std::string ReadUserName() {
  std::string name;
  if (!platform::QueryUserName(name)) name.clear();
  return name;
}

platform::HResult ResolveShellLink(std::string_view linkFile, std::string& target,
                                   std::string& arguments) {
  platform::HResult code = platform::ComInitialize();
  if (!Succeeded(code)) return code;
  platform::ComObject link = 0, file = 0;
  code = platform::CreateShellLinkObject(&link);
  if (!Succeeded(code)) {
    platform::ComUninitialize();
    return code;
  }
  code = platform::QueryPersistFile(link, &file);
  if (!Succeeded(code)) {
    platform::ReleaseComObject(link);
    platform::ComUninitialize();
    return code;
  }
  // The first failing step skips the rest.
  code = platform::LoadPersistFile(file, std::string(linkFile));
  if (Succeeded(code)) code = platform::ResolveLinkTarget(link, kResolveNoUI);
  if (Succeeded(code)) {
    std::string path;
    code = platform::ReadLinkPath(link, kPathUncPriority, path);
    if (Succeeded(code)) target = path;
  }
  if (Succeeded(code)) {
    std::string text;
    code = platform::ReadLinkArguments(link, text);
    if (Succeeded(code)) arguments = text;
  }
  platform::ReleaseComObject(file);
  platform::ReleaseComObject(link);
  platform::ComUninitialize();
  return code;
}

std::string GetWindowsFolder() {
  std::string path;
  if (!platform::QueryWindowsFolder(path)) path.clear();
  return path;
}

}  // namespace qor
