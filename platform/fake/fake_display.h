#pragma once
// The fake machine's screen: capability answers, the driver's modes, and the
// device contexts handed out (each counted as an open handle until released).
#include <map>
#include <vector>

#include "platform/display.h"

namespace qor::fake {

struct Screen {
  // No context at all, as a system without a usable display answers.
  bool contextRefused = false;
  // Capability index to value; an index not listed answers 0.
  std::map<int, int> caps;
  std::vector<platform::DisplayMode> modes;
  // Contexts handed out and not yet released.
  std::vector<platform::ScreenContext> live;
  // Capability queries made on a context that was not live.
  int queriesWithoutContext = 0;
};

Screen& CurrentScreen();

}  // namespace qor::fake
