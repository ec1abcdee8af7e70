#include "platform/linux/proc_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qor::platform::linux_impl {

std::string ReadSmallFile(const char* path, std::size_t max) {
  std::string out;
  int fd = ::open(path, O_RDONLY | O_CLOEXEC);
  if (fd < 0) return out;
  char buffer[4096];
  while (out.size() < max) {
    ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n <= 0) break;
    out.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(fd);
  if (out.size() > max) out.resize(max);
  return out;
}

MappedFile::MappedFile(const char* path) {
  int fd = ::open(path, O_RDONLY | O_CLOEXEC);
  if (fd < 0) return;
  struct stat info;
  if (::fstat(fd, &info) == 0 && info.st_size > 0) {
    void* p =
        ::mmap(nullptr, static_cast<std::size_t>(info.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
    if (p != MAP_FAILED) {
      data_ = static_cast<const char*>(p);
      size_ = static_cast<std::size_t>(info.st_size);
    }
  }
  ::close(fd);
}

MappedFile::~MappedFile() {
  if (data_) ::munmap(const_cast<char*>(data_), size_);
}

std::int64_t FieldValue(std::string_view text, std::string_view key) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    if (line.size() > key.size() && line.substr(0, key.size()) == key && line[key.size()] == ':') {
      std::int64_t v = 0;
      bool any = false;
      for (char c : line.substr(key.size() + 1)) {
        if (c >= '0' && c <= '9') {
          v = v * 10 + (c - '0');
          any = true;
        } else if (any) {
          break;
        }
      }
      return any ? v : -1;
    }
    pos = end + 1;
  }
  return -1;
}

}  // namespace qor::platform::linux_impl
