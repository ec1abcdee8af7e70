#include <gtest/gtest.h>

#include "base/error.h"
#include "fake_test.h"
#include "info/QOR_OS.h"
#include "platform/fake/fake_os.h"
#include "platform/fake/fake_system.h"

namespace qor {
namespace {

constexpr std::uint32_t kNT = 2, k9x = 1;

std::string ErrorOf(TInfoClass& c) {
  try {
    c.GetInfo();
  } catch (const Error& e) {
    return e.Message();
  }
  return "";
}

// ---- NT specifics ----

using NTSpecificTest = test::FakeMachineTest;

TEST_F(NTSpecificTest, NT4TakesTheProductTypeFromTheRegistryOnly) {
  Boot(kNT, 4, 0, 1381, "Service Pack 6");
  machine().version.wProductType = 3;  // not asked for below version 5
  machine().version.wSuiteMask = 0x12;
  machine().version.wServicePackMajor = 6;
  registry().LoadFile(QOR_FIXTURES "/os_nt4_sp6.reg");
  TNTSpecific nt;
  nt.GetInfo();
  EXPECT_EQ(nt.ProductType, ptWorkStation);
  EXPECT_EQ(nt.InstalledSuites, 0);
  EXPECT_EQ(nt.ServicePackMajorVersion, 0);
  EXPECT_EQ(nt.ServicePackMinorVersion, 0);
  EXPECT_EQ(fake::OpenHandles(), 0);
}

TEST_F(NTSpecificTest, RegistryTextsMatchExactly) {
  Boot(kNT, 4, 0, 1381);
  struct {
    const char* text;
    TNtProductType type;
  } const cases[] = {{"WinNT", ptWorkStation},       {"ServerNT", ptServer},
                     {"LanmanNT", ptAdvancedServer}, {"winnt", ptUnknown},
                     {"WinNT ", ptUnknown},          {"", ptUnknown}};
  for (const auto& c : cases) {
    registry().Clear();
    registry().Load(
        std::string("REGEDIT4\n[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\"
                    "ProductOptions]\n\"ProductType\"=\"") +
        c.text + "\"\n");
    TNTSpecific nt;
    nt.GetInfo();
    EXPECT_EQ(nt.ProductType, c.type) << c.text;
  }
}

TEST_F(NTSpecificTest, Version5UsesTheExtendedRecord) {
  Boot(kNT, 5, 1, 2600, "Service Pack 1");
  registry().LoadFile(QOR_FIXTURES "/os_winxp.reg");  // says "WinNT": not read
  struct {
    std::uint8_t productType;
    std::uint16_t suites;
    TNtProductType type;
    TNTSuites set;
  } const cases[] = {
      {1, 0x0000, ptWorkStation, 0},
      {2, 0x0012, ptAdvancedServer, (1 << suEnterprise) | (1 << suTerminal)},
      {3, 0x0100, ptServer, 0},
      {3, 0x01FF, ptServer, 0xFF},
  };
  for (const auto& c : cases) {
    machine().version.wProductType = c.productType;
    machine().version.wSuiteMask = c.suites;
    machine().version.wServicePackMajor = 1;
    machine().version.wServicePackMinor = 2;
    TNTSpecific nt;
    nt.GetInfo();
    EXPECT_EQ(nt.ProductType, c.type);
    EXPECT_EQ(nt.InstalledSuites, c.set) << c.suites;
    EXPECT_EQ(nt.ServicePackMajorVersion, 1);
    EXPECT_EQ(nt.ServicePackMinorVersion, 2);
  }
}

TEST_F(NTSpecificTest, RefusedExtendedRecordFallsBackToTheRegistry) {
  Boot(kNT, 5, 0, 2195);
  machine().versionExRefused = true;
  machine().version.wProductType = 3;
  registry().LoadFile(QOR_FIXTURES "/os_winxp.reg");
  TNTSpecific nt;
  nt.GetInfo();
  EXPECT_EQ(nt.ProductType, ptWorkStation);
  EXPECT_EQ(nt.ServicePackMajorVersion, 0);
}

TEST_F(NTSpecificTest, AKnownTypeIsKeptAndNotReadAgain) {
  Boot(kNT, 5, 1, 2600);
  machine().version.wProductType = 9;  // unlisted: leaves the type as it was
  registry().LoadFile(QOR_FIXTURES "/os_winxp.reg");
  TNTSpecific nt;
  nt.GetInfo();
  ASSERT_EQ(nt.ProductType, ptWorkStation);
  registry().Load(
      "REGEDIT4\n[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\ProductOptions]\n"
      "\"ProductType\"=\"ServerNT\"\n");
  nt.GetInfo();
  EXPECT_EQ(nt.ProductType, ptWorkStation);
}

TEST_F(NTSpecificTest, Windows9xKeepsTheInitialValues) {
  Boot(k9x, 4, 10, 0x040A08AE, " A ");
  machine().version.wProductType = 1;
  TNTSpecific nt;
  nt.GetInfo();
  EXPECT_EQ(nt.ProductType, ptUnknown);
  EXPECT_EQ(nt.InstalledSuites, 0);
  EXPECT_EQ(nt.ServicePackMajorVersion, 0);
}

TEST_F(NTSpecificTest, ANonTextProductTypeFails) {
  Boot(kNT, 4, 0, 1381);
  registry().Load(
      "REGEDIT4\n[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\ProductOptions]\n"
      "\"ProductType\"=dword:00000001\n");
  TNTSpecific nt;
  EXPECT_EQ(ErrorOf(nt), "Invalid data type for 'ProductType'");
  EXPECT_EQ(fake::OpenHandles(), 0);
}

// ---- Time zone ----

class TimeZoneTest : public test::FakeMachineTest {
 protected:
  // Eastern time with the rules of its time: first Sunday of April, last of October.
  void Eastern() {
    auto& z = fake::Os().timeZone;
    z.Bias = 300;
    z.StandardBias = 0;
    z.DaylightBias = -60;
    z.StandardDate = {0, 10, 0, 5, 2, 0, 0, 0};
    z.DaylightDate = {0, 4, 0, 1, 2, 0, 0, 0};
    fake::SetZoneName(z.StandardName, "Eastern Standard Time");
    fake::SetZoneName(z.DaylightName, "Eastern Daylight Time");
  }
};

TEST_F(TimeZoneTest, MatchesTheFirstIdenticalZoneAndComputesThisYearsTransitions) {
  Boot(kNT, 5, 0, 2195);
  registry().LoadFile(QOR_FIXTURES "/os_win2000_time_zones.reg");
  Eastern();
  fake::System().now = {2002, 6, 6, 15, 12, 0, 0, 0};
  TTimeZone tz;
  tz.GetInfo();
  // "Bad Size" (43 bytes) and "Case Differs" are passed over; of two identical
  // zones the first in the registry's order wins.
  EXPECT_EQ(tz.DisplayName, "(GMT-05:00) Eastern Time (US & Canada)");
  EXPECT_EQ(tz.StandardName, "Eastern Standard Time");
  EXPECT_EQ(tz.DaylightName, "Eastern Daylight Time");
  EXPECT_EQ(tz.Bias, 300);
  EXPECT_EQ(tz.StandardBias, 300);
  EXPECT_EQ(tz.DaylightBias, 240);
  EXPECT_DOUBLE_EQ(tz.DaylightStart, EncodeDate(2002, 4, 7) + EncodeTime(2, 0, 0, 0));
  EXPECT_DOUBLE_EQ(tz.StandardStart, EncodeDate(2002, 10, 27) + EncodeTime(2, 0, 0, 0));
  EXPECT_EQ(fake::OpenHandles(), 0);
}

TEST_F(TimeZoneTest, AZoneWithoutDaylightSavingLeavesTransitionsAndTotalsAlone) {
  Boot(kNT, 5, 0, 2195);
  registry().LoadFile(QOR_FIXTURES "/os_win2000_time_zones.reg");
  auto& z = fake::Os().timeZone;
  z.Bias = -540;
  z.DaylightBias = -60;
  fake::SetZoneName(z.StandardName, "Tokyo Standard Time");
  fake::SetZoneName(z.DaylightName, "Tokyo Daylight Time");
  TTimeZone tz;
  tz.GetInfo();
  EXPECT_EQ(tz.DisplayName, "(GMT+09:00) Osaka, Sapporo, Tokyo");
  EXPECT_EQ(tz.Bias, -540);
  EXPECT_EQ(tz.DaylightStart, 0);
  EXPECT_EQ(tz.StandardStart, 0);
  EXPECT_EQ(tz.DaylightBias, 0);
  EXPECT_EQ(tz.StandardBias, 0);
}

TEST_F(TimeZoneTest, WithoutAMatchTheDisplayNameStays) {
  Boot(kNT, 5, 0, 2195);
  Eastern();
  TTimeZone tz;
  tz.DisplayName = "earlier";
  tz.GetInfo();  // no zone list at all
  EXPECT_EQ(tz.DisplayName, "earlier");
  EXPECT_EQ(tz.Bias, 300);

  // The 9x family reads its own list, so the NT one is not consulted.
  Boot(k9x, 4, 10, 2222);
  registry().LoadFile(QOR_FIXTURES "/os_win2000_time_zones.reg");
  tz.GetInfo();
  EXPECT_EQ(tz.DisplayName, "earlier");
}

TEST_F(TimeZoneTest, TheNinetyEightListAndAFixedDateRule) {
  Boot(k9x, 4, 10, 2222);
  registry().LoadFile(QOR_FIXTURES "/os_win98.reg");
  auto& z = fake::Os().timeZone;
  z.Bias = -60;
  z.DaylightBias = -60;
  z.StandardDate = {0, 10, 0, 5, 3, 0, 0, 0};
  z.DaylightDate = {0, 3, 0, 5, 2, 0, 0, 0};
  fake::SetZoneName(z.StandardName, "W. Europe Standard Time");
  fake::SetZoneName(z.DaylightName, "W. Europe Daylight Time");
  TTimeZone tz;
  tz.GetInfo();
  EXPECT_EQ(tz.DisplayName, "(GMT+01:00) Amsterdam, Berlin, Bern, Rome, Stockholm, Vienna");
  EXPECT_DOUBLE_EQ(tz.DaylightStart, EncodeDate(2002, 3, 31) + EncodeTime(2, 0, 0, 0));

  z.DaylightDate = {1999, 3, 0, 28, 2, 0, 0, 0};  // a rule with a year: its fixed date
  tz.GetInfo();
  EXPECT_EQ(tz.DisplayName, "(GMT+01:00) Amsterdam, Berlin, Bern, Rome, Stockholm, Vienna");
  EXPECT_DOUBLE_EQ(tz.DaylightStart, EncodeDate(1999, 3, 28) + EncodeTime(2, 0, 0, 0));
}

TEST_F(TimeZoneTest, ARuleWithoutAValidDateIsSwallowedKeepingWhatWasAssigned) {
  Boot(kNT, 5, 0, 2195);
  Eastern();
  fake::Os().timeZone.StandardDate.wHour = 24;
  TTimeZone tz;
  tz.GetInfo();
  EXPECT_DOUBLE_EQ(tz.DaylightStart, EncodeDate(2002, 4, 7) + EncodeTime(2, 0, 0, 0));
  EXPECT_EQ(tz.StandardStart, 0);
  EXPECT_EQ(tz.DaylightBias, 0);
  EXPECT_EQ(tz.StandardBias, 0);
}

TEST_F(TimeZoneTest, ATextTZIOfFortyFourBytesFails) {
  Boot(kNT, 5, 0, 2195);
  Eastern();
  registry().Load(
      "REGEDIT4\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Time "
      "Zones\\Text]\n\"TZI\"=\"" +
      std::string(43, 'x') + "\"\n");
  TTimeZone tz;
  EXPECT_EQ(ErrorOf(tz), "Invalid data type for 'TZI'");
  EXPECT_EQ(fake::OpenHandles(), 0);
}

// ---- Operating system ----

class OperatingSystemTest : public test::FakeMachineTest {
 protected:
  void SetUp() override {
    FakeMachineTest::SetUp();
    fake::System().windowsFolder = "C:\\WINDOWS";
    fake::Os().systemFolder = "C:\\WINDOWS\\SYSTEM";
    fake::Os().tempFolder = "C:\\WINDOWS\\TEMP\\";
    fake::Os().specialFolders = {{0x00, "C:\\WINDOWS\\Desktop"},
                                 {0x10, "C:\\WINDOWS\\Desktop"},
                                 {0x05, "C:\\My Documents"},
                                 {0x14, "C:\\WINDOWS\\FONTS"}};
    fake::SetEnvironment({"PATH=C:\\WINDOWS", "TEMP=C:\\WINDOWS\\TEMP"});
  }
  static std::vector<std::string> Names(const TStringList& list) {
    std::vector<std::string> names;
    for (int i = 0; i < list.Count(); ++i) names.push_back(list.Names(i));
    return names;
  }
};

const std::vector<std::string> kFolderNames = {
    "CommonFiles",     "ProgramFiles",     "Device",           "OtherDevice", "Media",
    "Config",          "Wallpaper",        "Windows",          "System",      "Temp",
    "AppData",         "CommonDesktopDir", "CommonAltStartUp", "RecycleBin",  "CommonPrograms",
    "CommonStartMenu", "CommonStartup",    "CommonFavorites",  "Cookies",     "Controls",
    "Desktop",         "DesktopDir",       "Favorites",        "Drives",      "Fonts",
    "History",         "Internet",         "InternetCache",    "NetWork",     "NetHood",
    "MyDocuments",     "PrintHood",        "Printers",         "Programs",    "Recent",
    "SendTo",          "StartMenu",        "StartUp",          "Templates",   "Profile"};

TEST_F(OperatingSystemTest, Windows98) {
  Boot(k9x, 4, 10, 0x040A08AE, " A ");
  registry().LoadFile(QOR_FIXTURES "/os_win98.reg");
  TOperatingSystem os;
  os.GetInfo();
  EXPECT_EQ(os.MajorVersion, 4);
  EXPECT_EQ(os.MinorVersion, 10);
  EXPECT_EQ(os.BuildNumber, 2222);  // the low word only
  EXPECT_EQ(os.Platform, "Windows 9x");
  EXPECT_EQ(os.CSD, " A ");
  EXPECT_EQ(os.Version, "Windows 98");
  EXPECT_EQ(os.RegisteredUser, "Jane Doe");
  EXPECT_EQ(os.RegisteredOrg, "Doe & Co");
  EXPECT_EQ(os.ProductID, "12345-OEM-0012345-12345");
  EXPECT_EQ(os.ProductKey, "ABCDE-FGHIJ-KLMNO-PQRST-UVWXY");
  EXPECT_EQ(os.DVDRegion, "");
  ASSERT_EQ(os.Folders.Count(), 40);
  EXPECT_EQ(Names(os.Folders), kFolderNames);
  EXPECT_EQ(os.Folders[0], "CommonFiles=C:\\Program Files\\Common Files");
  EXPECT_EQ(os.Folders[6], "Wallpaper=C:\\WINDOWS\\WEB\\WALLPAPER");
  EXPECT_EQ(os.Folders[7], "Windows=C:\\WINDOWS");
  EXPECT_EQ(os.Folders[8], "System=C:\\WINDOWS\\SYSTEM");
  EXPECT_EQ(os.Folders[9], "Temp=C:\\WINDOWS\\TEMP\\");
  EXPECT_EQ(os.Folders[18], "Cookies=");
  EXPECT_EQ(os.Folders[24], "Fonts=C:\\WINDOWS\\FONTS");
  EXPECT_EQ(os.Folders[30], "MyDocuments=C:\\My Documents");
  EXPECT_EQ(os.Folders[39], "Profile=C:\\WINDOWS");
  EXPECT_EQ(os.Environment.ToVector(),
            (std::vector<std::string>{"PATH=C:\\WINDOWS", "TEMP=C:\\WINDOWS\\TEMP"}));
  EXPECT_EQ(os.NTSpecific.ProductType, ptUnknown);
  EXPECT_EQ(fake::OpenHandles(), 0);
}

TEST_F(OperatingSystemTest, SpecialFoldersAreAskedInTableOrderWithTheDesktopAsOwner) {
  Boot(k9x, 4, 10, 2222);
  fake::Os().desktop = 0x2468;
  TOperatingSystem os;
  os.GetInfo();
  const std::vector<int> order = {0x1A, 0x19, 0x1E, 0x0A, 0x17, 0x16, 0x18, 0x1F, 0x21, 0x03,
                                  0x00, 0x10, 0x06, 0x11, 0x14, 0x22, 0x01, 0x20, 0x12, 0x13,
                                  0x05, 0x1B, 0x04, 0x02, 0x08, 0x09, 0x0B, 0x07, 0x15};
  ASSERT_EQ(fake::Os().folderQueries.size(), order.size());
  for (std::size_t i = 0; i < order.size(); ++i) {
    EXPECT_EQ(fake::Os().folderQueries[i].first, 0x2468u);
    EXPECT_EQ(fake::Os().folderQueries[i].second, order[i]) << i;
  }
}

TEST_F(OperatingSystemTest, NT4ServicePack6a) {
  struct {
    const char* csd;
    const char* hotfix;  // REGEDIT4 lines of the Q246009 key; null: no key
    const char* expected;
  } const cases[] = {
      {"Service Pack 6", "\"Installed\"=dword:00000001", "Service Pack 6a"},
      {"Service Pack 6", "\"Installed\"=dword:00000000", "Service Pack 6"},
      {"Service Pack 6", "", "Service Pack 6"},
      {"Service Pack 6", nullptr, "Service Pack 6"},
      {"service pack 6", "\"Installed\"=dword:00000001", "service pack 6"},
      {"Service Pack 6 ", "\"Installed\"=dword:00000001", "Service Pack 6 "},
      {"Service Pack 5", "\"Installed\"=dword:00000001", "Service Pack 5"},
  };
  for (const auto& c : cases) {
    Boot(kNT, 4, 0, 1381, c.csd);
    registry().Clear();
    registry().Load(
        "REGEDIT4\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion]\n");
    if (c.hotfix)
      registry().Load(std::string("REGEDIT4\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows "
                                  "NT\\CurrentVersion\\Hotfix\\Q246009]\n") +
                      c.hotfix + "\n");
    TOperatingSystem os;
    os.GetInfo();
    EXPECT_EQ(os.CSD, c.expected) << c.csd << " / " << (c.hotfix ? c.hotfix : "no key");
  }
  // The 9x family never applies the rule.
  Boot(k9x, 4, 0, 950, "Service Pack 6");
  registry().LoadFile(QOR_FIXTURES "/os_nt4_sp6.reg");
  registry().Load("REGEDIT4\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion]\n");
  TOperatingSystem os;
  os.GetInfo();
  EXPECT_EQ(os.CSD, "Service Pack 6");
}

TEST_F(OperatingSystemTest, NT4WithoutFolderValuesStillListsTheRegistryRows) {
  Boot(kNT, 4, 0, 1381, "Service Pack 6");
  registry().LoadFile(QOR_FIXTURES "/os_nt4_sp6.reg");
  TOperatingSystem os;
  os.GetInfo();
  EXPECT_EQ(os.Platform, "Windows NT");
  EXPECT_EQ(os.Version, "Uniprocessor Free");
  EXPECT_EQ(os.RegisteredUser, "Administrator");
  EXPECT_EQ(os.RegisteredOrg, "Example Corp");
  EXPECT_EQ(os.CSD, "Service Pack 6a");
  EXPECT_EQ(os.NTSpecific.ProductType, ptWorkStation);
  ASSERT_EQ(os.Folders.Count(), 40);
  const char* empty[] = {"CommonFiles=", "ProgramFiles=", "Device=",   "OtherDevice=",
                         "Media=",       "Config=",       "Wallpaper="};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(os.Folders[i], empty[i]);
  EXPECT_EQ(fake::OpenHandles(), 0);
}

TEST_F(OperatingSystemTest, Windows2000RefreshesItsNestedObjects) {
  Boot(kNT, 5, 0, 2195, "Service Pack 4");
  machine().version.wProductType = 3;
  machine().version.wServicePackMajor = 4;
  registry().LoadFile(QOR_FIXTURES "/os_win2000_time_zones.reg");
  auto& z = fake::Os().timeZone;
  z.Bias = 300;
  z.DaylightBias = -60;
  z.StandardDate = {0, 10, 0, 5, 2, 0, 0, 0};
  z.DaylightDate = {0, 4, 0, 1, 2, 0, 0, 0};
  fake::SetZoneName(z.StandardName, "Eastern Standard Time");
  fake::SetZoneName(z.DaylightName, "Eastern Daylight Time");
  TOperatingSystem os;
  os.GetInfo();
  EXPECT_EQ(os.Platform, "Windows NT");
  EXPECT_EQ(os.Version, "Uniprocessor Free");
  EXPECT_EQ(os.RegisteredUser, "Owner");
  EXPECT_EQ(os.CSD, "Service Pack 4");
  EXPECT_EQ(os.TimeZone.DisplayName, "(GMT-05:00) Eastern Time (US & Canada)");
  EXPECT_EQ(os.TimeZone.DaylightBias, 240);
  EXPECT_EQ(os.NTSpecific.ProductType, ptServer);
  EXPECT_EQ(os.NTSpecific.ServicePackMajorVersion, 4);
  EXPECT_EQ(os.Folders.Count(), 40);
  EXPECT_EQ(fake::OpenHandles(), 0);
}

TEST_F(OperatingSystemTest, WithoutTheVersionKeyThereAre33FoldersAndOldKeysStay) {
  Boot(kNT, 5, 1, 2600, "Service Pack 1");
  registry().LoadFile(QOR_FIXTURES "/os_winxp.reg");
  registry().Load(
      "REGEDIT4\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion]\n"
      "\"ProductKey\"=\"KEY-1\"\n");
  TOperatingSystem os;
  os.GetInfo();
  EXPECT_EQ(os.ProductKey, "KEY-1");
  EXPECT_EQ(os.DVDRegion, "2");
  EXPECT_EQ(os.RegisteredUser, "XP User");
  EXPECT_EQ(os.Folders.Count(), 40);

  // The values gone: the registration texts clear, the key and region stay.
  registry().Load(
      "REGEDIT4\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion]\n"
      "\"ProductKey\"=-\n\"DVD_Region\"=-\n");
  os.GetInfo();
  EXPECT_EQ(os.ProductKey, "KEY-1");
  EXPECT_EQ(os.DVDRegion, "2");
  EXPECT_EQ(os.RegisteredUser, "XP User");

  // The key gone: 33 folders, everything read from it empty but those two.
  registry().Load(
      "REGEDIT4\n[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion]\n");
  os.GetInfo();
  EXPECT_EQ(os.Folders.Count(), 33);
  EXPECT_EQ(os.Folders[0], "Windows=C:\\WINDOWS");
  EXPECT_EQ(os.Version, "");
  EXPECT_EQ(os.RegisteredUser, "");
  EXPECT_EQ(os.RegisteredOrg, "");
  EXPECT_EQ(os.ProductID, "");
  EXPECT_EQ(os.ProductKey, "KEY-1");
  EXPECT_EQ(os.DVDRegion, "2");
  EXPECT_EQ(os.CSD, "Service Pack 1");
}

TEST_F(OperatingSystemTest, UnlistedPlatformAndWideBuildNumbers) {
  Boot(3, 6, 0, 0x12345678);
  TOperatingSystem os;
  os.GetInfo();
  EXPECT_EQ(os.Platform, "");
  EXPECT_EQ(os.BuildNumber, 0x5678);
  Boot(kNT, 5, 0, 2195);
  os.GetInfo();
  Boot(3, 6, 0, 6000);
  os.GetInfo();
  EXPECT_EQ(os.Platform, "Windows NT");  // kept from the earlier refresh
  Boot(0, 3, 10, 0);
  os.GetInfo();
  EXPECT_EQ(os.Platform, "Windows 3.1x");
}

TEST_F(OperatingSystemTest, ProfileIsTheDesktopsParent) {
  Boot(k9x, 4, 10, 2222);
  const std::string longParent = "C:\\" + std::string(300, 'p');
  struct {
    std::string desktop;
    std::string profile;
  } const cases[] = {
      {"C:\\WINDOWS\\Desktop", "Profile=C:\\WINDOWS"},
      {"C:\\Desktop", "Profile=C:"},
      {"", "Profile="},
      {"Desktop", "Profile=Desktop"},  // no separator: all of it
      {longParent + "\\Desktop", "Profile=" + longParent.substr(longParent.size() - 255)},
  };
  for (const auto& c : cases) {
    if (c.desktop.empty())
      fake::Os().specialFolders.erase(0);
    else
      fake::Os().specialFolders[0] = c.desktop;
    TOperatingSystem os;
    os.GetInfo();
    EXPECT_EQ(os.Folders[os.Folders.Count() - 1], c.profile) << c.desktop;
  }
}

TEST_F(OperatingSystemTest, FailedSystemFoldersGiveEmptyPaths) {
  Boot(k9x, 4, 10, 2222);
  fake::System().windowsFolderFails = true;
  fake::Os().systemFolder.clear();
  fake::Os().tempFolder.clear();
  TOperatingSystem os;
  os.GetInfo();
  EXPECT_EQ(os.Folders[0], "Windows=");
  EXPECT_EQ(os.Folders[1], "System=");
  EXPECT_EQ(os.Folders[2], "Temp=");
}

TEST_F(OperatingSystemTest, ANonTextValueStopsTheRefreshThere) {
  Boot(kNT, 5, 1, 2600);
  registry().Load(
      "REGEDIT4\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion]\n"
      "\"RegisteredOwner\"=dword:00000001\n\"ProgramFilesDir\"=\"C:\\\\Program Files\"\n");
  TOperatingSystem os;
  os.Environment.Add("stale");
  EXPECT_EQ(ErrorOf(os), "Invalid data type for 'RegisteredOwner'");
  EXPECT_EQ(os.Folders.Count(), 0);
  EXPECT_EQ(os.Environment.ToVector(), std::vector<std::string>{"stale"});
  EXPECT_EQ(os.MajorVersion, 5);
  EXPECT_EQ(fake::OpenHandles(), 0);

  // A non-integer "Installed" fails the same way.
  Boot(kNT, 4, 0, 1381, "Service Pack 6");
  registry().Clear();
  registry().Load(
      "REGEDIT4\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows "
      "NT\\CurrentVersion\\Hotfix\\Q246009]\n\"Installed\"=\"1\"\n");
  EXPECT_EQ(ErrorOf(os), "Invalid data type for 'Installed'");
  EXPECT_EQ(fake::OpenHandles(), 0);
}

TEST_F(OperatingSystemTest, ANestedFailureStopsTheRefreshBeforeTheVersion) {
  Boot(kNT, 4, 0, 1381);
  registry().Load(
      "REGEDIT4\n[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\ProductOptions]\n"
      "\"ProductType\"=hex:01\n");
  TOperatingSystem os;
  EXPECT_EQ(ErrorOf(os), "Invalid data type for 'ProductType'");
  EXPECT_EQ(os.MajorVersion, 0);
}

// Records what a class publishes, nested objects by their own names.
class NameRecorder : public PropertyWriter {
 public:
  std::vector<std::string> names;
  void Integer(std::string_view n, std::int64_t) override { names.emplace_back(n); }
  void Boolean(std::string_view n, bool) override { names.emplace_back(n); }
  void Float(std::string_view n, double) override { names.emplace_back(n); }
  void DateTime(std::string_view n, TDateTime) override { names.emplace_back(n); }
  void Text(std::string_view n, std::string_view) override { names.emplace_back(n); }
  void List(std::string_view n, const TStringList&) override { names.emplace_back(n); }
  void Enumeration(std::string_view n, int, std::span<const char* const>) override {
    names.emplace_back(n);
  }
  void Set(std::string_view n, std::uint64_t, std::span<const char* const>) override {
    names.emplace_back(n);
  }
  void Object(std::string_view n, const TPersistent& value) override {
    names.emplace_back(std::string(n) + "{");
    value.Publish(*this);
    names.emplace_back("}");
  }
};

TEST_F(OperatingSystemTest, PublishesInOrderWithNestedObjects) {
  TOperatingSystem os;
  NameRecorder r;
  os.Publish(r);
  EXPECT_EQ(r.names, (std::vector<std::string>{"MajorVersion",
                                               "MinorVersion",
                                               "BuildNumber",
                                               "Platform",
                                               "Version",
                                               "CSD",
                                               "ProductID",
                                               "ProductKey",
                                               "RegisteredUser",
                                               "RegisteredOrg",
                                               "TimeZone{",
                                               "DisplayName",
                                               "StandardName",
                                               "DaylightName",
                                               "DaylightStart",
                                               "StandardStart",
                                               "Bias",
                                               "DaylightBias",
                                               "StandardBias",
                                               "}",
                                               "Environment",
                                               "Folders",
                                               "NTSpecific{",
                                               "ProductType",
                                               "InstalledSuites",
                                               "ServicePackMajorVersion",
                                               "ServicePackMinorVersion",
                                               "}",
                                               "DVDRegion"}));
}

}  // namespace
}  // namespace qor
