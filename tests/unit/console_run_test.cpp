#include "console/console_run.h"

#include <gtest/gtest.h>

#include "fake_test.h"
#include "info/QOR_Console.h"
#include "platform/fake/fake_cpu.h"
#include "platform/fake/fake_network.h"
#include "platform/fake/fake_printers.h"

namespace qor {
namespace {

class ConsoleRunTest : public test::FakeMachineTest {
 protected:
  void SetUp() override {
    FakeMachineTest::SetUp();
    machine().memory.ullTotalPhys = 536870912;
    machine().memory.ullAvailPhys = 123456789;
    fake::SetVendorSignature("GenuineIntel");
    fake::SetCpuid(1, {0x673, 0, 0, 0});
    fake::SetCpuid(2, {0x03020101, 0, 0, 0x0C040843});  // 512 KB second-level cache
    for (int i = 0; i < 3; ++i) fake::ScriptMeasurePass(1000, 733333);
    registry().Load(
        "REGEDIT4\n[HKEY_LOCAL_MACHINE\\Enum\\PCI\\NIC\\0000]\n"
        "\"Class\"=\"Net\"\n\"DeviceDesc\"=\"Fast Ethernet\"\n");
    fake::CurrentSockets().hosts["FAKEHOST"] = {{192, 168, 1, 20}, {10, 0, 0, 2}};
    fake::CurrentNetBios().lanas.push_back({0, 0, 0, {0x00, 0xA0, 0xC9, 0x12, 0x34, 0x56}});
    fake::CurrentPrinters().entries.push_back({"Laser", "LaserDriver", "LPT1:"});
    fake::CurrentPrinters().defaultDevice = "Laser";
    about_ = TQOR(0).About;
  }
  std::string about_;
};

TEST_F(ConsoleRunTest, PrintsTheSummaryByteForByte) {
  Boot(1, 4, 10, 0x040A08AE);  // the build's high word is not part of the number
  machine().input.push_back("");
  EXPECT_EQ(RunConsole(), 0);
  EXPECT_EQ(machine().output, about_ +
                                  "\r\n"
                                  "\r\n"
                                  "Gathering information...please wait...OK\r\n"
                                  "\r\n"
                                  "Machine: FAKEPC (User: fakeuser)\r\n"
                                  "System Up Time: 0 Seconds.\r\n"
                                  "CPU: Intel Pentium III - 733 Mhz\r\n"
                                  "Memory: 512 MB (120563 KB free)\r\n"
                                  "OS: Windows 98 [4.10.2222]\r\n"
                                  "Video:  (0 x 0 - 0 bit)\r\n"
                                  "Network: Fast Ethernet\r\n"
                                  "IP Address: 192.168.1.20\r\n"
                                  "MAC Address: 00:a0:c9:12:34:56\r\n"
                                  "Printer: Laser on LPT1:\r\n"
                                  "\r\n"
                                  "press [enter] to exit...\r\n");
  EXPECT_TRUE(machine().input.empty());  // the line was read
}

TEST_F(ConsoleRunTest, EndOfInputDoesNotHang) {
  EXPECT_EQ(RunConsole(), 0);
  EXPECT_NE(machine().output.find("press [enter] to exit...\r\n"), std::string::npos);
}

TEST_F(ConsoleRunTest, AnUnknownProcessorLeavesBothNamesEmpty) {
  fake::Reset();
  for (int i = 0; i < 3; ++i) fake::ScriptMeasurePass(1000, 2400000);
  RunConsole();
  EXPECT_NE(machine().output.find("\r\nCPU:   - 2400 Mhz\r\n"), std::string::npos);
}

TEST_F(ConsoleRunTest, DividesInSixtyFourBits) {
  machine().memory.ullTotalPhys = 25ull << 30;
  machine().memory.ullAvailPhys = 5ull << 30;
  RunConsole();
  EXPECT_NE(machine().output.find("Memory: 25600 MB (5242880 KB free)\r\n"), std::string::npos);
}

TEST_F(ConsoleRunTest, AnUnnamedWindowsPrintsAnEmptyName) {
  Boot(2, 6, 0, 6000);
  RunConsole();
  EXPECT_NE(machine().output.find("\r\nOS:  [6.0.6000]\r\n"), std::string::npos);
}

}  // namespace
}  // namespace qor
