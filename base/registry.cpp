#include "base/registry.h"

#include <cstring>
#include <vector>

#include "base/error.h"
#include "base/format.h"

namespace qor {
namespace {

[[noreturn]] void FailedToGet(std::string_view name) {
  throw Error(Format("Failed to get data for '%s'", {name}));
}
[[noreturn]] void InvalidType(std::string_view name) {
  throw Error(Format("Invalid data type for '%s'", {name}));
}

bool IsText(std::uint32_t type) {
  return type == platform::kRegSz || type == platform::kRegExpandSz;
}

// The types the reader has names for; everything else reads as raw bytes.
bool IsNamedType(std::uint32_t type) {
  return IsText(type) || type == platform::kRegDword;
}

}  // namespace

platform::HKey TRegistry::BaseFor(std::string_view& path) const {
  if (!path.empty() && path.front() == '\\') {
    path.remove_prefix(1);
    return RootKey;
  }
  return current_ != 0 ? current_ : RootKey;
}

bool TRegistry::Open(std::string_view path, std::uint32_t access) {
  platform::HKey base = BaseFor(path);
  platform::HKey key = 0;
  if (platform::OpenRegistryKey(base, std::string(path), access, &key) != platform::kErrorSuccess)
    return false;
  CloseKey();
  current_ = key;
  return true;
}

bool TRegistry::OpenKey(std::string_view path) {
  return Open(path, platform::kKeyRead);
}

bool TRegistry::OpenKeyReadOnly(std::string_view path) {
  return Open(path, platform::kKeyRead);
}

void TRegistry::CloseKey() {
  if (current_ != 0) {
    platform::CloseRegistryKey(current_);
    current_ = 0;
  }
}

void TRegistry::GetKeyNames(TStringList& list) const {
  list.Clear();
  std::uint32_t count = 0;
  if (current_ == 0 || platform::QueryRegistryKeyInfo(current_, &count, nullptr) != 0) return;
  std::string name;
  for (std::uint32_t i = 0; i < count; ++i) {
    if (platform::EnumRegistryKey(current_, i, name) != platform::kErrorSuccess) break;
    list.Add(name);
  }
}

void TRegistry::GetValueNames(TStringList& list) const {
  list.Clear();
  std::uint32_t count = 0;
  if (current_ == 0 || platform::QueryRegistryKeyInfo(current_, nullptr, &count) != 0) return;
  std::string name;
  for (std::uint32_t i = 0; i < count; ++i) {
    if (platform::EnumRegistryValue(current_, i, name) != platform::kErrorSuccess) break;
    list.Add(name);
  }
}

bool TRegistry::ValueExists(std::string_view name) const {
  return GetDataSize(name) >= 0;
}

int TRegistry::GetDataSize(std::string_view name) const {
  std::uint32_t type = 0, size = 0;
  if (platform::QueryRegistryValue(current_, std::string(name), &type, nullptr, &size) != 0)
    return -1;
  return static_cast<int>(size);
}

long TRegistry::GetDataType(std::string_view name) const {
  std::uint32_t type = 0, size = 0;
  if (platform::QueryRegistryValue(current_, std::string(name), &type, nullptr, &size) != 0)
    return -1;
  return static_cast<long>(type);
}

std::string TRegistry::ReadString(std::string_view name) const {
  int size = GetDataSize(name);
  if (size <= 0) return std::string();
  std::vector<std::uint8_t> data(size);
  std::uint32_t type = 0, got = static_cast<std::uint32_t>(size);
  if (platform::QueryRegistryValue(current_, std::string(name), &type, data.data(), &got) != 0)
    FailedToGet(name);
  if (!IsText(type)) InvalidType(name);
  const char* text = reinterpret_cast<const char*>(data.data());
  return std::string(text, strnlen(text, got));
}

std::int32_t TRegistry::ReadInteger(std::string_view name) const {
  std::uint8_t data[4] = {};
  std::uint32_t type = 0, size = sizeof data;
  if (platform::QueryRegistryValue(current_, std::string(name), &type, data, &size) != 0)
    FailedToGet(name);
  if (type != platform::kRegDword) InvalidType(name);
  std::int32_t value = 0;
  std::memcpy(&value, data, sizeof value);
  return value;
}

int TRegistry::ReadBinaryData(std::string_view name, void* buffer, int size) const {
  std::uint32_t type = 0, needed = 0;
  if (platform::QueryRegistryValue(current_, std::string(name), &type, nullptr, &needed) != 0)
    return 0;
  if (IsNamedType(type) || static_cast<std::int64_t>(needed) > size) InvalidType(name);
  std::uint32_t got = needed;
  if (platform::QueryRegistryValue(current_, std::string(name), &type,
                                   static_cast<std::uint8_t*>(buffer), &got) != 0)
    FailedToGet(name);
  return static_cast<int>(got);
}

bool TRegistry::KeyExists(std::string_view path) const {
  platform::HKey base = BaseFor(path);
  platform::HKey key = 0;
  if (platform::OpenRegistryKey(base, std::string(path), Access, &key) != platform::kErrorSuccess)
    return false;
  platform::CloseRegistryKey(key);
  return true;
}

}  // namespace qor
