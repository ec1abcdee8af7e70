#include <windows.h>

#include <cstring>

#include "platform/version.h"

namespace qor::platform {

bool GetVersionRecord(OsVersionInfo& info) {
  OSVERSIONINFOEXA raw;
  std::memset(&raw, 0, sizeof raw);
  // The basic record is 148 bytes, the extended one 156; old systems refuse the latter.
  raw.dwOSVersionInfoSize = info.dwOSVersionInfoSize == kVersionInfoExSize
                                ? sizeof(OSVERSIONINFOEXA)
                                : sizeof(OSVERSIONINFOA);
  if (!GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&raw))) return false;
  info.dwMajorVersion = raw.dwMajorVersion;
  info.dwMinorVersion = raw.dwMinorVersion;
  info.dwBuildNumber = raw.dwBuildNumber;
  info.dwPlatformId = raw.dwPlatformId;
  std::memcpy(info.szCSDVersion, raw.szCSDVersion, sizeof info.szCSDVersion);
  if (info.dwOSVersionInfoSize == kVersionInfoExSize) {
    info.wServicePackMajor = raw.wServicePackMajor;
    info.wServicePackMinor = raw.wServicePackMinor;
    info.wSuiteMask = raw.wSuiteMask;
    info.wProductType = raw.wProductType;
    info.wReserved = raw.wReserved;
  }
  return true;
}

}  // namespace qor::platform
