// The system queries answered from Linux's own sources.
#include <gtest/gtest.h>
#include <sys/utsname.h>

#include <fstream>

#include "platform/system.h"
#include "routines/system_queries.h"

namespace qor {
namespace {

TEST(SystemLinux, TickCountFollowsTheKernelsUpTime) {
  double upSeconds = 0;
  std::ifstream("/proc/uptime") >> upSeconds;
  ASSERT_GT(upSeconds, 0);
  const double ticks = static_cast<double>(platform::MillisecondsSinceBoot()) / 1000;
  EXPECT_NEAR(ticks, upSeconds, 2.0);
}

TEST(SystemLinux, ComputerNameIsTheHostName) {
  utsname u{};
  ASSERT_EQ(uname(&u), 0);
  EXPECT_EQ(ReadComputerName(), u.nodename);
}

TEST(SystemLinux, WhatLinuxLacksGivesTheMissingAnswers) {
  std::string target = "kept", arguments = "kept too";
  EXPECT_LT(ResolveShellLink("/tmp/x.lnk", target, arguments), 0);
  EXPECT_EQ(target, "kept");
  EXPECT_EQ(arguments, "kept too");
  std::string description = "old", version = "old";
  ReadFileVersion("/bin/sh", description, version);
  EXPECT_EQ(description, "");
  EXPECT_EQ(version, "");
  EXPECT_EQ(GetWindowsFolder(), "");
}

}  // namespace
}  // namespace qor
