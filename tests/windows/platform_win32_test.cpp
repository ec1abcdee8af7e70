// The win32 memory, version and text calls against the real API (Wine's, when the
// suite runs them).
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

#include "platform/memory.h"
#include "platform/text.h"
#include "platform/version.h"

namespace qor {
namespace {

TEST(PlatformWin32Test, MemoryStatusKeepsFiguresBeyond32Bits) {
  MEMORYSTATUSEX direct = {};
  direct.dwLength = sizeof direct;
  ASSERT_TRUE(GlobalMemoryStatusEx(&direct));
  platform::MemoryStatus status;
  platform::GetMemoryStatus(status);
  EXPECT_EQ(status.ullTotalPhys, direct.ullTotalPhys);
  EXPECT_EQ(status.ullTotalVirtual, direct.ullTotalVirtual);
  EXPECT_GT(status.ullAvailPhys, 0u);
  EXPECT_LE(status.ullAvailPhys, status.ullTotalPhys);
  EXPECT_LE(status.dwMemoryLoad, 100u);
}

TEST(PlatformWin32Test, SystemInformationComesFromTheSystem) {
  platform::SystemInfo info;
  platform::GetSystemInformation(info);
  EXPECT_EQ(info.dwPageSize, 4096u);
  EXPECT_EQ(info.dwAllocationGranularity, 65536u);
  EXPECT_LT(info.lpMinimumApplicationAddress, info.lpMaximumApplicationAddress);
  EXPECT_GE(info.dwNumberOfProcessors, 1u);
}

TEST(PlatformWin32Test, VersionRecordInBothSizes) {
  OSVERSIONINFOEXA direct;
  std::memset(&direct, 0, sizeof direct);
  direct.dwOSVersionInfoSize = sizeof direct;
  ASSERT_TRUE(GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&direct)));

  platform::OsVersionInfo basic;
  ASSERT_TRUE(platform::GetVersionRecord(basic));
  EXPECT_EQ(basic.dwMajorVersion, direct.dwMajorVersion);
  EXPECT_EQ(basic.dwMinorVersion, direct.dwMinorVersion);
  EXPECT_EQ(basic.dwBuildNumber, direct.dwBuildNumber);
  EXPECT_EQ(basic.dwPlatformId, direct.dwPlatformId);
  EXPECT_STREQ(basic.szCSDVersion, direct.szCSDVersion);
  EXPECT_EQ(basic.wServicePackMajor, 0);  // the basic record has no such field

  platform::OsVersionInfo extended;
  extended.dwOSVersionInfoSize = platform::kVersionInfoExSize;
  ASSERT_TRUE(platform::GetVersionRecord(extended));
  EXPECT_EQ(extended.wServicePackMajor, direct.wServicePackMajor);
  EXPECT_EQ(extended.wProductType, direct.wProductType);
}

TEST(PlatformWin32Test, TextComparisonIgnoresCase) {
  EXPECT_EQ(platform::CompareTextNoCase("Display", "DISPLAY"), 0);
  EXPECT_LT(platform::CompareTextNoCase("abc", "ABD"), 0);
  EXPECT_GT(platform::CompareTextNoCase("b", "A"), 0);
  EXPECT_LT(platform::CompareTextNoCase("ab", "abc"), 0);
  EXPECT_EQ(platform::CompareTextNoCase("", ""), 0);
  EXPECT_EQ(platform::DecimalSeparator(), '.');
}

}  // namespace
}  // namespace qor
