#pragma once
// The operating system's version record.
#include <cstdint>

namespace qor::platform {

inline constexpr std::uint32_t kVersionInfoSize = 148;    // the basic record
inline constexpr std::uint32_t kVersionInfoExSize = 156;  // with service-pack and product fields

inline constexpr std::uint32_t kPlatformWin32s = 0;
inline constexpr std::uint32_t kPlatformWindows = 1;  // the 9x family
inline constexpr std::uint32_t kPlatformNT = 2;

struct OsVersionInfo {
  std::uint32_t dwOSVersionInfoSize = kVersionInfoSize;
  std::uint32_t dwMajorVersion = 0;
  std::uint32_t dwMinorVersion = 0;
  std::uint32_t dwBuildNumber = 0;
  std::uint32_t dwPlatformId = 0;
  char szCSDVersion[128] = {};
  // Filled only when dwOSVersionInfoSize is kVersionInfoExSize.
  std::uint16_t wServicePackMajor = 0;
  std::uint16_t wServicePackMinor = 0;
  std::uint16_t wSuiteMask = 0;
  std::uint8_t wProductType = 0;
  std::uint8_t wReserved = 0;
};

// Fills the record for the size its dwOSVersionInfoSize names; false when the
// system refuses that size (the record is then left as it was).
bool GetVersionRecord(OsVersionInfo& info);

}  // namespace qor::platform
