#pragma once
// The calendar arithmetic behind time-zone transition dates. Weekdays run from
// 1 = Sunday to 7 = Saturday.
#include <cstdint>

#include "base/date_time.h"
#include "platform/system.h"

namespace qor {

bool IsLeapYear(std::uint16_t year);
// 28 to 31: the length of the date's month.
int DaysInMonth(TDateTime date);
// Midnight of the week-th weekday of the month (week 5: the last one); 0 for any
// other week. Raises "Invalid argument to date encode" for a bad year or month.
TDateTime NthWeekdayOfMonth(int year, int month, int week, int weekday);
// The moment a zone rule names in the year: 0 for month 0, the fixed date and time
// for a rule with a year, else the recurring weekday rule at its time of day.
TDateTime TransitionDate(const platform::SystemTime& rule, int year);

}  // namespace qor
