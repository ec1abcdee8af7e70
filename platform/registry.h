#pragma once
// The raw registry calls. Results are the system's error codes (0 for success).
#include <cstdint>
#include <string>

namespace qor::platform {

using HKey = std::uintptr_t;

inline constexpr HKey kHKeyClassesRoot = 0x80000000u;
inline constexpr HKey kHKeyCurrentUser = 0x80000001u;
inline constexpr HKey kHKeyLocalMachine = 0x80000002u;
inline constexpr HKey kHKeyUsers = 0x80000003u;
inline constexpr HKey kHKeyCurrentConfig = 0x80000005u;
inline constexpr HKey kHKeyDynData = 0x80000006u;

inline constexpr std::uint32_t kKeyAllAccess = 0xF003F;
inline constexpr std::uint32_t kKeyRead = 0x20019;
inline constexpr std::uint32_t kKeySetValue = 0x0002;  // part of kKeyAllAccess, not of kKeyRead

inline constexpr std::uint32_t kRegNone = 0;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kRegMultiSz = 7;

inline constexpr long kErrorSuccess = 0;
inline constexpr long kErrorFileNotFound = 2;
inline constexpr long kErrorAccessDenied = 5;
inline constexpr long kErrorInvalidHandle = 6;
inline constexpr long kErrorMoreData = 234;
inline constexpr long kErrorNoMoreItems = 259;

long OpenRegistryKey(HKey parent, const std::string& subKey, std::uint32_t access, HKey* result);
long CloseRegistryKey(HKey key);
// data may be null to ask for type and size only; size is in and out.
long QueryRegistryValue(HKey key, const std::string& valueName, std::uint32_t* type,
                        std::uint8_t* data, std::uint32_t* size);
long EnumRegistryKey(HKey key, std::uint32_t index, std::string& name);
long EnumRegistryValue(HKey key, std::uint32_t index, std::string& name);
long QueryRegistryKeyInfo(HKey key, std::uint32_t* subKeys, std::uint32_t* values);

// Drops any registry view built from the system for an earlier refresh, so the next
// open reads the system afresh (Linux builds its view from sysfs; Windows has nothing to drop).
void ForgetRegistryView();

}  // namespace qor::platform
