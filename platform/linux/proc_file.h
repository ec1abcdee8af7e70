#pragma once
// Small reads of kernel-provided files: one open, one read, no stdio.
#include <cstdint>
#include <string>
#include <string_view>

namespace qor::platform::linux_impl {

// The whole file (at most max bytes); empty when it cannot be read.
std::string ReadSmallFile(const char* path, std::size_t max = 65536);
// The number after "key:" in a "key: value [kB]" file such as /proc/meminfo; -1 if absent.
std::int64_t FieldValue(std::string_view text, std::string_view key);

}  // namespace qor::platform::linux_impl
