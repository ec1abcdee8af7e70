#include "info/QOR_Machine.h"

#include <cstring>

#include "base/error.h"
#include "base/registry.h"
#include "base/string_list.h"
#include "info/QOR_Console.h"
#include "platform/system.h"
#include "routines/Velto_Routines.h"

namespace qor {

QOR_REGISTER_AREA(iaMachine, TMachine, Machine)

namespace {

TDateTime Now() {
  platform::SystemTime t;
  platform::ReadLocalClock(t);
  return EncodeDate(t.wYear, t.wMonth, t.wDay) +
         EncodeTime(t.wHour, t.wMinute, t.wSecond, t.wMilliseconds);
}

constexpr int kBiosVersionSize = 255;

}  // namespace

void TMachine::GetInfo() {
  TStringList computers;

  // A clock the calendar cannot encode gives no boot time, and the refresh goes on.
  try {
    const long double ticks = static_cast<long double>(platform::MillisecondsSinceBoot());
    LastBoot = static_cast<TDateTime>(static_cast<long double>(Now()) - ticks / 1000 / 86400);
  } catch (const Error&) {
    LastBoot = 0;
  }
  // A second, separate reading of the count.
  SystemUpTime = static_cast<long double>(platform::MillisecondsSinceBoot()) / 1000;

  Name = ReadComputerName();
  User = ReadUserName();

  if (IsNTFamily) {
    TRegistry registry;
    registry.RootKey = platform::kHKeyLocalMachine;
    if (registry.OpenKey("HARDWARE\\DESCRIPTION\\System")) {
      if (registry.ValueExists("Identifier")) BIOSName = registry.ReadString("Identifier");
      if (registry.ValueExists("SystemBiosVersion")) {
        // Of a multi-string value only the first string shows.
        char buffer[kBiosVersionSize] = {};
        try {
          registry.ReadBinaryData("SystemBiosVersion", buffer, kBiosVersionSize);
          BIOSCopyright.assign(buffer, strnlen(buffer, kBiosVersionSize));
        } catch (const Error&) {
          // Too long or of a text type: the old text stays.
        }
      }
      if (registry.ValueExists("SystemBiosDate")) BIOSDate = registry.ReadString("SystemBiosDate");
      registry.CloseKey();
    }
  } else {
    BIOSName = platform::ReadBiosText(platform::kBiosNameAddress);
    BIOSDate = platform::ReadBiosText(platform::kBiosDateAddress);
    BIOSCopyright = platform::ReadBiosText(platform::kBiosCopyrightAddress);
    BIOSExtendedInfo = platform::ReadBiosText(platform::kBiosExtendedInfoAddress);
  }

  // Only a key toggled on and not held down at this moment reads as on.
  std::uint8_t keys[platform::kKeyStateSize] = {};
  platform::ReadKeyboardState(keys);
  CapsLock = keys[platform::kVkCapital] == 1;
  NumLock = keys[platform::kVkNumLock] == 1;
  ScrollLock = keys[platform::kVkScroll] == 1;

  std::string classKey;
  LookupDeviceClass(ClassKeyRoot, "Computer", "DriverDesc", classKey, computers);
  Computer = computers.Empty() ? std::string() : computers[0];
}

void TMachine::Publish(PropertyWriter& w) const {
  w.Text("Name", Name);
  w.Text("User", User);
  w.Float("SystemUpTime", static_cast<double>(SystemUpTime));
  w.DateTime("LastBoot", LastBoot);
  w.Text("BIOSCopyright", BIOSCopyright);
  w.Text("BIOSDate", BIOSDate);
  w.Text("BIOSExtendedInfo", BIOSExtendedInfo);
  w.Text("BIOSName", BIOSName);
  w.Boolean("CapsLock", CapsLock);
  w.Boolean("NumLock", NumLock);
  w.Boolean("ScrollLock", ScrollLock);
  w.Text("Computer", Computer);
}

}  // namespace qor
