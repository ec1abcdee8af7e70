#pragma once
// Small text conversions shared by the areas.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace qor {

// Non-zero bytes up to the second zero byte in a row (or the buffer's end): a UTF-16
// text of characters below 256 becomes its 8-bit text, a multi-string the
// concatenation of its strings.
std::string StripZeroBytes(const std::uint8_t* buffer, std::size_t size);
// Replaces every occurrence of find, ignoring the case of a to z; replaced text is
// never searched again, and an empty find is never found.
std::string ReplaceTextNoCase(std::string_view source, std::string_view find,
                              std::string_view replacement);
std::string ReverseText(std::string_view s);
// Trims characters of code 32 or below, then removes every blank and every CR LF pair.
std::string StripBlanks(std::string_view s);
// Upper case of the letters a to z only, as the system compares.
std::string UpperAZ(std::string_view s);
// Leading and trailing characters of code 32 or below removed.
std::string_view TrimControls(std::string_view s);

}  // namespace qor
