#pragma once
// The processor's clock, measured: time-stamp ticks counted over short windows of the
// high-resolution counter until three windows agree, then snapped to a common value.
#include <cstdint>

namespace qor {

struct ClockMeasurement {
  std::int32_t raw = 0;         // total cycles / total microseconds, MHz
  std::int32_t normalised = 0;  // after the tenths correction and snapping, MHz
  std::uint32_t cycles = 0;     // summed over all windows, wrapping at 2^32
  std::uint32_t microseconds = 0;
};

// Raises "Floating point division by zero" or "Invalid floating point operation"
// when a window comes to 0 µs. Without a high-resolution counter it measures
// nothing and answers zeros.
ClockMeasurement MeasureClock();

// Moves v to the nearer of the two common values around v mod 100 (a tie goes up).
std::int32_t SnapFrequency(std::int32_t v);

// An extended-precision quotient taken to the nearest integer, a half to the even
// neighbour; division by zero and 0/0 raise the floating-point errors.
std::int64_t NearestQuotient(long double numerator, long double denominator);

}  // namespace qor
