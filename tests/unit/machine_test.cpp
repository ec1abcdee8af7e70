#include <gtest/gtest.h>

#include "base/error.h"
#include "console/console_run.h"
#include "fake_test.h"
#include "info/QOR_Machine.h"
#include "platform/fake/fake_system.h"
#include "platform/version.h"

namespace qor {
namespace {

class MachineTest : public test::FakeMachineTest {
 protected:
  fake::SystemState& system() { return fake::System(); }
  void BootNT() {
    registry().LoadFile(QOR_FIXTURES "/machine_nt_bios_multistring.reg");
    Boot(platform::kPlatformNT, 5, 1, 2600);
  }
  void Boot9x() {
    registry().LoadFile(QOR_FIXTURES "/machine_9x_computer_class.reg");
    Boot(platform::kPlatformWindows, 4, 10, 2222, "A");
  }
  const std::string kSystemKey = "HKEY_LOCAL_MACHINE\\HARDWARE\\DESCRIPTION\\System";
};

// 15 March 2002, 12:00, the fake clock's default.
const TDateTime kNow = EncodeDate(2002, 3, 15) + 0.5;

TEST_F(MachineTest, NtMachineReadsTheHardwareDescription) {
  BootNT();
  system().ticks = 3723456;
  system().keyState[platform::kVkNumLock] = 1;
  system().biosTexts[platform::kBiosExtendedInfoAddress] = "never read on NT";
  TMachine machine;
  machine.GetInfo();
  EXPECT_EQ(machine.Name, "NTBOX");  // the registry's name wins
  EXPECT_EQ(machine.User, "fakeuser");
  EXPECT_DOUBLE_EQ(static_cast<double>(machine.SystemUpTime), 3723.456);
  EXPECT_NEAR(machine.LastBoot, kNow - 3723.456 / 86400, 1e-9);
  EXPECT_EQ(machine.BIOSName, "AT/AT COMPATIBLE");
  EXPECT_EQ(machine.BIOSCopyright, "BIOS Date: 06/18/01 Ver 08.00.02");  // first string only
  EXPECT_EQ(machine.BIOSDate, "06/18/01");
  EXPECT_EQ(machine.BIOSExtendedInfo, "");
  EXPECT_EQ(system().biosReads, 0);
  EXPECT_TRUE(machine.NumLock);
  EXPECT_FALSE(machine.CapsLock);
  EXPECT_FALSE(machine.ScrollLock);
  EXPECT_EQ(machine.Computer, "Advanced Configuration and Power Interface (ACPI) PC");
  EXPECT_EQ(fake::OpenHandles(), 0);
}

TEST_F(MachineTest, NineXMachineReadsTheBiosImage) {
  Boot9x();
  system().biosTexts = {{platform::kBiosNameAddress, "Award Modular BIOS v4.51PG"},
                        {platform::kBiosDateAddress, "09/21/99"},
                        {platform::kBiosCopyrightAddress, "Copyright (C) 1984-98, Award"},
                        {platform::kBiosExtendedInfoAddress, "09/21/99-i440BX-2A69KA1DC-00"}};
  TMachine machine;
  machine.GetInfo();
  EXPECT_EQ(machine.Name, "FAKEPC");
  EXPECT_EQ(machine.BIOSName, "Award Modular BIOS v4.51PG");
  EXPECT_EQ(machine.BIOSDate, "09/21/99");
  EXPECT_EQ(machine.BIOSCopyright, "Copyright (C) 1984-98, Award");
  EXPECT_EQ(machine.BIOSExtendedInfo, "09/21/99-i440BX-2A69KA1DC-00");
  EXPECT_EQ(machine.Computer, "Standard PC");
  EXPECT_EQ(fake::OpenHandles(), 0);
}

TEST_F(MachineTest, TickCountGivesUpTimeAndLastBoot) {
  struct Case {
    std::uint64_t ticks;
    long double upTime;
  } cases[] = {{0, 0}, {3723456, 3723.456L}, {4294967295u, 4294967.295L}};
  for (const auto& c : cases) {
    system().ticks = c.ticks;
    TMachine machine;
    machine.GetInfo();
    EXPECT_EQ(machine.SystemUpTime, c.upTime) << c.ticks;
    EXPECT_NEAR(machine.LastBoot, kNow - static_cast<double>(c.upTime) / 86400, 1e-9) << c.ticks;
  }
}

TEST_F(MachineTest, AClockTheCalendarCannotEncodeGivesNoLastBoot) {
  system().now.wMonth = 13;
  system().ticks = 5000;
  TMachine machine;
  machine.LastBoot = 123;
  machine.GetInfo();
  EXPECT_EQ(machine.LastBoot, 0);
  EXPECT_EQ(machine.SystemUpTime, 5);
}

TEST_F(MachineTest, OnlyAToggledKeyNotHeldDownReadsAsOn) {
  struct Case {
    std::uint8_t state;
    bool on;
  } cases[] = {{0x01, true}, {0x00, false}, {0x80, false}, {0x81, false}};
  const int keys[] = {platform::kVkCapital, platform::kVkNumLock, platform::kVkScroll};
  for (int key : keys)
    for (const auto& c : cases) {
      fake::Reset();
      system().keyState[key] = c.state;
      TMachine machine;
      machine.GetInfo();
      const bool lit[] = {machine.CapsLock, machine.NumLock, machine.ScrollLock};
      for (int k = 0; k < 3; ++k)
        EXPECT_EQ(lit[k], keys[k] == key && c.on) << std::hex << key << " " << int(c.state);
    }
}

TEST_F(MachineTest, UnreadableBiosVersionKeepsTheOldText) {
  struct Case {
    std::uint32_t type;
    std::size_t size;
    const char* expected;
  } cases[] = {
      {platform::kRegBinary, 255, nullptr},  // exactly 255 bytes, no zero: all of them
      {platform::kRegBinary, 256, "old"},    // too long: swallowed
      {platform::kRegSz, 6, "old"},          // a text type is no binary data
      {platform::kRegDword, 4, "old"},
  };
  for (const auto& c : cases) {
    fake::Reset();
    BootNT();
    registry().SetValue(kSystemKey, "SystemBiosVersion", c.type,
                        std::vector<std::uint8_t>(c.size, 'V'));
    TMachine machine;
    machine.BIOSCopyright = "old";
    machine.GetInfo();
    EXPECT_EQ(machine.BIOSCopyright, c.expected ? c.expected : std::string(255, 'V'))
        << c.type << "/" << c.size;
    EXPECT_EQ(machine.BIOSDate, "06/18/01");  // the read goes on after the failure
    EXPECT_EQ(fake::OpenHandles(), 0);
  }
}

TEST_F(MachineTest, MissingHardwareDescriptionKeepsTheBiosTexts) {
  Boot(platform::kPlatformNT, 4, 0, 1381, "Service Pack 6");
  TMachine machine;
  machine.BIOSName = "name";
  machine.BIOSCopyright = "copyright";
  machine.BIOSDate = "date";
  machine.BIOSExtendedInfo = "extended";
  machine.GetInfo();
  EXPECT_EQ(machine.BIOSName, "name");
  EXPECT_EQ(machine.BIOSCopyright, "copyright");
  EXPECT_EQ(machine.BIOSDate, "date");
  EXPECT_EQ(machine.BIOSExtendedInfo, "extended");
  EXPECT_EQ(machine.Computer, "");  // no computer class either
}

TEST_F(MachineTest, NonTextIdentifierStopsTheRefreshBeforeTheLocks) {
  BootNT();
  registry().SetValue(kSystemKey, "Identifier", platform::kRegDword, {1, 0, 0, 0});
  system().keyState[platform::kVkCapital] = 1;
  TMachine machine;
  try {
    machine.GetInfo();
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.Message(), "Invalid data type for 'Identifier'");
  }
  EXPECT_FALSE(machine.CapsLock);
  EXPECT_EQ(machine.Computer, "");
  EXPECT_EQ(fake::OpenHandles(), 0);
}

TEST_F(MachineTest, ConsoleRoundsTheUpTimeHalfToEven) {
  struct Case {
    std::uint64_t ticks;
    const char* line;
  } cases[] = {
      {90061500, "System Up Time: 1 Day, 1 Hour, 1 Minute, 2 Seconds.\r\n"},
      {90060500, "System Up Time: 1 Day, 1 Hour, 1 Minute, 0 Seconds.\r\n"},
      {1499, "System Up Time: 1 Second.\r\n"},
  };
  for (const auto& c : cases) {
    fake::Reset();
    system().computerName = "PC";
    system().userName = "Ann";
    system().ticks = c.ticks;
    RunConsole();
    EXPECT_NE(machine().output.find(std::string("OK\r\n\r\nMachine: PC (User: Ann)\r\n") + c.line),
              std::string::npos)
        << machine().output;
  }
}

}  // namespace
}  // namespace qor
