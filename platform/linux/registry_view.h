#pragma once
// A read-only registry built from Linux's own sources, in the layout of the 9x
// family (Linux is not of the NT family): the enumerated PCI and USB devices, their
// device classes, the kernel drivers serving them as services, and the operating
// system's version key.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/linux/sources.h"

namespace qor::platform::linux_impl {

struct ViewValue {
  std::string name;
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;
};

struct ViewKey {
  std::string name;
  std::vector<std::unique_ptr<ViewKey>> children;
  std::vector<ViewValue> values;

  ViewKey* Child(std::string_view name) const;  // letter case ignored
  ViewKey* AddChild(std::string_view name);     // or the existing one
  const ViewValue* Value(std::string_view name) const;
  void SetText(std::string_view name, std::string_view text);
  void SetDword(std::string_view name, std::uint32_t value);
  void SetMultiText(std::string_view name, const std::vector<std::string>& texts);
};

// HKEY_LOCAL_MACHINE as the system states it now.
std::unique_ptr<ViewKey> BuildMachineView(const Sources& sources);

}  // namespace qor::platform::linux_impl
