#include "platform/registry.h"

namespace qor::platform {

// Linux has no registry: every key is missing.
long OpenRegistryKey(HKey, const std::string&, std::uint32_t, HKey* result) {
  *result = 0;
  return kErrorFileNotFound;
}
long CloseRegistryKey(HKey) { return kErrorInvalidHandle; }
long QueryRegistryValue(HKey, const std::string&, std::uint32_t*, std::uint8_t*, std::uint32_t*) {
  return kErrorInvalidHandle;
}
long EnumRegistryKey(HKey, std::uint32_t, std::string&) { return kErrorInvalidHandle; }
long EnumRegistryValue(HKey, std::uint32_t, std::string&) { return kErrorInvalidHandle; }
long QueryRegistryKeyInfo(HKey, std::uint32_t*, std::uint32_t*) { return kErrorInvalidHandle; }

}  // namespace qor::platform
