#include "info/cpu_clock.h"

#include <cmath>
#include <cstdlib>
#include <iterator>

#include "base/error.h"
#include "platform/cpu.h"

namespace qor {
namespace {

constexpr std::int32_t kSnapTable[] = {0, 20, 33, 50, 60, 66, 80, 90, 100};
constexpr std::uint32_t kSettleTicks = 50;
constexpr std::uint32_t kWindowTicks = 1000;
constexpr int kAgreeingPasses = 3;
constexpr int kMostPasses = 20;

std::uint32_t Low32(std::uint64_t v) {
  return static_cast<std::uint32_t>(v);
}

}  // namespace

std::int64_t NearestQuotient(long double numerator, long double denominator) {
  // The default rounding mode is to nearest, ties to even.
  return static_cast<std::int64_t>(std::nearbyintl(CheckedDivide(numerator, denominator)));
}

std::int32_t SnapFrequency(std::int32_t v) {
  const std::int32_t r = v % 100;
  for (int i = 1; i < static_cast<int>(std::size(kSnapTable)); ++i) {
    if (r < kSnapTable[i]) {
      if (r < kSnapTable[i - 1]) return v;  // a negative value: nothing to snap to
      const std::int32_t lower = kSnapTable[i - 1], upper = kSnapTable[i];
      return r - lower < upper - r ? v - r + lower : v - r + upper;
    }
  }
  return v;
}

ClockMeasurement MeasureClock() {
  ClockMeasurement result;
  const platform::ThreadHandle thread = platform::CurrentThreadHandle();
  std::uint64_t frequency64 = 0;
  if (!platform::ReadCounterFrequency(frequency64)) return result;
  const std::uint32_t frequency = Low32(frequency64);

  std::int64_t f1 = 0, f2 = 0, f3 = 0, sum = 0;
  int passes = 0;
  std::uint32_t totalCycles = 0, totalMicroseconds = 0;
  auto settled = [&] {
    return std::llabs(3 * f3 - sum) <= 3 && std::llabs(3 * f2 - sum) <= 3 &&
           std::llabs(3 * f1 - sum) <= 3;
  };
  do {
    ++passes;
    f1 = f2;
    f2 = f3;
    std::uint32_t c0 = Low32(platform::ReadCounter());
    std::uint32_t c1 = c0;
    // Time-critical only for the pass itself; a priority that cannot be read is
    // left alone.
    const int priority = platform::ReadThreadPriority(thread);
    const bool raise = priority != platform::kThreadPriorityErrorReturn;
    if (raise) platform::WriteThreadPriority(thread, platform::kThreadPriorityTimeCritical);
    // Each time stamp is read right after the counter reading that ends its loop.
    std::uint32_t s0 = 0, s1 = 0;
    do {
      c1 = Low32(platform::ReadCounter());
      s0 = Low32(platform::ReadTimeStamp());
    } while (c1 - c0 < kSettleTicks);
    c0 = c1;
    do {
      c1 = Low32(platform::ReadCounter());
      s1 = Low32(platform::ReadTimeStamp());
    } while (c1 - c0 < kWindowTicks);
    if (raise) platform::WriteThreadPriority(thread, priority);

    const std::uint32_t cycles = s1 - s0;
    // The product is formed in 32 bits, as the counter's low halves are.
    const std::uint32_t scaledTicks = (c1 - c0) * 100000u;
    const auto microseconds = static_cast<std::uint32_t>(
        NearestQuotient(scaledTicks, static_cast<long double>(frequency) / 10));
    totalMicroseconds += microseconds;
    totalCycles += cycles;
    f3 = NearestQuotient(cycles, microseconds);
    sum = f1 + f2 + f3;
  } while (passes < kAgreeingPasses || (passes < kMostPasses && !settled()));

  const std::uint32_t c = totalCycles, u = totalMicroseconds;
  std::int64_t tenths = NearestQuotient(c * 10u, u);
  const std::int64_t hundredths = NearestQuotient(c * 100u, u);
  if (hundredths - 10 * tenths >= 6) ++tenths;
  const std::int64_t raw = NearestQuotient(c, u);
  std::int64_t normalised = raw;
  if (tenths - 10 * raw >= 6) ++normalised;

  result.raw = static_cast<std::int32_t>(raw);
  result.normalised = SnapFrequency(static_cast<std::int32_t>(normalised));
  result.cycles = c;
  result.microseconds = u;
  return result;
}

}  // namespace qor
