#include "base/string_list.h"

#include <gtest/gtest.h>

#include <vector>

#include "base/error.h"
#include "fake_test.h"

namespace qor {
namespace {

using StringListTest = test::FakeMachineTest;

TEST_F(StringListTest, OutOfBoundsNamesTheIndex) {
  TStringList list{"a"};
  for (int bad : {-1, 1, 7}) {
    try {
      (void)list[bad];
      FAIL() << bad;
    } catch (const Error& e) {
      EXPECT_EQ(e.Message(), "List index out of bounds (" + std::to_string(bad) + ")");
    }
  }
}

TEST_F(StringListTest, SearchIgnoresCase) {
  TStringList list{"Alpha", "PATH=C:\\", "beta"};
  EXPECT_EQ(list.IndexOf("BETA"), 2);
  EXPECT_EQ(list.IndexOf("gamma"), -1);
  EXPECT_EQ(list.IndexOfName("path"), 1);
  EXPECT_EQ(list.Values("Path"), "C:\\");
  EXPECT_EQ(list.Names(1), "PATH");
  EXPECT_EQ(list.Names(0), "");
}

TEST_F(StringListTest, CommaTextSplitsAtEveryComma) {
  TStringList list{"old"};
  list.SetCommaText("a,,b c,");
  EXPECT_EQ(list.ToVector(), (std::vector<std::string>{"a", "", "b c", ""}));
  EXPECT_EQ(list.CommaText(), "a,,b c,");
}

TEST_F(StringListTest, ClearReleasesOwnedValuesLastFirst) {
  static std::vector<int> released;
  struct Tracked : TObject {
    explicit Tracked(int i) : id(i) {}
    ~Tracked() override { released.push_back(id); }
    int id;
  };
  released.clear();
  TStringList list;
  for (int i = 0; i < 3; ++i) list.AddObject("x", std::make_unique<Tracked>(i));
  list.Clear();
  EXPECT_EQ(released, (std::vector<int>{2, 1, 0}));
}

TEST_F(StringListTest, SortIgnoresCaseAndKeepsEqualEntriesInOrder) {
  TStringList list;
  list.AddObject("net", std::make_unique<TBox<int>>(1));
  list.Add("Display");
  list.AddObject("Net", std::make_unique<TBox<int>>(2));
  list.Add("MEDIA");
  list.Sort();
  EXPECT_EQ(list.ToVector(), (std::vector<std::string>{"Display", "MEDIA", "net", "Net"}));
  EXPECT_EQ(static_cast<TBox<int>*>(list.Objects(3))->Value, 2);
}

}  // namespace
}  // namespace qor
