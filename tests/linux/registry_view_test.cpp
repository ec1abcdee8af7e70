// The Linux registry view, built over a small sysfs/procfs fixture so its keys and
// values are known exactly, whatever machine runs the test.
#include "platform/linux/registry_view.h"

#include <gtest/gtest.h>

#include <cstring>

#include "base/registry.h"
#include "platform/os.h"
#include "routines/device_class.h"
#include "routines/windows_version.h"

namespace qor {
namespace {

using platform::kHKeyLocalMachine;

class RegistryViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string root = QOR_FIXTURES "/linux-view";
    platform::linux_impl::SetSources(
        {root + "/sys", root + "/proc", root + "/hwdata", root + "/etc"});
    InitWindowsVersion();
  }
  void TearDown() override { platform::linux_impl::SetSources({}); }
  std::vector<std::string> Keys(const std::string& path) {
    TRegistry reg;
    reg.RootKey = kHKeyLocalMachine;
    TStringList names;
    if (reg.OpenKey(path)) reg.GetKeyNames(names);
    return names.ToVector();
  }
};

TEST_F(RegistryViewTest, EnumeratesPciAndUsbDevicesInTheNineXLayout) {
  EXPECT_EQ(Keys("Enum"), (std::vector<std::string>{"PCI", "USB"}));
  EXPECT_EQ(
      Keys("Enum\\PCI"),
      (std::vector<std::string>{
          "VEN_8086&DEV_1234&SUBSYS_00018086&REV_02", "VEN_1AF4&DEV_1041&SUBSYS_11001AF4&REV_01",
          "VEN_1AF4&DEV_1053&SUBSYS_11001AF4&REV_01", "VEN_8086&DEV_2668&SUBSYS_00028086&REV_03"}));
  TRegistry reg;
  reg.RootKey = kHKeyLocalMachine;
  ASSERT_TRUE(
      reg.OpenKey("Enum\\PCI\\VEN_8086&DEV_1234&SUBSYS_00018086&REV_02\\BUS_00&DEV_02&FUNC_00"));
  EXPECT_EQ(reg.ReadString("Class"), "Display");
  EXPECT_EQ(reg.ReadString("DeviceDesc"), "Test Graphics");
  EXPECT_EQ(reg.ReadString("Mfg"), "Intel Corporation");
  EXPECT_EQ(reg.ReadString("Service"), "i915");
  EXPECT_EQ(reg.ReadString("LocationInformation"), "PCI bus 0, device 2, function 0");
  EXPECT_EQ(reg.ReadString("Driver"), "Display\\0000");
  char ids[255] = {};
  int size = reg.ReadBinaryData("HardwareID", ids, sizeof ids);
  ASSERT_GT(size, 0);
  EXPECT_EQ(std::string(ids),
            "PCI\\VEN_8086&DEV_1234&SUBSYS_00018086&REV_02");  // the first of four

  // A class Linux states as unassigned is the Unknown class, so the device is listed.
  ASSERT_TRUE(
      reg.OpenKey("\\Enum\\PCI\\VEN_1AF4&DEV_1053&SUBSYS_11001AF4&REV_01\\BUS_00&DEV_04&FUNC_00"));
  EXPECT_EQ(reg.ReadString("Class"), "Unknown");
  EXPECT_EQ(reg.ReadString("DeviceDesc"), "Virtio socket");

  // USB: the device's own strings first, the ID database where it states none.
  ASSERT_TRUE(reg.OpenKey("\\Enum\\USB\\VID_046D&PID_C077\\1-1"));
  EXPECT_EQ(reg.ReadString("Class"), "HID");
  EXPECT_EQ(reg.ReadString("DeviceDesc"), "USB Optical Mouse");
  EXPECT_EQ(reg.ReadString("Mfg"), "Logitech, Inc.");
  EXPECT_EQ(reg.ReadString("Service"), "usbhid");
}

TEST_F(RegistryViewTest, ClassesAndServicesServeTheLookups) {
  std::string classKey;
  TStringList media;
  LookupDeviceClass(ClassKeyRoot, "MEDIA", "DriverDesc", classKey, media);
  EXPECT_EQ(classKey, "MEDIA");
  EXPECT_EQ(media.ToVector(), (std::vector<std::string>{"HDA Intel"}));  // the sound card's name
  TStringList computer;
  LookupDeviceClass(ClassKeyRoot, "Computer", "DriverDesc", classKey, computer);
  EXPECT_EQ(computer.ToVector(), (std::vector<std::string>{"Test Machine 3000"}));

  TRegistry reg;
  reg.RootKey = kHKeyLocalMachine;
  ASSERT_TRUE(reg.OpenKey("SYSTEM\\CurrentControlSet\\Services\\snd_hda_intel"));
  EXPECT_EQ(reg.ReadString("DisplayName"), "snd_hda_intel");
  EXPECT_EQ(reg.ReadInteger("Type"), 1);
}

TEST_F(RegistryViewTest, TheVersionKeyNamesTheDistribution) {
  TRegistry reg;
  reg.RootKey = kHKeyLocalMachine;
  ASSERT_TRUE(reg.OpenKey("SOFTWARE\\Microsoft\\Windows\\CurrentVersion"));
  EXPECT_EQ(reg.ReadString("Version"), "Testix 7 (quokka)");
  EXPECT_FALSE(reg.ValueExists("RegisteredOwner"));  // nothing Linux states
}

TEST_F(RegistryViewTest, TheZoneListHoldsTheLocalZoneAsTheSystemAnswersIt) {
  unsetenv("TZ");  // the name then comes from the fixture's link
  TRegistry reg;
  reg.RootKey = kHKeyLocalMachine;
  ASSERT_TRUE(
      reg.OpenKey("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Time Zones\\Europe/Berlin"));
  EXPECT_EQ(reg.ReadString("Display"), "Europe/Berlin");  // named by the fixture's link
  EXPECT_EQ(reg.GetDataSize("TZI"), 44);
  platform::TimeZoneRecord zone;
  platform::ReadTimeZone(zone);
  std::int32_t bias = 0;
  std::uint8_t tzi[44];
  reg.ReadBinaryData("TZI", tzi, 44);
  std::memcpy(&bias, tzi, 4);
  EXPECT_EQ(bias, zone.Bias);
}

TEST_F(RegistryViewTest, OtherRootsAreEmptyAndMissingKeysStayMissing) {
  TRegistry reg;
  EXPECT_FALSE(reg.OpenKey("Software"));  // HKEY_CURRENT_USER
  reg.RootKey = kHKeyLocalMachine;
  EXPECT_FALSE(reg.OpenKey("Enum\\PCI\\NOTHING"));
  EXPECT_FALSE(reg.OpenKey("Enum\\\\PCI"));
}

}  // namespace
}  // namespace qor
