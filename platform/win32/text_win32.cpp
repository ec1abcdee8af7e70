#include <windows.h>

#include "platform/text.h"

namespace qor::platform {

int CompareTextNoCase(std::string_view a, std::string_view b) {
  return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()),
                        b.data(), static_cast<int>(b.size())) -
         CSTR_EQUAL;
}

char DecimalSeparator() {
  char buffer[8] = {};
  if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buffer, sizeof buffer) > 0 && buffer[0])
    return buffer[0];
  return '.';
}

// The system reads every text through the ANSI calls, whose texts it takes as Windows-1252.
bool PlatformTextsAreUtf8() {
  return false;
}

}  // namespace qor::platform
