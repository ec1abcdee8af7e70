#include "routines/seconds_to_text.h"

#include <gtest/gtest.h>

#include "fake_test.h"

namespace qor {
namespace {

using SecondsToTextTest = test::FakeMachineTest;

TEST_F(SecondsToTextTest, WordsFromTheLargestUnit) {
  struct Case {
    std::int64_t seconds;
    const char* text;
  } cases[] = {
      {0, "0 Seconds."},
      {1, "1 Second."},
      {59, "59 Seconds."},
      {60, "1 Minute, 0 Seconds."},
      {61, "1 Minute, 1 Second."},
      {3600, "1 Hour, 0 Minutes, 0 Seconds."},
      {86400, "1 Day, 0 Hours, 0 Minutes, 0 Seconds."},
      {90061, "1 Day, 1 Hour, 1 Minute, 1 Second."},
      {694861, "1 Week, 1 Day, 1 Hour, 1 Minute, 1 Second."},
      {1209600, "2 Weeks, 0 Days, 0 Hours, 0 Minutes, 0 Seconds."},
      {2592000, "4 Weeks, 2 Days, 0 Hours, 0 Minutes, 0 Seconds."},
      {2678400, "1 Month, 0 Weeks, 0 Days, 0 Hours, 0 Minutes, 0 Seconds."},
      {4294967, "1 Month, 2 Weeks, 4 Days, 17 Hours, 2 Minutes, 47 Seconds."},
      {31536000, "11 Months, 3 Weeks, 3 Days, 0 Hours, 0 Minutes, 0 Seconds."},
      {31579200, "1 Year, 0 Months, 0 Weeks, 0 Days, 0 Hours, 0 Minutes, 0 Seconds."},
      {3157920000LL,
       "1 Century, 0 Years, 0 Months, 0 Weeks, 0 Days, 0 Hours, 0 Minutes, 0 Seconds."},
  };
  for (const auto& c : cases) EXPECT_EQ(SecondsToText(c.seconds, true, false, false), c.text);
}

TEST_F(SecondsToTextTest, OtherForms) {
  EXPECT_EQ(SecondsToText(61, false, false, false), "1 Minute, 1.00 Second.");
  EXPECT_EQ(SecondsToText(90061, true, true, false),
            "0 Centuries, 0 Years, 0 Months, 0 Weeks, 1 Day, 1 Hour, 1 Minute, 1 Second.");
  EXPECT_EQ(SecondsToText(90061, true, false, true), "01:01:01");
  EXPECT_EQ(SecondsToText(93784, true, false, true), "02:03:04");
  EXPECT_EQ(SecondsToText(694861, true, true, true), "00.00.08 01:01:01");
}

}  // namespace
}  // namespace qor
