#pragma once
// Scripted multimedia devices for the fake machine: per family, the devices the
// count reports and what asking for each one's capabilities answers.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/multimedia.h"

namespace qor::fake {

struct MediaDevice {
  // Copied into the 32-character product name as it stands (no terminator when it fills it).
  std::string name;
  std::uint32_t version = 0;
  // The capabilities call's answer; anything but 0 leaves the record unfilled.
  unsigned result = 0;
};

// The devices of one family, by identifier; Reset() empties every family.
std::vector<MediaDevice>& MediaDevices(platform::MediaFamily family);

}  // namespace qor::fake
