#include "info/QOR_Display.h"

#include <cstddef>
#include <cstdint>
#include <iterator>

#include "base/error.h"
#include "base/format.h"
#include "base/registry.h"
#include "info/QOR_Console.h"
#include "info/QOR_Devices.h"
#include "platform/display.h"
#include "routines/Velto_Routines.h"

namespace qor {

QOR_REGISTER_AREA(iaDisplay, TDisplay, Display)

namespace {

// Source bit of each set member, in member order.
constexpr std::uint32_t kRasterBits[] = {0x0002, 0x0001, 0x0008, 0x0080, 0x0200, 0x1000,
                                         0x0010, 0x0100, 0x0004, 0x0800, 0x2000};
constexpr std::uint32_t kCurveBits[] = {0x0001, 0x0002, 0x0004, 0x0008, 0x0010,
                                        0x0020, 0x0040, 0x0080, 0x0100};
constexpr std::uint32_t kLineBits[] = {0x0002, 0x0004, 0x0008, 0x0010, 0x0020, 0x0040, 0x0080};
constexpr std::uint32_t kPolygonBits[] = {0x0001, 0x0002, 0x0004, 0x0008,
                                          0x0010, 0x0020, 0x0040, 0x0080};
// The last member comes from the scroll bit, past the one reserved bit.
constexpr std::uint32_t kTextBits[] = {0x0001, 0x0002, 0x0004, 0x0008, 0x0010, 0x0020,
                                       0x0040, 0x0080, 0x0100, 0x0200, 0x0400, 0x0800,
                                       0x1000, 0x2000, 0x4000, 0x10000};
static_assert(std::size(kRasterBits) == std::size(kRasterCapNames));
static_assert(std::size(kCurveBits) == std::size(kCurveCapNames));
static_assert(std::size(kLineBits) == std::size(kLineCapNames));
static_assert(std::size(kPolygonBits) == std::size(kPolygonCapNames));
static_assert(std::size(kTextBits) == std::size(kTextCapNames));

template <class Set, std::size_t N>
Set SetFromBits(int value, const std::uint32_t (&bits)[N]) {
  static_assert(N <= sizeof(Set) * 8);
  Set set = 0;
  for (std::size_t n = 0; n < N; ++n)
    if (static_cast<std::uint32_t>(value) & bits[n]) set = static_cast<Set>(set | (1u << n));
  return set;
}

// Indexed by the TECHNOLOGY value.
constexpr const char* kTechnologies[] = {"Vector Plotter", "Raster Display",   "Raster Printer",
                                         "Raster Camera",  "Character Stream", "Metafile",
                                         "Display File"};

// The fields of the display record the display reads.
struct DisplayRecord {
  std::string FriendlyName;
  std::string Description;
  std::string Service;
};

// The first display record of a fresh device inventory; an empty one when there is none.
DisplayRecord FindDisplayRecord() {
  TDevices devices;
  devices.GetInfo();
  for (int i = 0; i < devices.DeviceCount; ++i) {
    TDevice device;
    devices.GetDevice(i, device);
    if (device.DeviceClass == dcDisplay)
      return {device.FriendlyName, device.Description, device.Service};
  }
  return {};
}

// The 9x family keeps the driver's figures as plain values of its INFO key; a value
// of the wrong type ends the refresh.
void ReadInfo9x(TDisplayInfo& info) {
  TRegistry reg;
  reg.RootKey = platform::kHKeyLocalMachine;
  if (!reg.OpenKey("System\\CurrentControlSet\\Services\\Class\\Display\\0000\\INFO")) return;
  if (reg.ValueExists("DacType")) info.DAC = reg.ReadString("DacType");
  if (reg.ValueExists("ChipType")) info.Chipset = reg.ReadString("ChipType");
  if (reg.ValueExists("VideoMemory")) info.Memory = reg.ReadInteger("VideoMemory");
  reg.CloseKey();
}

// The NT family keeps them as binary values of the miniport's first device, the
// texts in 16-bit characters. A value that does not read is skipped.
void ReadInfoNT(const std::string& service, TDisplayInfo& info) {
  TRegistry reg;
  reg.RootKey = platform::kHKeyLocalMachine;
  if (!reg.OpenKey(Format("SYSTEM\\CurrentControlSet\\Services\\%s\\Device0", {service}))) return;
  std::uint8_t buffer[255] = {};
  auto readText = [&](const char* name, std::string& field) {
    if (!reg.ValueExists(name)) return;
    try {
      int got = reg.ReadBinaryData(name, buffer, sizeof buffer);
      field = StripZeroBytes(buffer, static_cast<std::size_t>(got));
    } catch (const Error&) {
    }
  };
  readText("HardwareInformation.DacType", info.DAC);
  readText("HardwareInformation.ChipType", info.Chipset);
  if (reg.ValueExists("HardwareInformation.MemorySize")) {
    try {
      // Least significant byte first; a shorter value fills only the low bytes.
      std::uint8_t bytes[4] = {};
      std::uint32_t memory = static_cast<std::uint32_t>(info.Memory);
      for (int i = 0; i < 4; ++i) bytes[i] = static_cast<std::uint8_t>(memory >> (8 * i));
      reg.ReadBinaryData("HardwareInformation.MemorySize", bytes, sizeof bytes);
      memory = 0;
      for (int i = 0; i < 4; ++i) memory |= static_cast<std::uint32_t>(bytes[i]) << (8 * i);
      info.Memory = static_cast<std::int32_t>(memory);
    } catch (const Error&) {
    }
  }
  reg.CloseKey();
}

// Releases the screen's context on every way out.
class ScreenContextHolder {
 public:
  ScreenContextHolder() : context_(platform::OpenScreenContext()) {}
  ~ScreenContextHolder() { platform::ReleaseScreenContext(context_); }
  ScreenContextHolder(const ScreenContextHolder&) = delete;
  ScreenContextHolder& operator=(const ScreenContextHolder&) = delete;
  bool Valid() const { return context_ != 0; }
  int Cap(int index) const { return platform::QueryDeviceCapability(context_, index); }

 private:
  platform::ScreenContext context_;
};

}  // namespace

void TDisplay::GetInfo() {
  DisplayRecord record = FindDisplayRecord();
  Adapter = !record.FriendlyName.empty() ? record.FriendlyName : record.Description;

  TDisplayInfo info;
  if (IsNTFamily)
    ReadInfoNT(record.Service, info);
  else
    ReadInfo9x(info);
  DAC = info.DAC;
  Chipset = info.Chipset;
  Memory = info.Memory;

  ReadVideoBIOS();
  ReadScreen();
  ReadModes();
}

void TDisplay::ReadVideoBIOS() {
  TRegistry reg;
  reg.RootKey = platform::kHKeyLocalMachine;
  if (!reg.OpenKey("HARDWARE\\DESCRIPTION\\System")) return;
  if (reg.ValueExists("VideoBiosVersion")) {
    try {
      // The limit is below the buffer's size, so a text always ends inside it.
      char buffer[255] = {};
      int got = reg.ReadBinaryData("VideoBiosVersion", buffer, 151);
      std::string_view data(buffer, static_cast<std::size_t>(got));
      BIOSVersion = std::string(data.substr(0, data.find('\0')));
    } catch (const Error&) {
    }
  }
  if (reg.ValueExists("VideoBiosDate")) BIOSDate = reg.ReadString("VideoBiosDate");
  reg.CloseKey();
}

void TDisplay::ReadScreen() {
  ScreenContextHolder screen;
  // Without a context every answer would be 0, and 0 would read as a vector
  // plotter: the figures are zero and the technology is left as it was.
  const bool valid = screen.Valid();
  auto cap = [&](int index) { return valid ? screen.Cap(index) : 0; };
  FontResolution = static_cast<std::uint32_t>(cap(platform::kCapLogPixelsY));
  HorzRes = cap(platform::kCapHorzRes);
  VertRes = cap(platform::kCapVertRes);
  ColorDepth = cap(platform::kCapBitsPixel);
  if (valid) {
    int technology = screen.Cap(platform::kCapTechnology);
    if (technology >= 0 && technology < static_cast<int>(std::size(kTechnologies)))
      Technology = kTechnologies[technology];
  }
  PixelWidth = cap(platform::kCapAspectX);
  PixelHeight = cap(platform::kCapAspectY);
  PixelDiagonal = cap(platform::kCapAspectXY);

  CurveCaps = SetFromBits<TCurveCaps>(cap(platform::kCapCurveCaps), kCurveBits);
  LineCaps = SetFromBits<TLineCaps>(cap(platform::kCapLineCaps), kLineBits);
  PolygonCaps = SetFromBits<TPolygonCaps>(cap(platform::kCapPolygonalCaps), kPolygonBits);
  RasterCaps = SetFromBits<TRasterCaps>(cap(platform::kCapRasterCaps), kRasterBits);
  TextCaps = SetFromBits<TTextCaps>(cap(platform::kCapTextCaps), kTextBits);
}

void TDisplay::ReadModes() {
  Modes.Clear();
  platform::DisplayMode mode;
  for (std::uint32_t n = 0; platform::QueryDisplayMode(n, mode); ++n)
    Modes.Add(Format("%d x %d - %d bit", {static_cast<std::int32_t>(mode.dmPelsWidth),
                                          static_cast<std::int32_t>(mode.dmPelsHeight),
                                          static_cast<std::int32_t>(mode.dmBitsPerPel)}));
}

void TDisplay::Publish(PropertyWriter& w) const {
  w.Text("Adapter", Adapter);
  w.Text("DAC", DAC);
  w.Text("Chipset", Chipset);
  w.Integer("Memory", Memory);
  w.Integer("HorzRes", HorzRes);
  w.Integer("VertRes", VertRes);
  w.Integer("ColorDepth", ColorDepth);
  w.Text("BIOSVersion", BIOSVersion);
  w.Text("BIOSDate", BIOSDate);
  w.Text("Technology", Technology);
  w.Integer("PixelWidth", PixelWidth);
  w.Integer("PixelHeight", PixelHeight);
  w.Integer("PixelDiagonal", PixelDiagonal);
  w.Set("RasterCaps", RasterCaps, kRasterCapNames);
  w.Set("CurveCaps", CurveCaps, kCurveCapNames);
  w.Set("LineCaps", LineCaps, kLineCapNames);
  w.Set("PolygonCaps", PolygonCaps, kPolygonCapNames);
  w.Set("TextCaps", TextCaps, kTextCapNames);
  w.List("Modes", Modes);
  w.Integer("FontResolution", FontResolution);
}

}  // namespace qor
