#include "platform/text.h"

namespace qor::platform {

// The program runs in the C locale, where only a to z have a case.
int CompareTextNoCase(std::string_view a, std::string_view b) {
  auto upper = [](unsigned char c) { return c >= 'a' && c <= 'z' ? c - 32 : c; };
  std::size_t n = a.size() < b.size() ? a.size() : b.size();
  for (std::size_t i = 0; i < n; ++i) {
    int d = upper(a[i]) - upper(b[i]);
    if (d != 0) return d;
  }
  return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

char DecimalSeparator() {
  return '.';
}

// Linux's sources (procfs, sysfs, host and user names) give UTF-8 or plain ASCII.
bool PlatformTextsAreUtf8() {
  return true;
}

}  // namespace qor::platform
