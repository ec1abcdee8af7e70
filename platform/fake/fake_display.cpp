#include "platform/fake/fake_display.h"

#include <algorithm>

#include "platform/fake/fake_machine.h"

namespace qor::fake {
namespace {

platform::ScreenContext& NextContext() {
  static platform::ScreenContext next = 0x5000;
  return next;
}

const bool registered = OnReset([] { CurrentScreen() = Screen{}; });

}  // namespace

Screen& CurrentScreen() {
  static Screen screen;
  return screen;
}

}  // namespace qor::fake

namespace qor::platform {

using fake::CurrentScreen;

ScreenContext OpenScreenContext() {
  if (CurrentScreen().contextRefused) return 0;
  ScreenContext context = ++fake::NextContext();
  CurrentScreen().live.push_back(context);
  fake::HandleOpened();
  return context;
}

void ReleaseScreenContext(ScreenContext context) {
  auto& live = CurrentScreen().live;
  auto it = std::find(live.begin(), live.end(), context);
  if (it == live.end()) return;
  live.erase(it);
  fake::HandleClosed();
}

int QueryDeviceCapability(ScreenContext context, int index) {
  auto& screen = CurrentScreen();
  if (std::find(screen.live.begin(), screen.live.end(), context) == screen.live.end()) {
    ++screen.queriesWithoutContext;
    return 0;
  }
  auto it = screen.caps.find(index);
  return it == screen.caps.end() ? 0 : it->second;
}

bool QueryDisplayMode(std::uint32_t modeNumber, DisplayMode& mode) {
  const auto& modes = CurrentScreen().modes;
  if (modeNumber >= modes.size()) return false;
  mode = modes[modeNumber];
  return true;
}

}  // namespace qor::platform
