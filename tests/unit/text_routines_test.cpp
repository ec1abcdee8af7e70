#include "routines/text_routines.h"

#include <gtest/gtest.h>

#include <vector>

namespace qor {
namespace {

TEST(TextRoutinesTest, StripZeroBytes) {
  struct Case {
    std::vector<std::uint8_t> bytes;
    const char* text;
  } cases[] = {
      {{0x41, 0, 0x42, 0, 0, 0}, "AB"},
      {{0, 0}, ""},
      {{0x41, 0, 0, 0x42}, "A"},
      {{'a', 0, 'b', 0, 0}, "ab"},  // a multi-string joins without separators
      {{0x41, 0x42}, "AB"},         // no terminator: stops at the buffer's end
      {{}, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(StripZeroBytes(c.bytes.data(), c.bytes.size()), c.text);
}

TEST(TextRoutinesTest, ReplaceTextNoCase) {
  struct Case {
    const char *source, *find, *replacement, *result;
  } cases[] = {
      {"aXbxc", "x", "-", "a-b-c"}, {"a\\\\b", "\\\\", "\\", "a\\b"},
      {"aaa", "a", "aa", "aaaaaa"},  // replaced text is not searched again
      {"Hello", "", "x", "Hello"},  {"Root\\ENUM\\Pci", "enum\\", "", "Root\\Pci"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ReplaceTextNoCase(c.source, c.find, c.replacement), c.result) << c.source;
}

TEST(TextRoutinesTest, StripBlanksAndReverse) {
  EXPECT_EQ(StripBlanks("  a b\tc  "), "ab\tc");
  EXPECT_EQ(StripBlanks("x\r \ny"), "xy");       // the blank goes first, then the pair
  EXPECT_EQ(StripBlanks("x\ry\nz"), "x\ry\nz");  // lone CR and LF stay
  EXPECT_EQ(ReverseText("abc"), "cba");
  EXPECT_EQ(UpperAZ("media\xB5"), "MEDIA\xB5");
}

}  // namespace
}  // namespace qor
