#include "platform/shared_answers.h"
#include "platform/text.h"

namespace qor::platform {

// The program runs in the C locale, where only a to z have a case.
int CompareTextNoCase(std::string_view a, std::string_view b) {
  return CompareAsciiNoCase(a, b);
}

char DecimalSeparator() {
  return '.';
}

// Linux's sources (procfs, sysfs, host and user names) give UTF-8 or plain ASCII.
bool PlatformTextsAreUtf8() {
  return true;
}

}  // namespace qor::platform
