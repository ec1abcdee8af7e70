#include <gtest/gtest.h>

#include "base/error.h"
#include "fake_test.h"
#include "info/QOR_Devices.h"

namespace qor {
namespace {

class DevicesTest : public test::FakeMachineTest {
 protected:
  void BootNT() { Boot(2, 5, 1, 2600); }
  void Boot98() { Boot(1, 4, 10, 1998); }
  void LoadFixture(const char* name) { registry().LoadFile(std::string(QOR_FIXTURES "/") + name); }
  std::vector<TDevice> Records(const TDevices& d) {
    std::vector<TDevice> out(d.DeviceCount);
    for (int i = 0; i < d.DeviceCount; ++i) d.GetDevice(i, out[i]);
    return out;
  }
};

TEST_F(DevicesTest, WalksTheNTLayoutPresentDevicesOnlySortedByClass) {
  BootNT();
  LoadFixture("devices_nt_layout.reg");
  TDevices devices;
  devices.GetInfo();
  EXPECT_EQ(fake::OpenHandles(), 0);
  // The removed sound card has no "Control" key, the blank class is dropped, and the
  // network card walked first sorts after Display and MEDIA.
  ASSERT_EQ(devices.DeviceCount, 4);
  auto r = Records(devices);
  EXPECT_EQ(r[0].ClassName, "Display");
  EXPECT_EQ(r[1].ClassName, "MEDIA");
  EXPECT_EQ(r[2].ClassName, "Net");
  EXPECT_EQ(r[3].ClassName, "TapeDrive");

  const TDevice& video = r[0];
  EXPECT_EQ(video.DeviceClass, dcDisplay);
  EXPECT_EQ(video.ClassDesc, "Display adapters");
  EXPECT_EQ(video.ClassIcon, "-1");
  EXPECT_EQ(video.Location, "PCI bus 1, device 0, function 0");
  // The doubled separator in "Driver" still finds the driver key.
  EXPECT_EQ(video.DriverDate, "7-1-2001");
  EXPECT_EQ(video.DriverVersion, "5.1.2600.0");
  EXPECT_EQ(video.DriverProvider, "Video Maker");
  EXPECT_EQ(video.RegKey,
            "SYSTEM\\CurrentControlSet\\Enum\\PCI\\VEN_5333&DEV_8811\\3&61AAA01&0&08");

  const TDevice& sound = r[1];
  EXPECT_EQ(sound.DeviceClass, dcMEDIA);
  EXPECT_EQ(sound.FriendlyName, "Fixture Sound Card");
  EXPECT_EQ(sound.Description, "Generic Sound");
  EXPECT_EQ(sound.HardwareID, "ROOT\\SOUND");  // stored as text
  EXPECT_EQ(sound.Location, "ISA slot 2");

  const TDevice& net = r[2];
  EXPECT_EQ(net.DeviceClass, dcNet);
  EXPECT_EQ(net.GUID, "{4D36E972-E325-11CE-BFC1-08002BE10318}");  // upper-cased
  EXPECT_EQ(net.Manufacturer, "Net Maker");
  EXPECT_EQ(net.HardwareID, "PCI\\APCI\\B");  // multi-string strings joined
  // No location of its own: the display name of its bus's service.
  EXPECT_EQ(net.Location, "PCI Bus");
  EXPECT_EQ(net.ServiceName, "Net Card Driver");
  EXPECT_EQ(net.ServiceGroup, "NDIS");
  EXPECT_EQ(net.ServiceType, 1);

  // Known only by its own "Class"; its service lacks "Type": no name, but the group.
  const TDevice& tape = r[3];
  EXPECT_EQ(tape.DeviceClass, dcTapeDrive);
  EXPECT_EQ(tape.ServiceName, "");
  EXPECT_EQ(tape.ServiceGroup, "Extended base");
  EXPECT_EQ(tape.ClassDesc, "");
}

TEST_F(DevicesTest, Walks9xLayoutThroughLinksWithoutControlKeys) {
  Boot98();
  LoadFixture("devices_9x_layout.reg");
  TDevices devices;
  devices.GetInfo();
  EXPECT_EQ(fake::OpenHandles(), 0);
  ASSERT_EQ(devices.DeviceCount, 2);  // "Network" is left out
  auto r = Records(devices);
  EXPECT_EQ(r[0].ClassName, "Display");
  EXPECT_EQ(r[0].ClassDesc, "Display adapters");  // read from the linked key
  EXPECT_EQ(r[0].DriverVersion, "4.10.1998");
  EXPECT_EQ(r[0].HardwareID, "PCI\\VEN_5333&DEV_8811");
  EXPECT_EQ(r[0].Location, "PCI bus");
  EXPECT_EQ(r[0].RegKey, "Enum\\PCI\\VEN_5333&DEV_8811\\BUS_01&DEV_00&FUNC_00");
  EXPECT_EQ(r[1].ClassName, "MEDIA");
  EXPECT_EQ(r[1].DeviceClass, dcMEDIA);
  EXPECT_EQ(r[1].Location, "");  // no "ROOT" service to locate it by
}

TEST_F(DevicesTest, OnlyThe9xFamilySkipsTheNetworkEnumeratorAndOnlyByExactCase) {
  struct Case {
    bool nt;
    const char* enumerator;
    int count;
  } cases[] = {{false, "Network", 0}, {false, "NETWORK", 1}, {true, "Network", 1}};
  for (const auto& c : cases) {
    fake::Reset();
    c.nt ? BootNT() : Boot98();
    const std::string root = c.nt ? "SYSTEM\\CurrentControlSet\\Enum" : "Enum";
    registry().Load("REGEDIT4\n[HKEY_LOCAL_MACHINE\\" + root + "\\" + c.enumerator +
                    "\\MSTCP\\0000]\n\"Class\"=\"NetTrans\"\n"
                    "[HKEY_LOCAL_MACHINE\\" +
                    root + "\\" + c.enumerator + "\\MSTCP\\0000\\Control]\n");
    TDevices devices;
    devices.GetInfo();
    EXPECT_EQ(devices.DeviceCount, c.count) << c.nt << ' ' << c.enumerator;
  }
}

TEST_F(DevicesTest, ADeviceWithoutLocationIsLocatedByItsBusServiceOnlyWhenThatHasAType) {
  struct Case {
    const char* typeLine;
    const char* location;
  } cases[] = {{"\"Type\"=dword:00000001\n", "PCI Bus"}, {"", ""}};
  for (const auto& c : cases) {
    fake::Reset();
    BootNT();
    registry().Load(std::string(R"(REGEDIT4
[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Services\PCI]
"DisplayName"="PCI Bus"
)") + c.typeLine + R"(
[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Enum\PCI\VEN_1\0]
"Class"="Net"
[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Enum\PCI\VEN_1\0\Control]
)");
    TDevices devices;
    devices.GetInfo();
    ASSERT_EQ(devices.DeviceCount, 1);
    TDevice d;
    devices.GetDevice(0, d);
    EXPECT_EQ(d.Location, c.location) << c.typeLine;
  }
}

TEST_F(DevicesTest, HardwareIDReadsAnyShapeAndNeverFails) {
  const std::string big = "hex:" + [] {
    std::string s = "00";
    for (int i = 1; i < 256; ++i) s += ",41";
    return s;
  }();
  struct Case {
    std::string value;
    const char* text;
  } cases[] = {
      {"hex(7):41,00,42,00,00", "AB"},
      {"\"PCI\\\\VEN_1\"", "PCI\\VEN_1"},
      {"hex:41,42,00,00,43", "AB"},  // stops at two zero bytes in a row
      {"dword:00000001", ""},        // neither binary nor text
      {big, ""},                     // more than the 255-byte buffer
      {"-", ""},                     // missing
  };
  for (const auto& c : cases) {
    fake::Reset();
    Boot98();
    registry().Load(
        "REGEDIT4\n[HKEY_LOCAL_MACHINE\\Enum\\ROOT\\X\\0000]\n\"Class\"=\"Ports\"\n"
        "\"HardwareID\"=" +
        c.value + "\n");
    TDevices devices;
    devices.GetInfo();
    ASSERT_EQ(devices.DeviceCount, 1) << c.value;
    TDevice d;
    devices.GetDevice(0, d);
    EXPECT_EQ(d.HardwareID, c.text) << c.value;
    EXPECT_EQ(d.DeviceClass, dcPorts);
  }
}

TEST_F(DevicesTest, ClassCodeIsTheFirstTableTextThatStartsTheName) {
  struct Case {
    const char* name;
    TDeviceClass code;
  } cases[] = {
      {"NetService", dcNet},
      {"HIDClass", dcHID},
      {"TapeDrive", dcTapeDrive},
      {"Tape", dcTape},
      {"tapecontroller", dcTapeController},
      {"media", dcMEDIA},
      {"FDC", dcFDC},
      {"Unknown", dcUnknown},
      {"Sound", dcUnknown},
      {"", dcUnknown},
      {"Battery", dcBattery},
      {"USB", dcUSB},
      {"1394", dc1394},
      {"DiskDrive", dcDiskDrive},
  };
  for (const auto& c : cases) EXPECT_EQ(TDevices::GetDeviceClass(c.name), c.code) << c.name;
}

TEST_F(DevicesTest, EqualClassNamesKeepWalkOrder) {
  Boot98();
  registry().Load(R"(REGEDIT4
[HKEY_LOCAL_MACHINE\Enum\ROOT\B\0000]
"Class"="Net"
"DeviceDesc"="first"
[HKEY_LOCAL_MACHINE\Enum\ROOT\A\0000]
"Class"="media"
"DeviceDesc"="second"
[HKEY_LOCAL_MACHINE\Enum\ROOT\C\0000]
"Class"="MEDIA"
"DeviceDesc"="third"
[HKEY_LOCAL_MACHINE\Enum\ROOT\D\0000]
"Class"="Media"
"DeviceDesc"="fourth"
)");
  TDevices devices;
  devices.GetInfo();
  auto r = Records(devices);
  ASSERT_EQ(r.size(), 4u);
  EXPECT_EQ(r[0].Description, "second");
  EXPECT_EQ(r[1].Description, "third");
  EXPECT_EQ(r[2].Description, "fourth");
  EXPECT_EQ(r[3].Description, "first");
}

TEST_F(DevicesTest, ARegistryErrorEndsTheWalkKeepsTheCountAndClosesEveryKey) {
  BootNT();
  LoadFixture("devices_nt_layout.reg");
  TDevices devices;
  devices.GetInfo();
  ASSERT_EQ(devices.DeviceCount, 4);
  registry().Load(R"(REGEDIT4
[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Enum\ROOT\MEDIA\0000]
"DeviceDesc"=dword:00000001
)");
  try {
    devices.GetInfo();
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.Message(), "Invalid data type for 'DeviceDesc'");
  }
  EXPECT_EQ(fake::OpenHandles(), 0);
  EXPECT_EQ(devices.DeviceCount, 4);
  EXPECT_EQ(devices.Records().Count(), 2);  // the walk stopped at the media device
  // The stale count reaches past the records: those reads leave the record alone.
  TDevice untouched;
  untouched.Description = "mine";
  devices.GetDevice(2, untouched);
  EXPECT_EQ(untouched.Description, "mine");
}

TEST_F(DevicesTest, GetDeviceOutsideTheListLeavesTheRecordAlone) {
  BootNT();
  LoadFixture("devices_nt_layout.reg");
  TDevices devices;
  devices.GetInfo();
  for (int index : {-1, devices.DeviceCount}) {
    TDevice d;
    d.ClassName = "kept";
    d.ServiceType = 7;
    devices.GetDevice(index, d);
    EXPECT_EQ(d.ClassName, "kept");
    EXPECT_EQ(d.ServiceType, 7);
  }
}

TEST_F(DevicesTest, NoEnumerationRootMeansAnEmptyInventory) {
  BootNT();
  TDevices devices;
  devices.DeviceCount = 9;
  devices.GetInfo();
  EXPECT_EQ(devices.DeviceCount, 0);
}

}  // namespace
}  // namespace qor
