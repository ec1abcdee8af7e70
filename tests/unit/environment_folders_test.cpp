#include "routines/environment_folders.h"

#include <gtest/gtest.h>

#include "fake_test.h"
#include "platform/fake/fake_os.h"

namespace qor {
namespace {

using EnvironmentTest = test::FakeMachineTest;

TEST_F(EnvironmentTest, ReadsEveryEntryInBlockOrder) {
  fake::SetEnvironment({"=C:=C:\\WINDOWS", "PATH=C:\\WINDOWS;C:\\", "TEMP=C:\\TEMP", "A=b=c"});
  TStringList list{"stale"};
  ReadEnvironment(list);
  EXPECT_EQ(list.ToVector(), (std::vector<std::string>{"=C:=C:\\WINDOWS", "PATH=C:\\WINDOWS;C:\\",
                                                       "TEMP=C:\\TEMP", "A=b=c"}));
}

// A block past 4096 bytes is common today; the entries beyond that mark are kept.
TEST_F(EnvironmentTest, ReadsABlockLargerThan4096BytesWhole) {
  std::vector<std::string> entries;
  for (int i = 0; i < 100; ++i)
    entries.push_back("VAR" + std::to_string(i) + "=" + std::string(60, 'x'));
  entries.push_back("LAST=end");
  fake::SetEnvironment(entries);
  ASSERT_GT(fake::Os().environment.size(), 6000u);
  TStringList list;
  ReadEnvironment(list);
  EXPECT_EQ(list.ToVector(), entries);
}

TEST_F(EnvironmentTest, StopsAtTheEmptyEntryAndKeepsAnUnterminatedLastOne) {
  fake::Os().environment = std::string("A=1\0B=2\0\0C=3\0\0", 14);
  TStringList list;
  ReadEnvironment(list);
  EXPECT_EQ(list.ToVector(), (std::vector<std::string>{"A=1", "B=2"}));

  fake::Os().environment = std::string("A=1\0B=2", 7);
  ReadEnvironment(list);
  EXPECT_EQ(list.ToVector(), (std::vector<std::string>{"A=1", "B=2"}));

  fake::Os().environment.clear();
  ReadEnvironment(list);
  EXPECT_TRUE(list.Empty());
}

TEST_F(EnvironmentTest, SpecialFolderPathIsEmptyWithoutAPath) {
  fake::Os().specialFolders[5] = "C:\\My Documents";
  EXPECT_EQ(GetSpecialFolderPath(0x42, 5), "C:\\My Documents");
  EXPECT_EQ(GetSpecialFolderPath(0x42, 10), "");
  EXPECT_EQ(fake::Os().folderQueries,
            (std::vector<std::pair<platform::WindowHandle, int>>{{0x42, 5}, {0x42, 10}}));
}

}  // namespace
}  // namespace qor
