#include "info/QOR_OS.h"

#include <cstring>
#include <iterator>

#include "base/error.h"
#include "base/registry.h"
#include "info/QOR_Console.h"
#include "platform/os.h"
#include "platform/system.h"
#include "platform/version.h"
#include "routines/Velto_Routines.h"

namespace qor {

QOR_REGISTER_AREA(iaOS, TOperatingSystem, OS)

namespace {

constexpr const char* kNTVersionKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
constexpr const char* k9xVersionKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
constexpr const char* kProductOptionsKey = "System\\CurrentControlSet\\Control\\ProductOptions";

platform::OsVersionInfo VersionRecord(std::uint32_t size) {
  platform::OsVersionInfo info;
  info.dwOSVersionInfoSize = size;
  platform::GetVersionRecord(info);  // a refusal leaves the zeroed record
  return info;
}

// A zone name of 16-bit characters as 8-bit text, up to its first zero.
std::string ZoneName(const char16_t (&name)[32]) {
  std::string text;
  for (char16_t c : name) {
    if (c == 0) break;
    text += c < 256 ? static_cast<char>(c) : '?';
  }
  return text;
}

struct FolderRow {
  const char* name;
  int folder;
};
// The registry rows of the folder table: entry name, value of the version key.
struct RegistryFolderRow {
  const char* name;
  const char* value;
};
constexpr RegistryFolderRow kRegistryFolders[] = {
    {"CommonFiles=", "CommonFilesDir"},
    {"ProgramFiles=", "ProgramFilesDir"},
    {"Device=", "DevicePath"},
    {"OtherDevice=", "OtherDevicePath"},
    {"Media=", "MediaPath"},
    {"Config=", "ConfigPath"},
    {"Wallpaper=", "WallPaperDir"},
};
// The shell's special folders, by CSIDL number, in table order.
constexpr FolderRow kSpecialFolders[] = {
    {"AppData=", 0x1A},       {"CommonDesktopDir=", 0x19}, {"CommonAltStartUp=", 0x1E},
    {"RecycleBin=", 0x0A},    {"CommonPrograms=", 0x17},   {"CommonStartMenu=", 0x16},
    {"CommonStartup=", 0x18}, {"CommonFavorites=", 0x1F},  {"Cookies=", 0x21},
    {"Controls=", 0x03},      {"Desktop=", 0x00},          {"DesktopDir=", 0x10},
    {"Favorites=", 0x06},     {"Drives=", 0x11},           {"Fonts=", 0x14},
    {"History=", 0x22},       {"Internet=", 0x01},         {"InternetCache=", 0x20},
    {"NetWork=", 0x12},       {"NetHood=", 0x13},          {"MyDocuments=", 0x05},
    {"PrintHood=", 0x1B},     {"Printers=", 0x04},         {"Programs=", 0x02},
    {"Recent=", 0x08},        {"SendTo=", 0x09},           {"StartMenu=", 0x0B},
    {"StartUp=", 0x07},       {"Templates=", 0x15},
};
static_assert(std::size(kSpecialFolders) == 29);

std::string Folder(bool (*query)(std::string&)) {
  std::string path;
  return query(path) ? path : std::string();
}

}  // namespace

void TNTSpecific::GetInfo() {
  const auto basic = VersionRecord(platform::kVersionInfoSize);
  if (basic.dwPlatformId == platform::kPlatformNT && basic.dwMajorVersion == 5) {
    platform::OsVersionInfo ex;
    ex.dwOSVersionInfoSize = platform::kVersionInfoExSize;
    if (platform::GetVersionRecord(ex)) {
      switch (ex.wProductType) {
        case 1:
          ProductType = ptWorkStation;
          break;
        case 2:  // a domain controller
          ProductType = ptAdvancedServer;
          break;
        case 3:
          ProductType = ptServer;
          break;
        default:
          break;
      }
      InstalledSuites = static_cast<TNTSuites>(ex.wSuiteMask & 0xFF);
      ServicePackMajorVersion = ex.wServicePackMajor;
      ServicePackMinorVersion = ex.wServicePackMinor;
    }
  }
  if (ProductType != ptUnknown) return;
  TRegistry reg;
  reg.RootKey = platform::kHKeyLocalMachine;
  if (!reg.OpenKey(kProductOptionsKey)) return;
  const std::string type = reg.ReadString("ProductType");
  if (type == "WinNT")
    ProductType = ptWorkStation;
  else if (type == "ServerNT")
    ProductType = ptServer;
  else if (type == "LanmanNT")
    ProductType = ptAdvancedServer;
}

void TNTSpecific::Publish(PropertyWriter& w) const {
  w.Enumeration("ProductType", ProductType, kNtProductTypeNames);
  w.Set("InstalledSuites", InstalledSuites, kNTSuiteNames);
  w.Integer("ServicePackMajorVersion", ServicePackMajorVersion);
  w.Integer("ServicePackMinorVersion", ServicePackMinorVersion);
}

void TTimeZone::GetInfo() {
  platform::TimeZoneRecord zone;
  platform::ReadTimeZone(zone);

  const std::string listKey =
      std::string(IsNTFamily ? kNTVersionKey : k9xVersionKey) + "\\Time Zones";
  TRegistry reg;
  reg.RootKey = platform::kHKeyLocalMachine;
  if (reg.OpenKey(listKey)) {
    TStringList names;
    reg.GetKeyNames(names);
    reg.CloseKey();
    const std::string standardName = ZoneName(zone.StandardName);
    const std::string daylightName = ZoneName(zone.DaylightName);
    for (int i = 0; i < names.Count(); ++i) {
      if (!reg.OpenKey(listKey + "\\" + names[i])) continue;
      bool match = false;
      if (reg.GetDataSize("TZI") == 44) {
        std::uint8_t tzi[44] = {};
        reg.ReadBinaryData("TZI", tzi, sizeof tzi);
        // A candidate's names hold at most 31 characters, as the zone record's do.
        const std::string std = reg.ReadString("Std").substr(0, 31);
        const std::string dlt = reg.ReadString("Dlt").substr(0, 31);
        auto i32 = [&tzi](int at) {
          std::int32_t v;
          std::memcpy(&v, tzi + at, 4);
          return v;
        };
        auto sameDate = [&tzi](int at, const platform::SystemTime& t) {
          const std::uint16_t fields[8] = {t.wYear, t.wMonth,  t.wDayOfWeek, t.wDay,
                                           t.wHour, t.wMinute, t.wSecond,    t.wMilliseconds};
          for (int f = 0; f < 8; ++f) {
            const std::uint16_t v =
                static_cast<std::uint16_t>(tzi[at + 2 * f] | (tzi[at + 2 * f + 1] << 8));
            if (v != fields[f]) return false;
          }
          return true;
        };
        match = i32(0) == zone.Bias && i32(4) == zone.StandardBias && i32(8) == zone.DaylightBias &&
                sameDate(12, zone.StandardDate) && sameDate(28, zone.DaylightDate) &&
                std == standardName && dlt == daylightName;
        if (match) DisplayName = reg.ReadString("Display");
      }
      reg.CloseKey();
      if (match) break;
    }
  }

  Bias = zone.Bias;
  StandardName = ZoneName(zone.StandardName);
  DaylightName = ZoneName(zone.DaylightName);

  platform::SystemTime today;
  platform::ReadLocalClock(today);
  if (zone.StandardDate.wMonth != 0 && zone.DaylightDate.wMonth != 0) {
    try {
      DaylightStart = TransitionDate(zone.DaylightDate, today.wYear);
      StandardStart = TransitionDate(zone.StandardDate, today.wYear);
      DaylightBias = zone.Bias + zone.DaylightBias;
      StandardBias = zone.Bias + zone.StandardBias;
    } catch (const Error&) {
      // A rule without a valid date in this year: what was assigned before stays.
    }
  }
}

void TTimeZone::Publish(PropertyWriter& w) const {
  w.Text("DisplayName", DisplayName);
  w.Text("StandardName", StandardName);
  w.Text("DaylightName", DaylightName);
  w.DateTime("DaylightStart", DaylightStart);
  w.DateTime("StandardStart", StandardStart);
  w.Integer("Bias", Bias);
  w.Integer("DaylightBias", DaylightBias);
  w.Integer("StandardBias", StandardBias);
}

void TOperatingSystem::GetInfo() {
  Folders.Clear();
  TimeZone.GetInfo();
  NTSpecific.GetInfo();

  const auto info = VersionRecord(platform::kVersionInfoSize);
  MajorVersion = static_cast<std::int32_t>(info.dwMajorVersion);
  MinorVersion = static_cast<std::int32_t>(info.dwMinorVersion);
  BuildNumber = static_cast<std::int32_t>(info.dwBuildNumber & 0xFFFF);
  switch (info.dwPlatformId) {
    case platform::kPlatformWin32s:
      Platform = "Windows 3.1x";
      break;
    case platform::kPlatformWindows:
      Platform = "Windows 9x";
      break;
    case platform::kPlatformNT:
      Platform = "Windows NT";
      break;
    default:
      break;  // an unlisted platform keeps the earlier text
  }
  CSD.assign(info.szCSDVersion, strnlen(info.szCSDVersion, sizeof info.szCSDVersion));

  Version.clear();
  RegisteredUser.clear();
  RegisteredOrg.clear();
  ProductID.clear();

  TRegistry reg;
  reg.RootKey = platform::kHKeyLocalMachine;
  if (reg.OpenKey(IsNTFamily ? kNTVersionKey : k9xVersionKey)) {
    const char* versionValue = IsNTFamily ? "CurrentType" : "Version";
    if (reg.ValueExists(versionValue)) Version = reg.ReadString(versionValue);
    struct {
      const char* value;
      std::string* field;
    } const strings[] = {{"RegisteredOrganization", &RegisteredOrg},
                         {"RegisteredOwner", &RegisteredUser},
                         {"ProductID", &ProductID},
                         {"ProductKey", &ProductKey},
                         {"DVD_Region", &DVDRegion}};
    for (const auto& s : strings)
      if (reg.ValueExists(s.value)) *s.field = reg.ReadString(s.value);
    for (const auto& row : kRegistryFolders) Folders.Add(row.name + reg.ReadString(row.value));
    reg.CloseKey();

    if (IsNTFamily && CSD == "Service Pack 6") {
      if (reg.OpenKey(std::string(kNTVersionKey) + "\\Hotfix\\Q246009")) {
        if (reg.ValueExists("Installed") && reg.ReadInteger("Installed") == 1)
          CSD = "Service Pack 6a";
        reg.CloseKey();
      }
    }
  }

  Folders.Add("Windows=" + Folder(platform::QueryWindowsFolder));
  Folders.Add("System=" + Folder(platform::QuerySystemFolder));
  Folders.Add("Temp=" + Folder(platform::QueryTempFolder));

  const platform::WindowHandle desktop = platform::DesktopWindowHandle();
  for (const auto& row : kSpecialFolders)
    Folders.Add(row.name + GetSpecialFolderPath(desktop, row.folder));

  // The profile is the Desktop folder's parent: the path up to its last separator.
  const int desktopRow = Folders.IndexOfName("Desktop");
  const std::string desktopPath = desktopRow >= 0 ? Folders.ValueFromIndex(desktopRow) : "";
  std::string reversed = ReverseText(desktopPath);
  const std::size_t separator = reversed.find(platform::PathDelimiter());
  if (separator != std::string::npos) reversed.erase(0, separator + 1);
  Folders.Add("Profile=" + ReverseText(reversed.substr(0, 255)));

  ReadEnvironment(Environment);
}

void TOperatingSystem::Publish(PropertyWriter& w) const {
  w.Integer("MajorVersion", MajorVersion);
  w.Integer("MinorVersion", MinorVersion);
  w.Integer("BuildNumber", BuildNumber);
  w.Text("Platform", Platform);
  w.Text("Version", Version);
  w.Text("CSD", CSD);
  w.Text("ProductID", ProductID);
  w.Text("ProductKey", ProductKey);
  w.Text("RegisteredUser", RegisteredUser);
  w.Text("RegisteredOrg", RegisteredOrg);
  w.Object("TimeZone", TimeZone);
  w.List("Environment", Environment);
  w.List("Folders", Folders);
  w.Object("NTSpecific", NTSpecific);
  w.Text("DVDRegion", DVDRegion);
}

}  // namespace qor
