#pragma once
// TDisplay: the display adapter and its video BIOS, the screen's figures and
// capability sets, and the display modes the driver offers.
#include <cstdint>
#include <string>

#include "base/persistent.h"
#include "base/string_list.h"

namespace qor {

enum TRasterCap : int {
  rcRequiresBanding,
  rcTranserBitmaps,
  rcBitmaps64K,
  rcSetGetDIBits,
  rcSetDIBitsToDevice,
  rcFloodfills,
  rcWindows2xFeatures,
  rcPaletteBased,
  rcScaling,
  rcStretchBlt,
  rcStretchDIBits,
};
using TRasterCaps = std::uint16_t;
inline constexpr const char* kRasterCapNames[] = {
    "rcRequiresBanding",   "rcTranserBitmaps", "rcBitmaps64K",        "rcSetGetDIBits",
    "rcSetDIBitsToDevice", "rcFloodfills",     "rcWindows2xFeatures", "rcPaletteBased",
    "rcScaling",           "rcStretchBlt",     "rcStretchDIBits"};

enum TCurveCap : int {
  ccCircles,
  ccPieWedges,
  ccChords,
  ccEllipses,
  ccWideBorders,
  ccStyledBorders,
  ccWideStyledBorders,
  ccInteriors,
  ccRoundedRects,
};
using TCurveCaps = std::uint16_t;
inline constexpr const char* kCurveCapNames[] = {
    "ccCircles",       "ccPieWedges",         "ccChords",    "ccEllipses",    "ccWideBorders",
    "ccStyledBorders", "ccWideStyledBorders", "ccInteriors", "ccRoundedRects"};

enum TLineCap : int {
  lcPolylines,
  lcMarkers,
  lcMultipleMarkers,
  lcWideLines,
  lcStyledLines,
  lcWideStyledLines,
  lcInteriors,
};
using TLineCaps = std::uint8_t;
inline constexpr const char* kLineCapNames[] = {"lcPolylines", "lcMarkers",     "lcMultipleMarkers",
                                                "lcWideLines", "lcStyledLines", "lcWideStyledLines",
                                                "lcInteriors"};

enum TPolygonCap : int {
  pcAltFillPolygons,
  pcRectangles,
  pcWindingFillPolygons,
  pcSingleScanlines,
  pcWideBorders,
  pcStyledBorders,
  pcWideStyledBorders,
  pcInteriors,
};
using TPolygonCaps = std::uint8_t;
inline constexpr const char* kPolygonCapNames[] = {
    "pcAltFillPolygons", "pcRectangles",    "pcWindingFillPolygons", "pcSingleScanlines",
    "pcWideBorders",     "pcStyledBorders", "pcWideStyledBorders",   "pcInteriors"};

enum TTextCap : int {
  tcCharOutPrec,
  tcStrokeOutPrec,
  tcStrokeClipPrec,
  tcCharRotation90,
  tcCharRotationAny,
  tcScaleIndependent,
  tcDoubledCharScaling,
  tcIntMultiScaling,
  tcAnyMultiExactScaling,
  tcDoubleWeightChars,
  tcItalics,
  tcUnderlines,
  tcStrikeouts,
  tcRasterFonts,
  tcVectorFonts,
  tcNoScrollUsingBlts,
};
using TTextCaps = std::uint16_t;
inline constexpr const char* kTextCapNames[] = {
    "tcCharOutPrec",        "tcStrokeOutPrec",   "tcStrokeClipPrec",
    "tcCharRotation90",     "tcCharRotationAny", "tcScaleIndependent",
    "tcDoubledCharScaling", "tcIntMultiScaling", "tcAnyMultiExactScaling",
    "tcDoubleWeightChars",  "tcItalics",         "tcUnderlines",
    "tcStrikeouts",         "tcRasterFonts",     "tcVectorFonts",
    "tcNoScrollUsingBlts"};

// What the driver's registry entries say about the adapter.
struct TDisplayInfo {
  std::string DAC;
  std::string Chipset;
  std::int32_t Memory = 0;
};

class TDisplay : public TInfoClass {
 public:
  const char* ClassName() const override { return "TDisplay"; }
  void GetInfo() override;
  void Publish(PropertyWriter& w) const override;

  std::int32_t VertRes = 0;
  std::int32_t ColorDepth = 0;
  std::int32_t HorzRes = 0;
  std::string BIOSDate;
  std::string BIOSVersion;
  std::int32_t PixelDiagonal = 0;
  std::int32_t PixelHeight = 0;
  std::int32_t PixelWidth = 0;
  std::string Technology;
  TCurveCaps CurveCaps = 0;
  TLineCaps LineCaps = 0;
  TPolygonCaps PolygonCaps = 0;
  TRasterCaps RasterCaps = 0;
  TTextCaps TextCaps = 0;
  std::int32_t Memory = 0;
  std::string Chipset;
  std::string Adapter;
  std::string DAC;
  TStringList Modes;
  std::uint32_t FontResolution = 0;

 private:
  void ReadVideoBIOS();
  void ReadScreen();
  void ReadModes();
};

}  // namespace qor
