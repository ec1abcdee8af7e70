#include "base/format.h"

#include <gtest/gtest.h>

#include "base/error.h"
#include "fake_test.h"

namespace qor {
namespace {

using test::FakeMachineTest;
using FormatTest = FakeMachineTest;

TEST_F(FormatTest, WritesByTheSystemsRules) {
  struct Case {
    const char* pattern;
    FormatArg arg;
    const char* expected;
  } cases[] = {
      {"%d", 0, "0"},
      {"%d", -42, "-42"},
      {"%.0d", 0, "0"},  // printf would write nothing
      {"%.0d", 17, "17"},
      {"%2.2d", 5, "05"},
      {"%2.2d", 123, "123"},
      {"%2.2x", 10, "0a"},
      {"%2.2x", 255, "ff"},
      {"%2.2x", 0, "00"},
      {"%8.8X", 0x673, "00000673"},
      {"%X", 0xBEEF, "BEEF"},
      {"%.0f", 2.0, "2"},
      {"%.2f", 1.0, "1.00"},
      {"%s", "text", "text"},
      {"%d", 5000000000LL, "5000000000"},
      {"[%5d]", 42, "[   42]"},
      {"[%-5d]", 42, "[42   ]"},
  };
  for (const auto& c : cases) EXPECT_EQ(Format(c.pattern, {c.arg}), c.expected) << c.pattern;
}

TEST_F(FormatTest, UsesTheLocaleDecimalSeparator) {
  machine().decimalSeparator = ',';
  EXPECT_EQ(Format("%.2f", {1.5}), "1,50");
}

TEST_F(FormatTest, MissingOrMismatchedArgumentRaises) {
  EXPECT_THROW(Format("%d %d", {1}), Error);
  EXPECT_THROW(Format("%d", {"text"}), Error);
  EXPECT_EQ(Format("100%%", {}), "100%");
}

}  // namespace
}  // namespace qor
