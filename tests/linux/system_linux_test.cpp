// The system queries answered from Linux's own sources.
#include <gtest/gtest.h>
#include <sys/utsname.h>

#include <fstream>

#include "info/QOR_Machine.h"
#include "platform/linux/sources.h"
#include "platform/system.h"
#include "routines/system_queries.h"
#include "routines/windows_version.h"

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

// Linux takes the path of the 9x family: the BIOS texts come from the firmware's DMI
// strings, the lock keys from the keyboards' LEDs.
TEST(SystemLinux, MachineReadsDmiStringsAndLockLeds) {
  platform::linux_impl::Sources fixture;
  fixture.sysfs = QOR_FIXTURES "/linux-machine/sys";
  platform::linux_impl::SetSources(fixture);
  InitWindowsVersion();
  TMachine machine;
  machine.BIOSExtendedInfo = "old";
  machine.GetInfo();
  platform::linux_impl::SetSources({});
  EXPECT_EQ(machine.BIOSName, "American Megatrends Inc.");
  EXPECT_EQ(machine.BIOSCopyright, "F.42");
  EXPECT_EQ(machine.BIOSDate, "03/08/2021");
  EXPECT_EQ(machine.BIOSExtendedInfo, "");  // the kernel gives no BIOS release here
  EXPECT_FALSE(machine.CapsLock);
  EXPECT_TRUE(machine.NumLock);
  EXPECT_TRUE(machine.ScrollLock);  // lit on one keyboard of two
}

}  // namespace
}  // namespace qor
