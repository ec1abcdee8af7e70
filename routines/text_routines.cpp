#include "routines/text_routines.h"

namespace qor {

std::string StripZeroBytes(const std::uint8_t* buffer, std::size_t size) {
  std::string out;
  int zeros = 0;
  for (std::size_t i = 0; i < size; ++i) {
    if (buffer[i] == 0) {
      if (++zeros == 2) break;
      continue;
    }
    zeros = 0;
    out += static_cast<char>(buffer[i]);
  }
  return out;
}

std::string UpperAZ(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  return out;
}

std::string ReplaceTextNoCase(std::string_view source, std::string_view find,
                              std::string_view replacement) {
  if (find.empty()) return std::string(source);
  const std::string upperFind = UpperAZ(find);
  const std::string upperSource = UpperAZ(source);
  std::string out;
  std::size_t pos = 0;
  for (;;) {
    std::size_t hit = upperSource.find(upperFind, pos);
    if (hit == std::string::npos) break;
    out.append(source.substr(pos, hit - pos));
    out.append(replacement);
    pos = hit + find.size();
  }
  out.append(source.substr(pos));
  return out;
}

std::string ReverseText(std::string_view s) {
  return std::string(s.rbegin(), s.rend());
}

std::string_view TrimControls(std::string_view s) {
  while (!s.empty() && static_cast<unsigned char>(s.front()) <= 32) s.remove_prefix(1);
  while (!s.empty() && static_cast<unsigned char>(s.back()) <= 32) s.remove_suffix(1);
  return s;
}

std::string StripBlanks(std::string_view s) {
  std::string noBlanks;
  for (char c : TrimControls(s))
    if (c != ' ') noBlanks += c;
  std::string out;
  for (std::size_t i = 0; i < noBlanks.size(); ++i) {
    if (noBlanks[i] == '\r' && i + 1 < noBlanks.size() && noBlanks[i + 1] == '\n') {
      ++i;
      continue;
    }
    out += noBlanks[i];
  }
  return out;
}

}  // namespace qor
