#pragma once
// The screen's device context with its capability figures, and the display modes
// the driver of the current display device offers.
#include <cstdint>

namespace qor::platform {

using ScreenContext = std::uintptr_t;

// Capability indexes, numbered as the graphics device interface numbers them.
inline constexpr int kCapTechnology = 2;
inline constexpr int kCapHorzRes = 8;
inline constexpr int kCapVertRes = 10;
inline constexpr int kCapBitsPixel = 12;
inline constexpr int kCapCurveCaps = 28;
inline constexpr int kCapLineCaps = 30;
inline constexpr int kCapPolygonalCaps = 32;
inline constexpr int kCapTextCaps = 34;
inline constexpr int kCapRasterCaps = 38;
inline constexpr int kCapAspectX = 40;
inline constexpr int kCapAspectY = 42;
inline constexpr int kCapAspectXY = 44;
inline constexpr int kCapLogPixelsY = 90;

// The device context of the whole screen, or 0 when the system gives none. A
// context obtained here is a handle: release it with ReleaseScreenContext.
ScreenContext OpenScreenContext();
void ReleaseScreenContext(ScreenContext context);
// The value of one capability of the context (0 when the index is unknown).
int QueryDeviceCapability(ScreenContext context, int index);

struct DisplayMode {
  std::uint32_t dmPelsWidth = 0;
  std::uint32_t dmPelsHeight = 0;
  std::uint32_t dmBitsPerPel = 0;
};

// Mode number modeNumber of the current display device; false when the driver
// has no mode of that number.
bool QueryDisplayMode(std::uint32_t modeNumber, DisplayMode& mode);

}  // namespace qor::platform
