#pragma once
// The one error type every failure of the system is raised as; the information
// object's guard catches exactly this type and nothing else.
#include <exception>
#include <string>

namespace qor {

class Error : public std::exception {
 public:
  explicit Error(std::string message) : message_(std::move(message)) {}
  const std::string& Message() const noexcept { return message_; }
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
};

// C++ does not trap these, so every division the system makes checks explicitly.
inline constexpr const char* kDivideByZero = "Floating point division by zero";
inline constexpr const char* kInvalidFloatOp = "Invalid floating point operation";

// Divides as extended-precision hardware with its exceptions unmasked would:
// 0/0 is invalid, x/0 divides by zero.
long double CheckedDivide(long double numerator, long double denominator);

}  // namespace qor
