#include <dirent.h>
#include <pwd.h>
#include <time.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/linux/proc_file.h"
#include "platform/linux/sources.h"
#include "platform/system.h"

namespace qor::platform {

namespace {

// The first line of a small kernel file, without its line end.
std::string FirstLine(const std::string& path) {
  std::string text = linux_impl::ReadSmallFile(path.c_str(), 4096);
  auto end = text.find('\n');
  if (end != std::string::npos) text.resize(end);
  return text;
}

// The lock key's LED on any keyboard the kernel knows (inputN::capslock, ...).
bool LedLit(const char* suffix) {
  const std::string leds = linux_impl::CurrentSources().sysfs + "/class/leds";
  DIR* dir = ::opendir(leds.c_str());
  if (!dir) return false;
  bool lit = false;
  const std::size_t suffixLength = std::strlen(suffix);
  while (const dirent* entry = ::readdir(dir)) {
    std::string name = entry->d_name;
    if (name.size() <= suffixLength ||
        name.compare(name.size() - suffixLength, suffixLength, suffix) != 0)
      continue;
    std::string value = FirstLine(leds + "/" + name + "/brightness");
    if (!value.empty() && value != "0") {
      lit = true;
      break;
    }
  }
  ::closedir(dir);
  return lit;
}

}  // namespace

bool QueryComputerName(std::string& name) {
  char buffer[256] = {};
  if (::gethostname(buffer, sizeof buffer - 1) != 0) return false;
  name.assign(buffer, strnlen(buffer, 254));
  return true;
}

bool QueryUserName(std::string& name) {
  HResult size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
  passwd entry{};
  passwd* found = nullptr;
  if (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found)
    return false;
  name.assign(found->pw_name, strnlen(found->pw_name, 254));
  return true;
}

// Linux has no Windows folder; the disk step then finds no drive in it.
bool QueryWindowsFolder(std::string&) {
  return false;
}

// The boot-time clock counts suspended time too, as the Windows tick count does.
std::uint64_t MillisecondsSinceBoot() {
  timespec t{};
  if (::clock_gettime(CLOCK_BOOTTIME, &t) != 0) return 0;
  return static_cast<std::uint64_t>(t.tv_sec) * 1000u +
         static_cast<std::uint64_t>(t.tv_nsec) / 1000000u;
}

void ReadLocalClock(SystemTime& now) {
  timespec t{};
  ::clock_gettime(CLOCK_REALTIME, &t);
  tm local{};
  ::localtime_r(&t.tv_sec, &local);
  now.wYear = static_cast<std::uint16_t>(local.tm_year + 1900);
  now.wMonth = static_cast<std::uint16_t>(local.tm_mon + 1);
  now.wDayOfWeek = static_cast<std::uint16_t>(local.tm_wday);
  now.wDay = static_cast<std::uint16_t>(local.tm_mday);
  now.wHour = static_cast<std::uint16_t>(local.tm_hour);
  now.wMinute = static_cast<std::uint16_t>(local.tm_min);
  now.wSecond = static_cast<std::uint16_t>(local.tm_sec > 59 ? 59 : local.tm_sec);
  now.wMilliseconds = static_cast<std::uint16_t>(t.tv_nsec / 1000000);
}

// Only the lock keys' LEDs tell anything; where there are none, every lock reads off.
bool ReadKeyboardState(std::uint8_t (&state)[kKeyStateSize]) {
  std::memset(state, 0, kKeyStateSize);
  state[kVkCapital] = LedLit("::capslock") ? 1 : 0;
  state[kVkNumLock] = LedLit("::numlock") ? 1 : 0;
  state[kVkScroll] = LedLit("::scrolllock") ? 1 : 0;
  return true;
}

// The kernel exposes the firmware's DMI strings in place of the ROM image.
std::string ReadBiosText(std::uint32_t physicalAddress) {
  const char* file = nullptr;
  switch (physicalAddress) {
    case kBiosNameAddress:
      file = "bios_vendor";
      break;
    case kBiosCopyrightAddress:
      file = "bios_version";
      break;
    case kBiosDateAddress:
      file = "bios_date";
      break;
    case kBiosExtendedInfoAddress:
      file = "bios_release";
      break;
    default:
      return {};
  }
  std::string text = FirstLine(linux_impl::CurrentSources().sysfs + "/class/dmi/id/" + file);
  return text.substr(0, text.find('\0'));
}

// Linux has no version resources and no shell link object.
std::uint32_t FileVersionInfoSize(const char*) {
  return 0;
}
bool ReadFileVersionInfo(const char*, std::vector<std::uint8_t>&) {
  return false;
}
bool QueryFixedFileVersion(const std::vector<std::uint8_t>&, std::uint32_t&, std::uint32_t&) {
  return false;
}
bool QueryVersionText(const std::vector<std::uint8_t>&, const char*, std::string&) {
  return false;
}

HResult ComInitialize() {
  return kNotImplemented;
}
void ComUninitialize() {}
HResult CreateShellLinkObject(ComObject* link) {
  *link = 0;
  return kNotImplemented;
}
HResult QueryPersistFile(ComObject, ComObject* file) {
  *file = 0;
  return kNotImplemented;
}
void ReleaseComObject(ComObject) {}
HResult LoadPersistFile(ComObject, const std::string&) {
  return kNotImplemented;
}
HResult ResolveLinkTarget(ComObject, std::uint32_t) {
  return kNotImplemented;
}
HResult ReadLinkPath(ComObject, std::uint32_t, std::string&) {
  return kNotImplemented;
}
HResult ReadLinkArguments(ComObject, std::string&) {
  return kNotImplemented;
}

}  // namespace qor::platform
