#pragma once
// TPrinters: the installed printers, their ports and which one is the default.
#include <cstdint>

#include "base/persistent.h"

namespace qor {

class TPrinters : public TInfoClass {
 public:
  const char* ClassName() const override { return "TPrinters"; }
  void GetInfo() override;
  void Publish(PropertyWriter& w) const override;

  TStringList Names;
  TStringList Ports;
  std::int32_t DefaultIndex = 0;
};

}  // namespace qor
