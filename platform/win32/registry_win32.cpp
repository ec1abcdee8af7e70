#include <windows.h>

#include "platform/registry.h"

namespace qor::platform {
namespace {

// The predefined roots are sign-extended 32-bit values on 64-bit Windows.
HKEY ToNative(HKey key) {
  if (key >= kHKeyClassesRoot && key <= kHKeyDynData)
    return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(key)));
  return reinterpret_cast<HKEY>(key);
}

}  // namespace

long OpenRegistryKey(HKey parent, const std::string& subKey, std::uint32_t access, HKey* result) {
  HKEY key = nullptr;
  LONG rc = RegOpenKeyExA(ToNative(parent), subKey.c_str(), 0, access, &key);
  *result = rc == ERROR_SUCCESS ? reinterpret_cast<HKey>(key) : 0;
  return rc;
}

long CloseRegistryKey(HKey key) {
  return ::RegCloseKey(ToNative(key));
}

long QueryRegistryValue(HKey key, const std::string& valueName, std::uint32_t* type,
                        std::uint8_t* data, std::uint32_t* size) {
  DWORD t = 0, s = size ? *size : 0;
  LONG rc =
      RegQueryValueExA(ToNative(key), valueName.c_str(), nullptr, &t, data, size ? &s : nullptr);
  if (type) *type = t;
  if (size) *size = s;
  return rc;
}

long EnumRegistryKey(HKey key, std::uint32_t index, std::string& name) {
  char buffer[256];
  DWORD length = sizeof buffer;
  LONG rc =
      RegEnumKeyExA(ToNative(key), index, buffer, &length, nullptr, nullptr, nullptr, nullptr);
  name.assign(buffer, rc == ERROR_SUCCESS ? length : 0);
  return rc;
}

long EnumRegistryValue(HKey key, std::uint32_t index, std::string& name) {
  static char buffer[16384];
  DWORD length = sizeof buffer;
  LONG rc =
      RegEnumValueA(ToNative(key), index, buffer, &length, nullptr, nullptr, nullptr, nullptr);
  name.assign(buffer, rc == ERROR_SUCCESS ? length : 0);
  return rc;
}

long QueryRegistryKeyInfo(HKey key, std::uint32_t* subKeys, std::uint32_t* values) {
  DWORD k = 0, v = 0;
  LONG rc = RegQueryInfoKeyA(ToNative(key), nullptr, nullptr, nullptr, &k, nullptr, nullptr, &v,
                             nullptr, nullptr, nullptr, nullptr);
  if (subKeys) *subKeys = k;
  if (values) *values = v;
  return rc;
}

void ForgetRegistryView() {}

}  // namespace qor::platform
