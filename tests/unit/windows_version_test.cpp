#include "routines/windows_version.h"

#include <gtest/gtest.h>

#include "fake_test.h"

namespace qor {
namespace {

using WindowsVersionTest = test::FakeMachineTest;

TEST_F(WindowsVersionTest, ClassifiesByTheVersionTable) {
  struct Case {
    std::uint32_t platform, major, minor;
    const char* service;
    TWindowsKind kind;
    const char* name;
  } cases[] = {
      {2, 5, 1, "", wkWinXP, "Windows XP"},
      {2, 3, 51, "", wkWinNT3, "Windows NT"},
      {2, 4, 0, "Service Pack 6", wkWinNT4, "Windows NT"},
      {2, 5, 0, "", wkWin2000, "Windows 2000"},
      {2, 5, 2, "", wkWin2000, "Windows 2000"},
      {2, 6, 0, "", wkUnknown, ""},
      {1, 4, 0, " B ", wkWin95OSR2, "Windows 95"},
      {1, 4, 0, "C", wkWin95, "Windows 95"},
      {1, 4, 0, "b", wkWin95, "Windows 95"},
      {1, 4, 10, " A ", wkWin98SE, "Windows 98"},
      {1, 4, 10, "", wkWin98, "Windows 98"},
      {1, 4, 90, "", wkWinME, "Windows Millenium Edition"},
      {0, 4, 10, "", wkWin98, "Windows 98"},  // any id but NT counts as the 9x platform
      {1, 5, 0, "", wkUnknown, ""},
  };
  for (const auto& c : cases) {
    Boot(c.platform, c.major, c.minor, 1000, c.service);
    EXPECT_EQ(GetWindowsKind(), c.kind) << c.platform << ' ' << c.major << '.' << c.minor;
    EXPECT_EQ(WindowsKind, c.kind);
    EXPECT_EQ(WindowsName, c.name);
  }
}

TEST_F(WindowsVersionTest, FlagsAndClassRootFollowTheFamily) {
  Boot(2, 5, 1, 2600);
  EXPECT_TRUE(IsNTFamily);
  EXPECT_FALSE(IsWin2000);
  EXPECT_EQ(ClassKeyRoot, "SYSTEM\\CurrentControlSet\\Control\\Class");
  Boot(2, 5, 2, 3790);
  EXPECT_TRUE(IsNTFamily);
  EXPECT_TRUE(IsWin2000);
  Boot(2, 6, 0, 6000);
  EXPECT_FALSE(IsNTFamily);
  EXPECT_FALSE(IsWin2000);
  EXPECT_EQ(ClassKeyRoot, "SYSTEM\\CurrentControlSet\\Services\\Class");
}

TEST_F(WindowsVersionTest, ARefusedQueryIsUnknown) {
  fake::SetVersion(2, 5, 1, 2600);
  machine().versionRefused = true;
  RunStartUp();
  EXPECT_EQ(WindowsKind, wkUnknown);
  EXPECT_EQ(WindowsName, "");
  EXPECT_FALSE(IsNTFamily);
  EXPECT_EQ(ClassKeyRoot, "SYSTEM\\CurrentControlSet\\Services\\Class");
}

}  // namespace
}  // namespace qor
