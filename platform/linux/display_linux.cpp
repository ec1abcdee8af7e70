// The screen as the kernel states it: the framebuffer's size and depth, and the
// modes of the connected display connectors. Linux states no drawing capabilities,
// so those sets stay empty.
#include <dirent.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/display.h"
#include "platform/linux/proc_file.h"
#include "platform/linux/sources.h"

namespace qor::platform {
namespace {

using linux_impl::CurrentSources;
using linux_impl::ReadSmallFile;

constexpr int kRasterDisplay = 1;

struct Screen {
  bool present = false;
  int width = 0, height = 0, bits = 0;
  std::vector<std::pair<int, int>> modes;  // connected connectors' modes, preferred first
};

std::vector<std::string> Entries(const std::string& path) {
  std::vector<std::string> names;
  if (DIR* dir = opendir(path.c_str())) {
    while (dirent* e = readdir(dir))
      if (e->d_name[0] != '.') names.emplace_back(e->d_name);
    closedir(dir);
  }
  std::sort(names.begin(), names.end());
  return names;
}

Screen ReadScreen() {
  Screen s;
  const std::string& sys = CurrentSources().sysfs;
  for (const std::string& connector : Entries(sys + "/class/drm")) {
    const std::string dir = sys + "/class/drm/" + connector;
    if (ReadSmallFile((dir + "/status").c_str(), 64).rfind("connected", 0) != 0) continue;
    std::string modes = ReadSmallFile((dir + "/modes").c_str());
    std::size_t pos = 0;
    while (pos < modes.size()) {
      int w = 0, h = 0;
      if (std::sscanf(modes.c_str() + pos, "%dx%d", &w, &h) == 2 &&
          std::find(s.modes.begin(), s.modes.end(), std::make_pair(w, h)) == s.modes.end())
        s.modes.emplace_back(w, h);
      pos = modes.find('\n', pos);
      if (pos == std::string::npos) break;
      ++pos;
    }
  }
  const std::string fb = sys + "/class/graphics/fb0";
  std::string size = ReadSmallFile((fb + "/virtual_size").c_str(), 64);
  if (std::sscanf(size.c_str(), "%d,%d", &s.width, &s.height) == 2) {
    std::sscanf(ReadSmallFile((fb + "/bits_per_pixel").c_str(), 64).c_str(), "%d", &s.bits);
    s.present = true;
  } else if (!s.modes.empty()) {
    // No framebuffer: the preferred mode of the first connected display.
    s.width = s.modes.front().first;
    s.height = s.modes.front().second;
    s.present = true;
  }
  return s;
}

}  // namespace

// The context holds the screen as read when it was opened.
ScreenContext OpenScreenContext() {
  Screen s = ReadScreen();
  return s.present ? reinterpret_cast<ScreenContext>(new Screen(std::move(s))) : 0;
}

void ReleaseScreenContext(ScreenContext context) {
  delete reinterpret_cast<Screen*>(context);
}

int QueryDeviceCapability(ScreenContext context, int index) {
  if (context == 0) return 0;
  const Screen& s = *reinterpret_cast<const Screen*>(context);
  switch (index) {
    case kCapTechnology:
      return kRasterDisplay;
    case kCapHorzRes:
      return s.width;
    case kCapVertRes:
      return s.height;
    case kCapBitsPixel:
      return s.bits;
    default:
      return 0;
  }
}

bool QueryDisplayMode(std::uint32_t modeNumber, DisplayMode& mode) {
  Screen s = ReadScreen();
  if (modeNumber >= s.modes.size()) return false;
  mode.dmPelsWidth = static_cast<std::uint32_t>(s.modes[modeNumber].first);
  mode.dmPelsHeight = static_cast<std::uint32_t>(s.modes[modeNumber].second);
  mode.dmBitsPerPel = static_cast<std::uint32_t>(s.bits);
  return true;
}

}  // namespace qor::platform
