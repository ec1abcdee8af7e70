#include "report/encoding.h"

#include <cstdint>

namespace qor::report {
namespace {

// Windows-1252 bytes 0x80 to 0x9F; the rest of the upper half is Latin-1.
constexpr char16_t kHigh[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendWindows1252(std::string& out, unsigned char byte) {
  std::uint32_t cp = byte >= 0x80 && byte < 0xA0 ? kHigh[byte - 0x80] : byte;
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | cp >> 6);
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | cp >> 12);
    out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Length of the well-formed UTF-8 sequence at i (no overlong forms, no surrogates,
// nothing past U+10FFFF), or 0.
std::size_t SequenceLength(std::string_view s, std::size_t i) {
  auto at = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
  unsigned char b = at(i);
  if (b < 0x80) return 1;
  std::size_t n;
  unsigned char lo = 0x80, hi = 0xBF;  // the range of the second byte
  if (b >= 0xC2 && b <= 0xDF) {
    n = 2;
  } else if (b >= 0xE0 && b <= 0xEF) {
    n = 3;
    if (b == 0xE0) lo = 0xA0;
    if (b == 0xED) hi = 0x9F;
  } else if (b >= 0xF0 && b <= 0xF4) {
    n = 4;
    if (b == 0xF0) lo = 0x90;
    if (b == 0xF4) hi = 0x8F;
  } else {
    return 0;
  }
  if (i + n > s.size()) return 0;
  if (at(i + 1) < lo || at(i + 1) > hi) return 0;
  for (std::size_t k = 2; k < n; ++k)
    if (at(i + k) < 0x80 || at(i + k) > 0xBF) return 0;
  return n;
}

}  // namespace

std::string Utf8FromWindows1252(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) AppendWindows1252(out, static_cast<unsigned char>(c));
  return out;
}

std::string Utf8FromMixed(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    std::size_t n = SequenceLength(text, i);
    if (n == 0) {
      AppendWindows1252(out, static_cast<unsigned char>(text[i]));
      ++i;
    } else {
      out.append(text.substr(i, n));
      i += n;
    }
  }
  return out;
}

std::string Utf8FromPlatform(std::string_view text, bool platformTextsAreUtf8) {
  return platformTextsAreUtf8 ? Utf8FromMixed(text) : Utf8FromWindows1252(text);
}

}  // namespace qor::report
