#include <gtest/gtest.h>

#include "base/error.h"
#include "fake_test.h"
#include "info/QOR_Network.h"
#include "platform/fake/fake_network.h"

namespace qor {
namespace {

class NetworkTest : public test::FakeMachineTest {
 protected:
  fake::Sockets& sockets() { return fake::CurrentSockets(); }
  fake::NetBios& netbios() { return fake::CurrentNetBios(); }
  void AddLana(std::uint8_t number, std::array<std::uint8_t, 6> address, std::uint8_t reset = 0,
               std::uint8_t status = 0) {
    netbios().lanas.push_back(fake::Lana{number, reset, status, address});
  }
  std::vector<std::string> MACs() {
    TStringList list{"stale"};
    GetMACAddressList(list);
    return list.ToVector();
  }
};

TEST_F(NetworkTest, WinsockVersionIsLowByteMajorHighByteMinor) {
  struct Case {
    std::uint16_t high;
    int major, minor;
  } cases[] = {{0x0202, 2, 2}, {0x0101, 1, 1}, {0x0102, 2, 1}};
  for (const auto& c : cases) {
    sockets().data.wHighVersion = c.high;
    TWinsock w;
    w.GetInfo();
    EXPECT_EQ(w.MajorVersion, c.major) << std::hex << c.high;
    EXPECT_EQ(w.MinorVersion, c.minor) << std::hex << c.high;
    EXPECT_EQ(w.Description, "WinSock 2.0");
    EXPECT_EQ(w.Status, "Running");
    EXPECT_EQ(fake::OpenHandles(), 0);
  }
}

TEST_F(NetworkTest, WinsockThatDoesNotStartKeepsItsValuesAndIsNotStopped) {
  TWinsock w;
  w.GetInfo();
  sockets().startResult = 10091;
  w.GetInfo();
  EXPECT_EQ(w.Status, "Winsock cannot be initialized.");
  EXPECT_EQ(w.Description, "WinSock 2.0");
  EXPECT_EQ(w.MajorVersion, 2);
  EXPECT_EQ(sockets().stops, 1);
}

TEST_F(NetworkTest, IPAddressTextJoinsTheResolvedAddressesInOrder) {
  sockets().hosts["FAKEHOST"] = {{10, 0, 0, 2}, {192, 168, 1, 20}, {127, 0, 0, 1}};
  EXPECT_EQ(GetIPAddressText(), "10.0.0.2,192.168.1.20,127.0.0.1");
  EXPECT_EQ(fake::OpenHandles(), 0);
}

TEST_F(NetworkTest, IPAddressTextStopsTheLayerOnlyWhenItStarted) {
  // A name that does not resolve still stops the layer it started.
  EXPECT_EQ(GetIPAddressText(), "");
  EXPECT_EQ(sockets().stops, 1);
  EXPECT_EQ(fake::OpenHandles(), 0);
  // A layer that did not start is never stopped.
  sockets().startResult = 10091;
  sockets().hosts["FAKEHOST"] = {{10, 0, 0, 2}};
  EXPECT_EQ(GetIPAddressText(), "10.0.0.2");
  EXPECT_EQ(sockets().stops, 1);
  // No host name: nothing to resolve.
  sockets().startResult = 0;
  sockets().hostNameResult = 10093;
  EXPECT_EQ(GetIPAddressText(), "");
  EXPECT_EQ(fake::OpenHandles(), 0);
}

TEST_F(NetworkTest, MACListFormatsLowerCaseAndKeepsEachAddressOnce) {
  AddLana(3, {0x00, 0xA0, 0xC9, 0x12, 0x34, 0x56});
  AddLana(0, {0x00, 0xA0, 0xC9, 0x12, 0x34, 0x56});  // the same adapter bound twice
  AddLana(5, {0xDE, 0xAD, 0xBE, 0xEF, 0x00, 0x01});
  EXPECT_EQ(MACs(), (std::vector<std::string>{"00:a0:c9:12:34:56", "de:ad:be:ef:00:01"}));
  const std::string star = "'*               '";
  EXPECT_EQ(netbios().calls,
            (std::vector<std::string>{"ENUM 256", "RESET 3", "ASTAT 3 348 " + star, "RESET 0",
                                      "ASTAT 0 348 " + star, "RESET 5", "ASTAT 5 348 " + star}));
}

TEST_F(NetworkTest, MACListSkipsFailedResetsAndMarksFailedStatusOnce) {
  AddLana(1, {1, 2, 3, 4, 5, 6}, /*reset=*/0x23);
  AddLana(2, {}, 0, /*status=*/0x34);
  AddLana(4, {}, 0, /*status=*/0x34);
  EXPECT_EQ(MACs(), (std::vector<std::string>{"??:??:??:??:??:??"}));
  EXPECT_EQ(netbios().calls.at(1), "RESET 1");
  EXPECT_EQ(netbios().calls.at(2), "RESET 2");  // no status query for LANA 1
}

TEST_F(NetworkTest, EmptyOrFailedEnumerationGivesNoAddressAndNoFurtherCommand) {
  EXPECT_TRUE(MACs().empty());
  EXPECT_EQ(netbios().calls, (std::vector<std::string>{"ENUM 256"}));
  AddLana(1, {1, 2, 3, 4, 5, 6});
  netbios().enumResult = 0x40;
  netbios().calls.clear();
  EXPECT_TRUE(MACs().empty());
  EXPECT_EQ(netbios().calls, (std::vector<std::string>{"ENUM 256"}));
}

}  // namespace
}  // namespace qor

namespace qor {
namespace {

class NetworkInventoryTest : public NetworkTest {};

TEST_F(NetworkInventoryTest, IPAddressesComeFromTheCommaText) {
  TNetwork n;
  sockets().hosts["FAKEHOST"] = {{10, 0, 0, 2}, {10, 0, 0, 3}};
  n.GetInfo();
  EXPECT_EQ(n.IPAddresses.ToVector(), (std::vector<std::string>{"10.0.0.2", "10.0.0.3"}));
  sockets().hosts.clear();
  n.GetInfo();
  EXPECT_EQ(n.IPAddresses.Count(), 0);
  EXPECT_EQ(fake::OpenHandles(), 0);
}

// Windows 2000 keeps its network components under a key of its own with
// "Description"; the other versions use the class-key root and "DriverDesc".
TEST_F(NetworkInventoryTest, ComponentsComeFromTheVersionsOwnKey) {
  const char* classes = R"reg(REGEDIT4
[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Control\Class\{T}]
"Class"="NetTrans"
[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Control\Class\{T}\0000]
"DriverDesc"="TCP/IP (class root)"
[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Control\Class\{T}\0001]
"DriverDesc"="TCP/IP (class root)"
[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Control\Class\{S}]
"Class"="NetService"
[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Control\Class\{S}\0000]
"DriverDesc"="File sharing"
[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Control\Class\{C}]
"Class"="NetClient"
[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Control\Class\{C}\0000]
"DriverDesc"="Client"
[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Control\Network\{T}]
"Class"="NetTrans"
[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Control\Network\{T}\0000]
"Description"="TCP/IP (network key)"
"DriverDesc"="never read on 2000"
)reg";
  registry().Load(classes);
  Boot(2, 4, 0, 1381);
  TNetwork n;
  n.GetInfo();
  EXPECT_EQ(n.Protocols.ToVector(), (std::vector<std::string>{"TCP/IP (class root)"}));
  EXPECT_EQ(n.Services.ToVector(), (std::vector<std::string>{"File sharing"}));
  EXPECT_EQ(n.Clients.ToVector(), (std::vector<std::string>{"Client"}));

  Boot(2, 5, 0, 2195);
  n.GetInfo();
  EXPECT_EQ(n.Protocols.ToVector(), (std::vector<std::string>{"TCP/IP (network key)"}));
  EXPECT_EQ(n.Services.Count(), 0);
  EXPECT_EQ(n.Clients.Count(), 0);
  EXPECT_EQ(fake::OpenHandles(), 0);
}

}  // namespace
}  // namespace qor

namespace qor {
namespace {

class NetworkAdaptersTest : public NetworkTest {
 protected:
  // A 9x-family machine whose enumerated devices are these (class, description,
  // friendly name, location), in this order.
  void Devices(std::vector<std::array<const char*, 4>> devices) {
    Boot(1, 4, 10, 1998);
    std::string text = "REGEDIT4\n";
    int n = 0;
    for (const auto& d : devices) {
      text += "[HKEY_LOCAL_MACHINE\\Enum\\PCI\\DEV" + std::to_string(n++) + "\\0000]\n";
      text += std::string("\"Class\"=\"") + d[0] + "\"\n\"DeviceDesc\"=\"" + d[1] + "\"\n";
      if (*d[2]) text += std::string("\"FriendlyName\"=\"") + d[2] + "\"\n";
      if (*d[3]) text += std::string("\"LocationInformation\"=\"") + d[3] + "\"\n";
    }
    registry().Load(text);
  }
};

TEST_F(NetworkAdaptersTest, TheFirstLocatedAdapterIsTheCard) {
  struct Case {
    const char* name;
    std::vector<std::array<const char*, 4>> devices;
    std::vector<std::string> adapters;
    int card;
  } cases[] = {
      {"second and third located",
       {{"Net", "Dial-Up Adapter", "", ""},
        {"MEDIA", "Sound", "", "ISA"},
        {"Net", "NE2000", "Fast Ethernet", "PCI slot 1"},
        {"net", "Wireless", "", "PCI slot 2"}},
       {"Dial-Up Adapter", "Fast Ethernet", "Wireless"},
       1},
      {"same name twice, none located",
       {{"Net", "Dial-Up Adapter", "", ""}, {"Net", "Dial-Up Adapter", "", ""}},
       {"Dial-Up Adapter", "Dial-Up Adapter"},
       -1},
      {"no network device", {{"MEDIA", "Sound", "", "ISA"}}, {}, -1},
  };
  for (const auto& c : cases) {
    fake::Reset();
    Devices(c.devices);
    TNetwork n;
    n.GetInfo();
    EXPECT_EQ(n.Adapters.ToVector(), c.adapters) << c.name;
    EXPECT_EQ(n.CardAdapterIndex, c.card) << c.name;
    EXPECT_EQ(fake::OpenHandles(), 0) << c.name;
  }
}

TEST_F(NetworkAdaptersTest, AnInventoryFailureStopsBeforeTheComponentsAndAddresses) {
  Devices({{"Net", "NE2000", "", "PCI slot 1"}});
  AddLana(0, {1, 2, 3, 4, 5, 6});
  TNetwork n;
  n.GetInfo();
  ASSERT_EQ(n.MACAddresses.Count(), 1);
  registry().Load(
      "REGEDIT4\n[HKEY_LOCAL_MACHINE\\Enum\\PCI\\DEV0\\0000]\n\"DeviceDesc\"=dword:00000001\n");
  netbios().lanas.clear();
  EXPECT_THROW(n.GetInfo(), Error);
  EXPECT_EQ(n.MACAddresses.Count(), 1);  // the later steps keep their earlier state
  EXPECT_EQ(fake::OpenHandles(), 0);
}

}  // namespace
}  // namespace qor
