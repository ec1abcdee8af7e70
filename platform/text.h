#pragma once
// Text comparison and number formatting as the user's locale does them.
#include <string_view>

namespace qor::platform {

// <0, 0, >0; ignores letter case the way the user's locale does.
int CompareTextNoCase(std::string_view a, std::string_view b);
// The user's decimal separator for "%f".
char DecimalSeparator();
// Whether the texts this platform's calls return are UTF-8 (false: single-byte
// Windows-1252, as every text the Windows ANSI calls return).
bool PlatformTextsAreUtf8();

}  // namespace qor::platform
