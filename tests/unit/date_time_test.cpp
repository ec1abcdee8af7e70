#include "base/date_time.h"

#include <gtest/gtest.h>

#include "base/error.h"

namespace qor {
namespace {

TEST(DateTimeTest, EncodesDaysSinceTheEpoch) {
  EXPECT_EQ(EncodeDate(1899, 12, 30), 0);
  EXPECT_EQ(EncodeDate(1900, 1, 1), 2);
  EXPECT_EQ(EncodeDate(2001, 4, 1), 36982);
  EXPECT_EQ(EncodeDate(2000, 2, 29), 36585);
  EXPECT_DOUBLE_EQ(EncodeTime(12, 0, 0, 0), 0.5);
  DateParts p = DecodeDate(36982.75);
  EXPECT_EQ(p.year, 2001);
  EXPECT_EQ(p.month, 4);
  EXPECT_EQ(p.day, 1);
  EXPECT_EQ(DayOfWeek(EncodeDate(2001, 4, 1)), 1);  // a Sunday
  EXPECT_EQ(DayOfWeek(0), 7);                       // a Saturday
}

TEST(DateTimeTest, RejectsImpossibleValues) {
  auto message = [](auto f) {
    try {
      f();
    } catch (const Error& e) {
      return e.Message();
    }
    return std::string("no error");
  };
  EXPECT_EQ(message([] { EncodeDate(0, 1, 1); }), "Invalid argument to date encode");
  EXPECT_EQ(message([] { EncodeDate(2001, 13, 1); }), "Invalid argument to date encode");
  EXPECT_EQ(message([] { EncodeDate(2001, 2, 29); }), "Invalid argument to date encode");
  EXPECT_EQ(message([] { EncodeTime(24, 0, 0, 0); }), "Invalid argument to time encode");
  EXPECT_EQ(message([] { EncodeTime(0, 0, 0, 1000); }), "Invalid argument to time encode");
}

}  // namespace
}  // namespace qor
