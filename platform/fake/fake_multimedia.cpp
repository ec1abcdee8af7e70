#include "platform/fake/fake_multimedia.h"

#include <cstring>

#include "platform/fake/fake_machine.h"

namespace qor::fake {
namespace {

constexpr int kFamilies = 6;

std::vector<MediaDevice>* Families() {
  static std::vector<MediaDevice> families[kFamilies];
  return families;
}

const bool registered = OnReset([] {
  for (int i = 0; i < kFamilies; ++i) Families()[i].clear();
});

}  // namespace

std::vector<MediaDevice>& MediaDevices(platform::MediaFamily family) {
  return Families()[static_cast<int>(family)];
}

}  // namespace qor::fake

namespace qor::platform {

unsigned MediaDeviceCount(MediaFamily family) {
  return static_cast<unsigned>(fake::MediaDevices(family).size());
}

unsigned QueryMediaDeviceCaps(MediaFamily family, unsigned id, MediaCaps& caps) {
  const auto& devices = fake::MediaDevices(family);
  if (id >= devices.size()) return 2;  // a bad device identifier
  const fake::MediaDevice& d = devices[id];
  if (d.result != 0) return d.result;
  caps = MediaCaps{};
  caps.vDriverVersion = d.version;
  std::memcpy(caps.szPname, d.name.data(),
              d.name.size() < sizeof caps.szPname ? d.name.size() : sizeof caps.szPname);
  return 0;
}

}  // namespace qor::platform
