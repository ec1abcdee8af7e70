#pragma once
// The registry reader every area uses. It never writes: both opens ask for read
// access only, so an account without administrative rights still sees machine keys.
#include <cstdint>
#include <string>
#include <string_view>

#include "base/string_list.h"
#include "platform/registry.h"

namespace qor {

class TRegistry {
 public:
  TRegistry() = default;
  ~TRegistry() { CloseKey(); }
  TRegistry(const TRegistry&) = delete;
  TRegistry& operator=(const TRegistry&) = delete;

  platform::HKey RootKey = platform::kHKeyCurrentUser;
  // The access KeyExists asks for.
  std::uint32_t Access = platform::kKeyRead;

  // The never-creating open. A leading backslash starts from the root; otherwise
  // the path is relative to the open key, if any. Success closes the previous key.
  bool OpenKey(std::string_view path);
  bool OpenKeyReadOnly(std::string_view path);
  void CloseKey();
  bool HasOpenKey() const { return current_ != 0; }

  // Cleared first; empty when no key is open or its information cannot be read.
  void GetKeyNames(TStringList& list) const;
  void GetValueNames(TStringList& list) const;

  bool ValueExists(std::string_view name) const;
  // -1 when the value cannot be queried.
  int GetDataSize(std::string_view name) const;
  // The raw type code; -1 when the value cannot be queried.
  long GetDataType(std::string_view name) const;

  // Missing or empty: "". Not text: "Invalid data type for '%s'". Ends at the first zero.
  std::string ReadString(std::string_view name) const;
  // Missing or longer than 4 bytes: "Failed to get data for '%s'"; not a dword:
  // "Invalid data type for '%s'".
  std::int32_t ReadInteger(std::string_view name) const;
  // Missing: 0 and the buffer untouched. Binary or a type the reader does not name,
  // of at most size bytes: copied, its size returned. Else "Invalid data type for '%s'".
  int ReadBinaryData(std::string_view name, void* buffer, int size) const;

  bool KeyExists(std::string_view path) const;

 private:
  bool Open(std::string_view path, std::uint32_t access);
  // Resolves a path to (base key, relative path) by the leading-backslash rule.
  platform::HKey BaseFor(std::string_view& path) const;
  platform::HKey current_ = 0;
};

}  // namespace qor
