#pragma once
// Where the Linux platform reads the system from. Tests point these at a fixture
// tree so what it reads is known exactly.
#include <string>

namespace qor::platform::linux_impl {

struct Sources {
  std::string sysfs = "/sys";
  std::string procfs = "/proc";
  std::string hwdata = "/usr/share/hwdata";  // pci.ids and usb.ids
  std::string etc = "/etc";                  // os-release, the local zone
};

const Sources& CurrentSources();
// Replaces the sources and drops anything built from the old ones.
void SetSources(const Sources& sources);

}  // namespace qor::platform::linux_impl
