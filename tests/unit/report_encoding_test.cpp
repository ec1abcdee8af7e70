#include <gtest/gtest.h>

#include <string>

#include "report/encoding.h"

namespace qor::report {
namespace {

struct Case {
  const char* in;
  const char* windows1252;  // every byte converted
  const char* mixed;        // well-formed UTF-8 kept
};

TEST(ReportEncodingTest, ConvertsByTheRuleOfThePlatform) {
  const Case cases[] = {
      {"plain ASCII", "plain ASCII", "plain ASCII"},
      {"0.18\xB5", "0.18\xC2\xB5", "0.18\xC2\xB5"},  // the micro sign
      {"\x80\x9F\xFF", "\xE2\x82\xAC\xC5\xB8\xC3\xBF", "\xE2\x82\xAC\xC5\xB8\xC3\xBF"},
      {"\x81\x8D", "\xC2\x81\xC2\x8D", "\xC2\x81\xC2\x8D"},  // unassigned in Windows-1252
      {"\xC3\xA9", "\xC3\x83\xC2\xA9", "\xC3\xA9"},          // UTF-8 only where it is UTF-8
      {"\xC2\xB5\xB5", "\xC3\x82\xC2\xB5\xC2\xB5", "\xC2\xB5\xC2\xB5"},  // both in one text
      {"\xF0\x9F\x98\x80", "\xC3\xB0\xC5\xB8\xCB\x9C\xE2\x82\xAC", "\xF0\x9F\x98\x80"},
      // Not well-formed: cut short, overlong, a surrogate, past U+10FFFF.
      {"\xE2\x82", "\xC3\xA2\xE2\x80\x9A", "\xC3\xA2\xE2\x80\x9A"},
      {"\xC0\x80", "\xC3\x80\xE2\x82\xAC", "\xC3\x80\xE2\x82\xAC"},
      {"\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xE2\x82\xAC", "\xC3\xAD\xC2\xA0\xE2\x82\xAC"},
      {"\xF4\x90\x80\x80", "\xC3\xB4\xC2\x90\xE2\x82\xAC\xE2\x82\xAC",
       "\xC3\xB4\xC2\x90\xE2\x82\xAC\xE2\x82\xAC"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Utf8FromWindows1252(c.in), c.windows1252) << c.in;
    EXPECT_EQ(Utf8FromMixed(c.in), c.mixed) << c.in;
    EXPECT_EQ(Utf8FromPlatform(c.in, false), c.windows1252) << c.in;
    EXPECT_EQ(Utf8FromPlatform(c.in, true), c.mixed) << c.in;
  }
  EXPECT_EQ(Utf8FromMixed(std::string("a\0b", 3)), std::string("a\0b", 3));
}

// Whatever the bytes, both rules give well-formed UTF-8: the mixed rule keeps a text
// unchanged exactly when it is well-formed, so converting again must change nothing.
TEST(ReportEncodingTest, EveryPairOfBytesComesOutWellFormed) {
  for (int a = 0; a < 256; ++a) {
    for (int b = 0; b < 256; ++b) {
      std::string in{static_cast<char>(a), static_cast<char>(b), '\xBF'};
      std::string mixed = Utf8FromMixed(in);
      ASSERT_EQ(Utf8FromMixed(mixed), mixed) << a << " " << b;
      std::string whole = Utf8FromWindows1252(in);
      ASSERT_EQ(Utf8FromMixed(whole), whole) << a << " " << b;
    }
  }
}

}  // namespace
}  // namespace qor::report
