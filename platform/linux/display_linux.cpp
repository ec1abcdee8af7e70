#include "platform/display.h"

namespace qor::platform {

// Linux has no graphics device interface to ask: no context, no figures, no modes.
ScreenContext OpenScreenContext() {
  return 0;
}
void ReleaseScreenContext(ScreenContext) {}
int QueryDeviceCapability(ScreenContext, int) {
  return 0;
}
bool QueryDisplayMode(std::uint32_t, DisplayMode&) {
  return false;
}

}  // namespace qor::platform
