#pragma once
// Answers the Linux and fake platforms give alike, kept in one place so both behave
// as the system does: the registry's value query and letter case as the C locale sees it.
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "platform/registry.h"

namespace qor::platform {

// <0, 0, >0, raising only a to z: the comparison of a program in the C locale.
inline int CompareAsciiNoCase(std::string_view a, std::string_view b) {
  auto upper = [](unsigned char c) { return c >= 'a' && c <= 'z' ? c - 32 : c; };
  std::size_t n = a.size() < b.size() ? a.size() : b.size();
  for (std::size_t i = 0; i < n; ++i) {
    int d = upper(a[i]) - upper(b[i]);
    if (d != 0) return d;
  }
  return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

// A value query answered from a value's type and bytes: type and size always, the
// bytes when the caller's buffer holds them, else "more data" with the size needed.
inline long AnswerValueQuery(std::uint32_t valueType, const std::vector<std::uint8_t>& bytes,
                             std::uint32_t* type, std::uint8_t* data, std::uint32_t* size) {
  if (type) *type = valueType;
  auto needed = static_cast<std::uint32_t>(bytes.size());
  if (data) {
    if (!size || *size < needed) {
      if (size) *size = needed;
      return kErrorMoreData;
    }
    std::memcpy(data, bytes.data(), needed);
  }
  if (size) *size = needed;
  return kErrorSuccess;
}

}  // namespace qor::platform
