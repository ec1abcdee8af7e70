#include "base/date_time.h"

#include <cmath>

#include "base/error.h"

namespace qor {
namespace {
constexpr int kDaysBefore[2][13] = {{0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365},
                                    {0, 31, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335, 366}};

// Days from 1 January of year 1 to 30 December 1899.
constexpr std::int64_t kEpochOffset = 693594;

std::int64_t DaysBeforeYear(std::int64_t year) {
  std::int64_t y = year - 1;
  return y * 365 + y / 4 - y / 100 + y / 400;
}
}  // namespace

bool IsLeapYearValue(int year) {
  return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

TDateTime EncodeDate(int year, int month, int day) {
  if (year < 1 || year > 9999 || month < 1 || month > 12)
    throw Error("Invalid argument to date encode");
  const int* table = kDaysBefore[IsLeapYearValue(year)];
  if (day < 1 || day > table[month] - table[month - 1])
    throw Error("Invalid argument to date encode");
  std::int64_t days = DaysBeforeYear(year) + table[month - 1] + day - 1;
  return static_cast<TDateTime>(days - kEpochOffset + 1);
}

TDateTime EncodeTime(int hour, int minute, int second, int millisecond) {
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 ||
      millisecond < 0 || millisecond > 999)
    throw Error("Invalid argument to time encode");
  return (hour * 3600000.0 + minute * 60000.0 + second * 1000.0 + millisecond) / 86400000.0;
}

DateParts DecodeDate(TDateTime value) {
  std::int64_t days = static_cast<std::int64_t>(std::floor(value)) + kEpochOffset - 1;
  DateParts p;
  std::int64_t year = days / 366 + 1;  // an underestimate; walk forward
  while (DaysBeforeYear(year + 1) <= days) ++year;
  std::int64_t dayOfYear = days - DaysBeforeYear(year);
  const int* table = kDaysBefore[IsLeapYearValue(static_cast<int>(year))];
  int month = 1;
  while (dayOfYear >= table[month]) ++month;
  p.year = static_cast<int>(year);
  p.month = month;
  p.day = static_cast<int>(dayOfYear - table[month - 1] + 1);
  return p;
}

int DayOfWeek(TDateTime value) {
  // 30 December 1899 was a Saturday.
  std::int64_t days = static_cast<std::int64_t>(std::floor(value));
  return static_cast<int>(((days + 6) % 7 + 7) % 7) + 1;
}

}  // namespace qor
