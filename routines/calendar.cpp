#include "routines/calendar.h"

namespace qor {

bool IsLeapYear(std::uint16_t year) {
  return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(TDateTime date) {
  const DateParts p = DecodeDate(date);
  switch (p.month) {
    case 2:
      return IsLeapYear(static_cast<std::uint16_t>(p.year)) ? 29 : 28;
    case 4:
    case 6:
    case 9:
    case 11:
      return 30;
    default:
      return 31;
  }
}

TDateTime NthWeekdayOfMonth(int year, int month, int week, int weekday) {
  if (week >= 1 && week <= 4) {
    const int first = DayOfWeek(EncodeDate(year, month, 1));
    int day = weekday + 1 - first;
    if (day <= 0) day += 7;
    day += (week - 1) * 7;
    return EncodeDate(year, month, day);
  }
  if (week == 5) {
    const int last = DaysInMonth(EncodeDate(year, month, 1));
    const int lastWeekday = DayOfWeek(EncodeDate(year, month, last));
    int day = weekday - lastWeekday + last;
    if (day > last) day -= 7;
    return EncodeDate(year, month, day);
  }
  return 0;
}

TDateTime TransitionDate(const platform::SystemTime& rule, int year) {
  if (rule.wMonth == 0) return 0;
  TDateTime date = rule.wYear != 0
                       ? EncodeDate(rule.wYear, rule.wMonth, rule.wDay)
                       : NthWeekdayOfMonth(year, rule.wMonth, rule.wDay, rule.wDayOfWeek + 1);
  return date + EncodeTime(rule.wHour, rule.wMinute, rule.wSecond, rule.wMilliseconds);
}

}  // namespace qor
