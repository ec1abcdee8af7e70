#include "routines/device_class.h"

#include <gtest/gtest.h>

#include "base/error.h"
#include "fake_test.h"
#include "routines/windows_version.h"

namespace qor {
namespace {

class DeviceClassTest : public test::FakeMachineTest {
 protected:
  std::vector<std::string> Lookup(const char* className, std::string* classKey = nullptr) {
    std::string key = "stale";
    TStringList list{"stale"};
    LookupDeviceClass(ClassKeyRoot, className, "DriverDesc", key, list);
    if (classKey) *classKey = key;
    EXPECT_EQ(fake::OpenHandles(), 0);
    return list.ToVector();
  }
};

TEST_F(DeviceClassTest, NTLayoutReadsTheFirstMatchingClass) {
  Boot(2, 5, 1, 2600);
  registry().Load(R"(REGEDIT4
[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Control\Class\{1}]
"Class"="Ports"
[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Control\Class\{1}\0000]
"DriverDesc"="COM1"
[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Control\Class\{2}]
"Class"="media"
[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Control\Class\{2}\0000]
"DriverDesc"="Sound Card"
[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Control\Class\{2}\0001]
"DriverDesc"="SOUND CARD"
[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Control\Class\{2}\0002]
"Other"="no description"
[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Control\Class\{2}\0003]
"DriverDesc"="Game Port"
[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Control\Class\{3}]
"Class"="MEDIA"
[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Control\Class\{3}\0000]
"DriverDesc"="Never Read"
)");
  std::string key;
  EXPECT_EQ(Lookup("MEDIA", &key), (std::vector<std::string>{"Sound Card", "Game Port"}));
  EXPECT_EQ(key, "{2}");
  EXPECT_TRUE(Lookup("Net", &key).empty());
  EXPECT_EQ(key, "");
}

TEST_F(DeviceClassTest, NineXLayoutFollowsTheLink) {
  Boot(1, 4, 10, 2222);
  registry().Load(R"(REGEDIT4
[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Services\Class\Net]
"Class"="Net"
"Link"="net"
[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Services\Class\NET\0000]
"DriverDesc"="Adapter"
[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Services\Class\Broken]
"Class"="Computer"
"Link"="Missing"
[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Services\Class\Good]
"Class"="Computer"
"Link"="NET"
)");
  std::string key;
  EXPECT_EQ(Lookup("net", &key), (std::vector<std::string>{"Adapter"}));
  EXPECT_EQ(key, "NET");
  // A link to nothing ends the lookup: the later matching class is not tried.
  EXPECT_TRUE(Lookup("Computer", &key).empty());
  EXPECT_EQ(key, "");
}

TEST_F(DeviceClassTest, ANonTextValueRaisesWithWhatWasCollected) {
  Boot(2, 5, 0, 2195);
  registry().Load(R"(REGEDIT4
[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Control\Class\{4}]
"Class"="NetTrans"
[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Control\Class\{4}\0000]
"DriverDesc"="TCP/IP"
[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Control\Class\{4}\0001]
"DriverDesc"=dword:00000001
)");
  std::string key;
  TStringList list;
  try {
    LookupDeviceClass(ClassKeyRoot, "NetTrans", "DriverDesc", key, list);
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.Message(), "Invalid data type for 'DriverDesc'");
  }
  EXPECT_EQ(list.ToVector(), (std::vector<std::string>{"TCP/IP"}));
  EXPECT_EQ(fake::OpenHandles(), 0);
}

}  // namespace
}  // namespace qor
