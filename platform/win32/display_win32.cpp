#include <windows.h>

#include "platform/display.h"

namespace qor::platform {

ScreenContext OpenScreenContext() {
  return reinterpret_cast<ScreenContext>(::GetDC(nullptr));
}

void ReleaseScreenContext(ScreenContext context) {
  if (context != 0) ::ReleaseDC(nullptr, reinterpret_cast<HDC>(context));
}

int QueryDeviceCapability(ScreenContext context, int index) {
  return ::GetDeviceCaps(reinterpret_cast<HDC>(context), index);
}

bool QueryDisplayMode(std::uint32_t modeNumber, DisplayMode& mode) {
  DEVMODEA raw = {};
  raw.dmSize = sizeof raw;
  if (!::EnumDisplaySettingsA(nullptr, modeNumber, &raw)) return false;
  mode.dmPelsWidth = raw.dmPelsWidth;
  mode.dmPelsHeight = raw.dmPelsHeight;
  mode.dmBitsPerPel = raw.dmBitsPerPel;
  return true;
}

}  // namespace qor::platform
