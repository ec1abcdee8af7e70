#pragma once
// Small reads of kernel-provided files: one open, one read, no stdio.
#include <cstdint>
#include <string>
#include <string_view>

namespace qor::platform::linux_impl {

// The whole file (at most max bytes); empty when it cannot be read.
std::string ReadSmallFile(const char* path, std::size_t max = 65536);
// A whole file mapped read-only: large databases are scanned in place, not copied.
class MappedFile {
 public:
  explicit MappedFile(const char* path);
  ~MappedFile();
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;
  std::string_view Text() const { return {data_, size_}; }

 private:
  const char* data_ = nullptr;
  std::size_t size_ = 0;
};

// The number after "key:" in a "key: value [kB]" file such as /proc/meminfo; -1 if absent.
std::int64_t FieldValue(std::string_view text, std::string_view key);

}  // namespace qor::platform::linux_impl
