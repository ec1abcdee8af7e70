#pragma once
// Date-time values: days since 30 December 1899, the fraction being the time of day.
#include <cstdint>

namespace qor {

using TDateTime = double;

struct DateParts {
  int year = 0, month = 0, day = 0;
};

// Raise "Invalid argument to date encode" / "Invalid argument to time encode".
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int minute, int second, int millisecond);
DateParts DecodeDate(TDateTime value);
// 1 = Sunday .. 7 = Saturday.
int DayOfWeek(TDateTime value);
bool IsLeapYearValue(int year);

}  // namespace qor
