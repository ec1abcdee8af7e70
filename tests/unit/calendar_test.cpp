#include "routines/calendar.h"

#include <gtest/gtest.h>

#include "base/error.h"

namespace qor {
namespace {

TEST(CalendarTest, LeapYears) {
  struct {
    std::uint16_t year;
    bool leap;
  } const cases[] = {{1900, false}, {2000, true}, {2004, true}, {2100, false}, {2001, false}};
  for (const auto& c : cases) EXPECT_EQ(IsLeapYear(c.year), c.leap) << c.year;
}

TEST(CalendarTest, DaysInMonth) {
  struct {
    int year, month, days;
  } const cases[] = {{2000, 2, 29},  {1900, 2, 28}, {2001, 4, 30}, {2001, 11, 30},
                     {2001, 12, 31}, {2001, 1, 31}, {2004, 2, 29}};
  for (const auto& c : cases)
    EXPECT_EQ(DaysInMonth(EncodeDate(c.year, c.month, 15)), c.days) << c.year << "-" << c.month;
}

TEST(CalendarTest, NthWeekdayOfMonth) {
  struct {
    int year, month, week, weekday;
    TDateTime expected;
  } const cases[] = {
      {2001, 4, 1, 1, EncodeDate(2001, 4, 1)},     // the 1st is that weekday itself
      {2001, 10, 5, 1, EncodeDate(2001, 10, 28)},  // last Sunday
      {2001, 10, 0, 1, 0},                         // no such week
      {2001, 10, 6, 1, 0},
      {2002, 4, 1, 1, EncodeDate(2002, 4, 7)},   // first day a Monday: wraps a week
      {2002, 3, 4, 7, EncodeDate(2002, 3, 23)},  // fourth Saturday
      {2002, 3, 5, 1, EncodeDate(2002, 3, 31)},  // last day is that weekday
      {2002, 2, 5, 5, EncodeDate(2002, 2, 28)},  // last Thursday of February
      {2004, 2, 5, 1, EncodeDate(2004, 2, 29)},  // leap February
  };
  for (const auto& c : cases)
    EXPECT_EQ(NthWeekdayOfMonth(c.year, c.month, c.week, c.weekday), c.expected)
        << c.year << "-" << c.month << " week " << c.week << " day " << c.weekday;
}

TEST(CalendarTest, NthWeekdayOfMonthRejectsBadYearOrMonth) {
  EXPECT_THROW(
      try { NthWeekdayOfMonth(2001, 13, 1, 1); } catch (const Error& e) {
        EXPECT_EQ(e.Message(), "Invalid argument to date encode");
        throw;
      },
      Error);
  EXPECT_THROW(NthWeekdayOfMonth(0, 1, 5, 1), Error);
  EXPECT_THROW(NthWeekdayOfMonth(10000, 1, 1, 1), Error);
}

platform::SystemTime Rule(int year, int month, int dayOfWeek, int day, int hour, int minute = 0,
                          int second = 0, int ms = 0) {
  auto w = [](int v) { return static_cast<std::uint16_t>(v); };
  return {w(year), w(month), w(dayOfWeek), w(day), w(hour), w(minute), w(second), w(ms)};
}

TEST(CalendarTest, TransitionDate) {
  struct {
    platform::SystemTime rule;
    int year;
    TDateTime expected;
  } const cases[] = {
      {Rule(0, 3, 0, 5, 2), 2002, EncodeDate(2002, 3, 31) + EncodeTime(2, 0, 0, 0)},
      {Rule(0, 0, 0, 5, 2), 2002, 0},  // no transition
      // A rule with a year is a fixed date, whatever year is asked for.
      {Rule(1999, 10, 3, 31, 3, 30), 2002, EncodeDate(1999, 10, 31) + EncodeTime(3, 30, 0, 0)},
      // The first Saturday, at the last millisecond of the day.
      {Rule(0, 10, 6, 1, 23, 59, 59, 999), 2002,
       EncodeDate(2002, 10, 5) + EncodeTime(23, 59, 59, 999)},
  };
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(TransitionDate(c.rule, c.year), c.expected);
}

TEST(CalendarTest, TransitionDateRejectsBadTimes) {
  const platform::SystemTime bad[] = {Rule(0, 3, 0, 5, 24), Rule(0, 3, 0, 5, 2, 60),
                                      Rule(0, 3, 0, 5, 2, 0, 60), Rule(0, 3, 0, 5, 2, 0, 0, 1000)};
  for (const auto& rule : bad) {
    try {
      TransitionDate(rule, 2002);
      ADD_FAILURE() << "no error";
    } catch (const Error& e) {
      EXPECT_EQ(e.Message(), "Invalid argument to time encode");
    }
  }
  // A fixed date that does not exist, and a month past December.
  EXPECT_THROW(TransitionDate(Rule(2002, 2, 0, 30, 2), 2002), Error);
  EXPECT_THROW(TransitionDate(Rule(0, 13, 0, 1, 2), 2002), Error);
}

}  // namespace
}  // namespace qor
