#pragma once
// TDevices: the inventory of enumerated hardware, one TDevice record per device
// instance, sorted by class name. Display, network and media each walk a private
// inventory and pick records by TDeviceClass through GetDevice.
#include <cstdint>
#include <string>
#include <string_view>

#include "base/persistent.h"
#include "base/string_list.h"

namespace qor {

enum TDeviceClass : std::uint8_t {
  dcBattery = 0,
  dcComputer = 1,
  dcDiskDrive = 2,
  dcDisplay = 3,
  dcCDROM = 4,
  dcFDC = 5,
  dcFloppyDisk = 6,
  dcGPS = 7,
  dcHID = 8,
  dcHDC = 9,
  dc1394 = 10,
  dcImage = 11,
  dcInfrared = 12,
  dcKeyboard = 13,
  dcMediumChanger = 14,
  dcMTD = 15,
  dcMouse = 16,
  dcModem = 17,
  dcMonitor = 18,
  dcMultiFunction = 19,
  dcMultiPortSerial = 20,
  dcNet = 21,
  dcLegacyDriver = 22,
  dcNtApm = 23,
  dcUnknown = 24,
  dcPCMCIA = 25,
  dcPorts = 26,
  dcPrinter = 27,
  dcSCSIAdapter = 28,
  dcSmartCardReader = 29,
  dcMEDIA = 30,
  dcVolume = 31,
  dcSystem = 32,
  dcTapeDrive = 33,
  dcTapeController = 34,
  dcTape = 35,
  dcUSB = 36,
};
inline constexpr int kDeviceClassCount = 37;

// Member names, for publishing.
// clang-format off
inline constexpr const char* kDeviceClassNames[kDeviceClassCount] = {
    "dcBattery", "dcComputer", "dcDiskDrive", "dcDisplay", "dcCDROM", "dcFDC",
    "dcFloppyDisk", "dcGPS", "dcHID", "dcHDC", "dc1394", "dcImage", "dcInfrared",
    "dcKeyboard", "dcMediumChanger", "dcMTD", "dcMouse", "dcModem", "dcMonitor",
    "dcMultiFunction", "dcMultiPortSerial", "dcNet", "dcLegacyDriver", "dcNtApm",
    "dcUnknown", "dcPCMCIA", "dcPorts", "dcPrinter", "dcSCSIAdapter",
    "dcSmartCardReader", "dcMEDIA", "dcVolume", "dcSystem", "dcTapeDrive",
    "dcTapeController", "dcTape", "dcUSB"};

// The class-name text of each code, in the order names are tried: the first text
// that starts a class name wins, so "TapeDrive" must stay ahead of "Tape".
inline constexpr const char* kDeviceClassTexts[kDeviceClassCount] = {
    "Battery", "Computer", "DiskDrive", "Display", "CDROM", "fdc", "FloppyDisk", "GPS",
    "HID", "hdc", "1394", "Image", "Infrared", "Keyboard", "MediumChanger", "MTD",
    "Mouse", "Modem", "Monitor", "MultiFunction", "MultiPortSerial", "Net",
    "LegacyDriver", "NtApm", "Unknown", "PCMCIA", "Ports", "Printer", "SCSIAdapter",
    "SmartCardReader", "MEDIA", "Volume", "System", "TapeDrive", "TapeController",
    "Tape", "USB"};
// clang-format on

// One device instance, copied by value.
struct TDevice {
  std::string ClassName;
  std::string ClassDesc;
  std::string ClassIcon;
  std::string FriendlyName;
  std::string Description;
  std::string GUID;
  std::string Manufacturer;
  std::string Location;
  std::string HardwareID;
  std::string DriverDate;
  std::string DriverVersion;
  std::string DriverProvider;
  std::string Service;
  std::string ServiceName;
  std::string ServiceGroup;
  std::int32_t ServiceType = 0;
  std::string RegKey;
  TDeviceClass DeviceClass = dcBattery;
};

// Writes a record's fields, in field order (the report lists records with it).
void PublishDevice(const TDevice& device, PropertyWriter& w);

class TDevices : public TInfoClass {
 public:
  TDevices() = default;
  ~TDevices() override { Clear(); }
  TDevices(const TDevices&) = delete;
  TDevices& operator=(const TDevices&) = delete;

  const char* ClassName() const override { return "TDevices"; }
  // Walks the registry, sorts the records by class name, then sets DeviceCount.
  // A registry error ends the walk and leaves DeviceCount as it was.
  void GetInfo() override;
  void Publish(PropertyWriter& w) const override;

  // Copies record index (sorted order) into record; never raises: an index outside
  // the list leaves record exactly as it was.
  void GetDevice(int index, TDevice& record) const;
  static TDeviceClass GetDeviceClass(std::string_view name);
  // Clears, then appends one entry (class name + owned record) per device present.
  void EnumDevices(TStringList& list);
  void Clear() { devices_.Clear(); }

  // The records, as the walk and the sort left them.
  const TStringList& Records() const { return devices_; }

  std::int32_t DeviceCount = 0;

 private:
  TStringList devices_;
};

}  // namespace qor
