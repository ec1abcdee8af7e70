#include "routines/seconds_to_text.h"

#include <cmath>
#include <string_view>

#include "base/format.h"

namespace qor {
namespace {

struct Unit {
  std::int64_t seconds;
  const char* singular;
  const char* plural;
};

// Calendar units are fixed lengths: a year of 365.5 days, a month of 31.
constexpr Unit kUnits[] = {
    {3157920000, " Century, ", " Centuries, "},
    {31579200, " Year, ", " Years, "},
    {2678400, " Month, ", " Months, "},
    {604800, " Week, ", " Weeks, "},
    {86400, " Day, ", " Days, "},
    {3600, " Hour, ", " Hours, "},
    {60, " Minute, ", " Minutes, "},
};
enum { kCentury, kYear, kMonth, kWeek, kDay, kHour, kMinute, kUnitCount };

// Counts are 16-bit unsigned, as the system stores them.
std::int64_t AsWord(std::int64_t v) {
  return static_cast<std::uint16_t>(v);
}

}  // namespace

std::string SecondsToText(std::int64_t seconds, bool wholeSeconds, bool allUnits, bool numeric) {
  std::int64_t count[kUnitCount];
  std::int64_t rest = seconds;
  for (int u = 0; u < kUnitCount; ++u) {
    count[u] = rest / kUnits[u].seconds;
    rest -= count[u] * kUnits[u].seconds;
  }
  double secondsPart = static_cast<double>(rest);
  if (wholeSeconds) secondsPart = std::trunc(secondsPart);

  if (numeric) {
    // Round half to even, as the system rounds.
    auto roundedSeconds = static_cast<std::int64_t>(std::nearbyint(secondsPart));
    if (!allUnits)
      return Format("%2.2d:%2.2d:%2.2d",
                    {AsWord(count[kHour]), AsWord(count[kMinute]), roundedSeconds});
    return Format("%2.2d.%2.2d.%2.2d %2.2d:%2.2d:%2.2d",
                  {AsWord(count[kYear]), AsWord(count[kMonth]),
                   AsWord(count[kDay]) + 7 * AsWord(count[kWeek]), AsWord(count[kHour]),
                   AsWord(count[kMinute]), roundedSeconds});
  }

  int first = kUnitCount;
  if (allUnits) {
    first = 0;
  } else {
    for (int u = 0; u < kUnitCount; ++u)
      if (AsWord(count[u]) >= 1) {
        first = u;
        break;
      }
  }
  std::string text;
  for (int u = first; u < kUnitCount; ++u) {
    std::int64_t n = AsWord(count[u]);
    text += Format("%.0d%s", {n, n == 1 ? kUnits[u].singular : kUnits[u].plural});
  }
  text += Format(wholeSeconds ? "%.0f%s" : "%.2f%s",
                 {secondsPart, secondsPart == 1.0 ? " Second." : " Seconds."});
  return text;
}

}  // namespace qor
