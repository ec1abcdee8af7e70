#include "base/format.h"

#include <cstdio>
#include <vector>

#include "base/error.h"
#include "platform/text.h"

namespace qor {
namespace {

struct Directive {
  bool left = false;
  int width = -1;
  int precision = -1;
  char type = 0;
};

std::string Pad(std::string body, const Directive& directive) {
  if (directive.width > 0 && static_cast<int>(body.size()) < directive.width) {
    std::string blanks(directive.width - body.size(), ' ');
    body = directive.left ? body + blanks : blanks + body;
  }
  return body;
}

std::string Integer(std::int64_t v, const Directive& directive, bool hex, bool upper) {
  std::uint64_t magnitude =
      v < 0 && !hex ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
  if (hex && v < 0) magnitude = static_cast<std::uint32_t>(v);  // hex writes the 32-bit pattern
  std::string digits;
  do {
    unsigned d = static_cast<unsigned>(hex ? magnitude % 16 : magnitude % 10);
    digits.insert(digits.begin(),
                  static_cast<char>(d < 10 ? '0' + d : (upper ? 'A' : 'a') + d - 10));
    magnitude /= hex ? 16 : 10;
  } while (magnitude != 0);
  if (directive.precision > static_cast<int>(digits.size()))
    digits.insert(0, directive.precision - digits.size(), '0');
  if (v < 0 && !hex) digits.insert(digits.begin(), '-');
  return Pad(digits, directive);
}

std::string Fixed(double v, const Directive& directive) {
  int precision = directive.precision < 0 ? 2 : directive.precision;
  char buffer[400];
  std::snprintf(buffer, sizeof buffer, "%.*f", precision, v);
  std::string text = buffer;
  char separator = platform::DecimalSeparator();
  if (separator != '.') {
    auto dot = text.find('.');
    if (dot != std::string::npos) text[dot] = separator;
  }
  return Pad(text, directive);
}

[[noreturn]] void BadFormat(std::string_view pattern) {
  throw Error("Format '" + std::string(pattern) + "' invalid or incompatible with argument");
}

}  // namespace

std::string Format(std::string_view pattern, std::initializer_list<FormatArg> args) {
  std::string out;
  auto next = args.begin();
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    char c = pattern[i];
    if (c != '%') {
      out += c;
      continue;
    }
    if (++i >= pattern.size()) BadFormat(pattern);
    if (pattern[i] == '%') {
      out += '%';
      continue;
    }
    Directive directive;
    if (pattern[i] == '-') {
      directive.left = true;
      ++i;
    }
    auto number = [&](int& target) {
      if (i < pattern.size() && pattern[i] >= '0' && pattern[i] <= '9') {
        target = 0;
        while (i < pattern.size() && pattern[i] >= '0' && pattern[i] <= '9')
          target = target * 10 + (pattern[i++] - '0');
      }
    };
    number(directive.width);
    if (i < pattern.size() && pattern[i] == '.') {
      ++i;
      directive.precision = 0;
      number(directive.precision);
    }
    if (i >= pattern.size()) BadFormat(pattern);
    directive.type = pattern[i];
    if (next == args.end()) BadFormat(pattern);
    const auto& value = next->Value();
    ++next;
    switch (directive.type) {
      case 'd':
      case 'D':
      case 'x':
      case 'X':
        if (!std::holds_alternative<std::int64_t>(value)) BadFormat(pattern);
        out += Integer(std::get<std::int64_t>(value), directive,
                       directive.type == 'x' || directive.type == 'X', directive.type == 'X');
        break;
      case 'f':
      case 'F':
        if (!std::holds_alternative<double>(value)) BadFormat(pattern);
        out += Fixed(std::get<double>(value), directive);
        break;
      case 's':
      case 'S': {
        if (!std::holds_alternative<std::string_view>(value)) BadFormat(pattern);
        std::string_view text = std::get<std::string_view>(value);
        if (directive.precision >= 0 && static_cast<std::size_t>(directive.precision) < text.size())
          text = text.substr(0, directive.precision);
        out += Pad(std::string(text), directive);
        break;
      }
      default:
        BadFormat(pattern);
    }
  }
  return out;
}

}  // namespace qor
