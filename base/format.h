#pragma once
// Formatting by the system's own rules, which differ from printf's in small ways
// that show in the output: "%.0d" writes 0 as "0". "%x" writes lower-case digits
// (hardware addresses read "00:a0:c9"), "%X" upper-case ones (serial numbers).
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

namespace qor {

class FormatArg {
 public:
  FormatArg(int v) : value_(static_cast<std::int64_t>(v)) {}
  FormatArg(long v) : value_(static_cast<std::int64_t>(v)) {}
  FormatArg(long long v) : value_(static_cast<std::int64_t>(v)) {}
  FormatArg(unsigned v) : value_(static_cast<std::int64_t>(v)) {}
  FormatArg(unsigned long v) : value_(static_cast<std::int64_t>(v)) {}
  FormatArg(unsigned long long v) : value_(static_cast<std::int64_t>(v)) {}
  FormatArg(double v) : value_(v) {}
  FormatArg(long double v) : value_(static_cast<double>(v)) {}
  FormatArg(const char* v) : value_(std::string_view(v)) {}
  FormatArg(std::string_view v) : value_(v) {}
  FormatArg(const std::string& v) : value_(std::string_view(v)) {}

  const std::variant<std::int64_t, double, std::string_view>& Value() const { return value_; }

 private:
  std::variant<std::int64_t, double, std::string_view> value_;
};

// Supports %s, %d, %x and %f with optional '-', width and precision, and "%%".
// A directive whose argument is missing or of the wrong kind raises Error, as the
// system's formatter does.
std::string Format(std::string_view pattern, std::initializer_list<FormatArg> args);

}  // namespace qor
