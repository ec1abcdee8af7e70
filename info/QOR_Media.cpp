#include "info/QOR_Media.h"

#include <cstring>
#include <string>

#include "info/QOR_Console.h"
#include "info/QOR_Devices.h"
#include "platform/multimedia.h"
#include "routines/Velto_Routines.h"

namespace qor {

QOR_REGISTER_AREA(iaMedia, TMedia, Media)

namespace {

// "name vMajor.Minor": the version's low word holds major (high byte) and minor.
std::string DeviceText(const platform::MediaCaps& caps) {
  std::string name(caps.szPname, strnlen(caps.szPname, sizeof caps.szPname));
  return name + " v" + std::to_string((caps.vDriverVersion >> 8) & 0xFF) + "." +
         std::to_string(caps.vDriverVersion & 0xFF);
}

void AddFamily(platform::MediaFamily family, TStringList& list) {
  const unsigned count = platform::MediaDeviceCount(family);
  for (unsigned id = 0; id < count; ++id) {
    platform::MediaCaps caps;
    if (platform::QueryMediaDeviceCaps(family, id, caps) != 0) continue;
    std::string text = DeviceText(caps);
    // Two identical cards show once.
    if (list.IndexOf(text) < 0) list.Add(std::move(text));
  }
}

}  // namespace

void TMedia::GetInfo() {
  std::string classKey;
  LookupDeviceClass(ClassKeyRoot, "MEDIA", "DriverDesc", classKey, Devices);

  SoundCardIndex = -1;
  GamePortIndex = -1;
  {
    TDevices inventory;
    inventory.GetInfo();
    for (int i = 0; i < inventory.DeviceCount; ++i) {
      TDevice device;
      inventory.GetDevice(i, device);
      if (device.DeviceClass != dcMEDIA) continue;
      const std::string& name =
          device.FriendlyName.empty() ? device.Description : device.FriendlyName;
      const int k = Devices.IndexOf(name);
      if (k < 0) continue;
      if (UpperAZ(name).find("GAME") != std::string::npos) {
        GamePortIndex = k;  // the last game port listed wins
      } else if (!device.Location.empty() && SoundCardIndex == -1) {
        // The inventory keeps walk order among equal class names, so this is the
        // first located media device the walk met.
        SoundCardIndex = k;
      }
    }
  }

  AddFamily(platform::MediaFamily::WaveOut, WAVEOut);
  AddFamily(platform::MediaFamily::WaveIn, WAVEIn);
  AddFamily(platform::MediaFamily::MidiOut, MIDIOut);
  AddFamily(platform::MediaFamily::MidiIn, MIDIIn);
  AddFamily(platform::MediaFamily::Aux, AUX);
  AddFamily(platform::MediaFamily::Mixer, Mixer);
}

void TMedia::Publish(PropertyWriter& w) const {
  w.List("Devices", Devices);
  w.List("AUX", AUX);
  w.List("MIDIIn", MIDIIn);
  w.List("Mixer", Mixer);
  w.List("WAVEOut", WAVEOut);
  w.List("WAVEIn", WAVEIn);
  w.List("MIDIOut", MIDIOut);
  w.Integer("SoundCardIndex", SoundCardIndex);
  w.Integer("GamePortIndex", GamePortIndex);
}

}  // namespace qor
