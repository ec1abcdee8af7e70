#include "platform/display.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "base/error.h"
#include "console/console_run.h"
#include "fake_test.h"
#include "info/QOR_Display.h"
#include "platform/fake/fake_display.h"
#include "platform/registry.h"

namespace qor {
namespace {

// Each published set as its member names joined by commas.
class SetCollector : public PropertyWriter {
 public:
  void Integer(std::string_view, std::int64_t) override {}
  void Boolean(std::string_view, bool) override {}
  void Float(std::string_view, double) override {}
  void DateTime(std::string_view, TDateTime) override {}
  void Text(std::string_view, std::string_view) override {}
  void List(std::string_view, const TStringList&) override {}
  void Enumeration(std::string_view, int, std::span<const char* const>) override {}
  void Set(std::string_view name, std::uint64_t bits,
           std::span<const char* const> members) override {
    std::string text;
    for (std::size_t n = 0; n < members.size(); ++n)
      if (bits & (1ull << n)) text += (text.empty() ? "" : ",") + std::string(members[n]);
    sets[std::string(name)] = text;
  }
  void Object(std::string_view, const TPersistent&) override {}
  std::map<std::string, std::string> sets;
};

std::vector<std::uint8_t> Bytes(std::string_view s) {
  return {s.begin(), s.end()};
}

constexpr const char* kSystemKey = "HKEY_LOCAL_MACHINE\\HARDWARE\\DESCRIPTION\\System";
constexpr const char* kInfo9x =
    "HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\Class\\Display\\0000\\INFO";
constexpr const char* kDeviceNT =
    "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\acmevista\\Device0";
constexpr const char* kInstanceNT =
    "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Enum\\PCI\\VEN_1AC3&DEV_0301\\3&13C0B0C5&0&08";

class DisplayTest : public test::FakeMachineTest {
 protected:
  fake::Screen& screen() { return fake::CurrentScreen(); }
  void BootNT() {
    Boot(platform::kPlatformNT, 5, 1, 2600);
    registry().LoadFile(QOR_FIXTURES "/display_nt.reg");
  }
  void Boot9x() {
    Boot(platform::kPlatformWindows, 4, 10, 2222, "A");
    registry().LoadFile(QOR_FIXTURES "/display_9x.reg");
  }
  std::string Caps(const TDisplay& d, const std::string& set) {
    SetCollector c;
    d.Publish(c);
    return c.sets.at(set);
  }
  TDisplay display;
};

TEST_F(DisplayTest, ReadsTheAdapterInTheNineXLayout) {
  Boot9x();
  display.GetInfo();
  EXPECT_EQ(display.Adapter, "Acme Vista 3D AGP");
  EXPECT_EQ(display.DAC, "8 bit");
  EXPECT_EQ(display.Chipset, "Vista 3D rev. 2");
  EXPECT_EQ(display.Memory, 8 * 1024 * 1024);
  EXPECT_EQ(fake::OpenHandles(), 0);
}

TEST_F(DisplayTest, ReadsTheAdapterInTheNTLayoutFromSixteenBitTexts) {
  BootNT();
  display.GetInfo();
  EXPECT_EQ(display.Adapter, "Acme Vista 3D AGP");
  EXPECT_EQ(display.DAC, "Internal");
  EXPECT_EQ(display.Chipset, "Vista 3D rev. 2");
  EXPECT_EQ(display.Memory, 4194304);                      // bytes 00 00 40 00, low byte first
  EXPECT_EQ(display.BIOSVersion, "Acme Vista BIOS 2.10");  // the first of two strings
  EXPECT_EQ(display.BIOSDate, "04/19/99");
  EXPECT_EQ(fake::OpenHandles(), 0);
}

TEST_F(DisplayTest, AFriendlyNameWinsOverTheDescription) {
  BootNT();
  registry().Load(std::string("REGEDIT4\n[") + kInstanceNT + "]\n\"FriendlyName\"=\"Vista\"\n");
  display.GetInfo();
  EXPECT_EQ(display.Adapter, "Vista");
}

TEST_F(DisplayTest, WithoutADisplayRecordTheAdapterIsEmptyAndTheFiguresFresh) {
  BootNT();
  registry().Load(std::string("REGEDIT4\n[-") + kInstanceNT + "]\n");
  display.DAC = "old";
  display.Memory = 9;
  display.GetInfo();
  EXPECT_EQ(display.Adapter, "");
  EXPECT_EQ(display.DAC, "");
  EXPECT_EQ(display.Memory, 0);
  EXPECT_EQ(fake::OpenHandles(), 0);
}

// The 9x values are read unguarded: a wrong type ends the refresh after the adapter.
TEST_F(DisplayTest, AWrongNineXValueEndsTheRefresh) {
  struct Case {
    const char* key;
    const char* name;
    std::uint32_t type;
    std::vector<std::uint8_t> data;
    const char* message;
  };
  const Case cases[] = {
      {kInfo9x, "DacType", platform::kRegDword, {1, 0, 0, 0}, "Invalid data type for 'DacType'"},
      {kInfo9x, "ChipType", platform::kRegBinary, {65}, "Invalid data type for 'ChipType'"},
      {kInfo9x, "VideoMemory", platform::kRegSz, Bytes("8"), "Invalid data type for 'VideoMemory'"},
      {kInfo9x,
       "VideoMemory",
       platform::kRegBinary,
       {0, 0, 0, 1, 0},
       "Failed to get data for 'VideoMemory'"},
      {kSystemKey,
       "VideoBiosDate",
       platform::kRegDword,
       {1, 0, 0, 0},
       "Invalid data type for 'VideoBiosDate'"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Boot9x();
    registry().SetValue(c.key, c.name, c.type, c.data);
    screen().caps[platform::kCapHorzRes] = 1024;
    TDisplay d;
    d.HorzRes = 7;
    d.Modes.Add("old");
    try {
      d.GetInfo();
      ADD_FAILURE() << "no error";
    } catch (const Error& e) {
      EXPECT_EQ(e.Message(), c.message);
    }
    EXPECT_EQ(d.Adapter, "Acme Vista 3D AGP");
    EXPECT_EQ(d.HorzRes, 7);
    EXPECT_EQ(d.Modes.Count(), 1);
    EXPECT_EQ(fake::OpenHandles(), 0);
    fake::Reset();
  }
}

// The NT values are each guarded: one that does not read is skipped, the others stay.
TEST_F(DisplayTest, AnNTValueThatDoesNotReadIsSkipped) {
  struct Case {
    const char* name;
    std::uint32_t type;
    std::vector<std::uint8_t> data;
    const char* dac;
    const char* chip;
    int memory;
  };
  const std::vector<std::uint8_t> tooLong(256, 'x');
  const Case cases[] = {
      {"HardwareInformation.DacType", platform::kRegSz, Bytes("RAMDAC"), "", "Vista 3D rev. 2",
       4194304},
      {"HardwareInformation.ChipType", platform::kRegBinary, tooLong, "Internal", "", 4194304},
      {"HardwareInformation.MemorySize",
       platform::kRegDword,
       {0, 0, 0, 1},
       "Internal",
       "Vista 3D rev. 2",
       0},
      {"HardwareInformation.MemorySize",
       platform::kRegBinary,
       {0, 0, 0, 0, 1},
       "Internal",
       "Vista 3D rev. 2",
       0},
      {"HardwareInformation.MemorySize",
       platform::kRegBinary,
       {0x34, 0x12},
       "Internal",
       "Vista 3D rev. 2",
       0x1234},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    BootNT();
    registry().SetValue(kDeviceNT, c.name, c.type, c.data);
    TDisplay d;
    EXPECT_NO_THROW(d.GetInfo());
    EXPECT_EQ(d.DAC, c.dac);
    EXPECT_EQ(d.Chipset, c.chip);
    EXPECT_EQ(d.Memory, c.memory);
    EXPECT_EQ(fake::OpenHandles(), 0);
    fake::Reset();
  }
}

TEST_F(DisplayTest, TheVideoBiosVersionReadsUpToItsLimit) {
  struct Case {
    std::uint32_t type;
    std::vector<std::uint8_t> data;
    std::string expected;
  };
  const std::string full(151, 'v');
  const Case cases[] = {
      {platform::kRegBinary, Bytes(full), full},             // at the limit, no zero
      {platform::kRegBinary, Bytes(full + "v"), "earlier"},  // past it: unchanged
      {platform::kRegSz, Bytes("text\0"), "earlier"},        // a text does not read
      {platform::kRegBinary, {'A', 0, 'B', 0}, "A"},
  };
  for (const auto& c : cases) {
    BootNT();
    registry().SetValue(kSystemKey, "VideoBiosVersion", c.type, c.data);
    TDisplay d;
    d.BIOSVersion = "earlier";
    d.GetInfo();
    EXPECT_EQ(d.BIOSVersion, c.expected);
    fake::Reset();
  }
}

TEST_F(DisplayTest, TakesEachScreenFigureFromItsCapabilityAndReleasesTheContext) {
  screen().caps = {{platform::kCapLogPixelsY, 96}, {platform::kCapHorzRes, 1024},
                   {platform::kCapVertRes, 768},   {platform::kCapBitsPixel, 32},
                   {platform::kCapTechnology, 1},  {platform::kCapAspectX, 36},
                   {platform::kCapAspectY, 37},    {platform::kCapAspectXY, 51}};
  display.GetInfo();
  EXPECT_EQ(display.FontResolution, 96u);
  EXPECT_EQ(display.HorzRes, 1024);
  EXPECT_EQ(display.VertRes, 768);
  EXPECT_EQ(display.ColorDepth, 32);
  EXPECT_EQ(display.Technology, "Raster Display");
  EXPECT_EQ(display.PixelWidth, 36);
  EXPECT_EQ(display.PixelHeight, 37);
  EXPECT_EQ(display.PixelDiagonal, 51);
  EXPECT_EQ(screen().queriesWithoutContext, 0);
  EXPECT_EQ(fake::OpenHandles(), 0);
}

TEST_F(DisplayTest, TheTechnologyComesFromItsTableAndAnUnknownValueKeepsTheOldText) {
  const char* texts[] = {"Vector Plotter",   "Raster Display", "Raster Printer", "Raster Camera",
                         "Character Stream", "Metafile",       "Display File"};
  for (int value = 0; value < 7; ++value) {
    screen().caps[platform::kCapTechnology] = value;
    display.GetInfo();
    EXPECT_EQ(display.Technology, texts[value]);
  }
  screen().caps[platform::kCapTechnology] = 7;
  display.GetInfo();
  EXPECT_EQ(display.Technology, "Display File");
  TDisplay fresh;
  fresh.GetInfo();
  EXPECT_EQ(fresh.Technology, "");
}

// Without a screen context the figures are zero, not a zero-valued "vector plotter".
TEST_F(DisplayTest, WithoutAScreenContextTheFiguresAreZeroAndTheTechnologyKept) {
  screen().caps = {{platform::kCapHorzRes, 1024}, {platform::kCapRasterCaps, 0x1}};
  display.GetInfo();
  display.Technology = "Raster Display";
  screen().contextRefused = true;
  display.GetInfo();
  EXPECT_EQ(display.HorzRes, 0);
  EXPECT_EQ(display.RasterCaps, 0);
  EXPECT_EQ(display.Technology, "Raster Display");
  EXPECT_EQ(fake::OpenHandles(), 0);
}

TEST_F(DisplayTest, BuildsEachCapabilitySetByItsBitTable) {
  struct Case {
    int index;
    int value;
    const char* set;
    const char* members;
  };
  const Case cases[] = {
      {platform::kCapRasterCaps, 0x0001, "RasterCaps", "rcTranserBitmaps"},
      {platform::kCapRasterCaps, 0x0802, "RasterCaps", "rcRequiresBanding,rcStretchBlt"},
      {platform::kCapRasterCaps, 0xC040, "RasterCaps", ""},
      {platform::kCapRasterCaps, 0x3FFF, "RasterCaps",
       "rcRequiresBanding,rcTranserBitmaps,rcBitmaps64K,rcSetGetDIBits,rcSetDIBitsToDevice,"
       "rcFloodfills,rcWindows2xFeatures,rcPaletteBased,rcScaling,rcStretchBlt,rcStretchDIBits"},
      {platform::kCapCurveCaps, 0x0101, "CurveCaps", "ccCircles,ccRoundedRects"},
      {platform::kCapCurveCaps, 0x0200, "CurveCaps", ""},
      {platform::kCapLineCaps, 0x0001, "LineCaps", ""},
      {platform::kCapLineCaps, 0x00FE, "LineCaps",
       "lcPolylines,lcMarkers,lcMultipleMarkers,lcWideLines,lcStyledLines,lcWideStyledLines,"
       "lcInteriors"},
      {platform::kCapPolygonalCaps, 0x0081, "PolygonCaps", "pcAltFillPolygons,pcInteriors"},
      {platform::kCapPolygonalCaps, 0x0100, "PolygonCaps", ""},
      {platform::kCapTextCaps, 0x8000, "TextCaps", ""},
      {platform::kCapTextCaps, 0x10000, "TextCaps", "tcNoScrollUsingBlts"},
      {platform::kCapTextCaps, 0x4001, "TextCaps", "tcCharOutPrec,tcVectorFonts"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.set) + " " + std::to_string(c.value));
    screen().caps.clear();
    screen().caps[c.index] = c.value;
    display.GetInfo();  // each set is rebuilt from empty
    SetCollector collected;
    display.Publish(collected);
    for (const auto& [name, members] : collected.sets)
      EXPECT_EQ(members, name == c.set ? c.members : "") << name;
  }
}

TEST_F(DisplayTest, ListsEveryModeTheDriverOffersWithoutMerging) {
  screen().modes = {{640, 480, 8}, {640, 480, 8}, {1024, 768, 32}};
  display.Modes.Add("stale");
  display.GetInfo();
  EXPECT_EQ(
      display.Modes.ToVector(),
      (std::vector<std::string>{"640 x 480 - 8 bit", "640 x 480 - 8 bit", "1024 x 768 - 32 bit"}));
  screen().modes.clear();
  display.GetInfo();
  EXPECT_TRUE(display.Modes.Empty());
}

TEST_F(DisplayTest, TheSummaryShowsTheVideoLineAndEveryHandleIsReleased) {
  for (bool nt : {false, true}) {
    SCOPED_TRACE(nt ? "NT layout" : "9x layout");
    fake::Reset();
    nt ? BootNT() : Boot9x();
    screen().caps = {
        {platform::kCapHorzRes, 1024}, {platform::kCapVertRes, 768}, {platform::kCapBitsPixel, 32}};
    RunConsole();
    EXPECT_NE(machine().output.find("\r\nVideo: Acme Vista 3D AGP (1024 x 768 - 32 bit)\r\n"),
              std::string::npos)
        << machine().output;
    EXPECT_EQ(fake::OpenHandles(), 0);
  }
}

}  // namespace
}  // namespace qor
