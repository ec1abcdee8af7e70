#pragma once
// The operating system's own places and settings: the environment block, the
// system and temporary folders, the shell's special folders and the time zone.
#include <cstdint>
#include <string>

#include "platform/system.h"

namespace qor::platform {

// The process environment, whole: zero-terminated NAME=value entries one after
// the other, ended by an empty entry. Empty when the system gives none.
std::string ReadEnvironmentBlock();

// The system folder (at most 259 characters); false when there is none.
bool QuerySystemFolder(std::string& path);
// The folder for temporary files (at most 259 characters); false when there is none.
bool QueryTempFolder(std::string& path);
// The separator between the parts of a path.
char PathDelimiter();

using WindowHandle = std::uintptr_t;
// The desktop window, the owner of the shell's folder queries.
WindowHandle DesktopWindowHandle();
// The file-system path of a shell folder (a CSIDL number); false when the folder
// does not exist or has no path.
bool QuerySpecialFolder(WindowHandle owner, int folder, std::string& path);

// The zone record: biases in minutes (universal = local + bias), names of at most
// 31 characters and a zero, and the two transition rules (month 0: none).
struct TimeZoneRecord {
  std::int32_t Bias = 0;
  char16_t StandardName[32] = {};
  SystemTime StandardDate;
  std::int32_t StandardBias = 0;
  char16_t DaylightName[32] = {};
  SystemTime DaylightDate;
  std::int32_t DaylightBias = 0;
};
void ReadTimeZone(TimeZoneRecord& zone);

}  // namespace qor::platform
