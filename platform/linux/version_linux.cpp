#include <sys/utsname.h>

#include <cstring>

#include "platform/version.h"

namespace qor::platform {

// Linux is no Windows: its platform id is none of the Windows ones, so nothing
// classifies it as a Windows kind. The numbers are the kernel release's.
inline constexpr std::uint32_t kPlatformLinux = 0x100;

bool GetVersionRecord(OsVersionInfo& info) {
  if (info.dwOSVersionInfoSize != kVersionInfoSize &&
      info.dwOSVersionInfoSize != kVersionInfoExSize)
    return false;
  struct utsname u;
  if (uname(&u) != 0) return false;
  std::uint32_t numbers[3] = {0, 0, 0};
  const char* p = u.release;
  for (int i = 0; i < 3 && *p; ++i) {
    while (*p >= '0' && *p <= '9')
      numbers[i] = numbers[i] * 10 + static_cast<std::uint32_t>(*p++ - '0');
    if (*p != '.') break;
    ++p;
  }
  info.dwMajorVersion = numbers[0];
  info.dwMinorVersion = numbers[1];
  info.dwBuildNumber = numbers[2];
  info.dwPlatformId = kPlatformLinux;
  std::memset(info.szCSDVersion, 0, sizeof info.szCSDVersion);
  return true;
}

}  // namespace qor::platform
