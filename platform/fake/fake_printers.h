#pragma once
// The fake machine's printers.
#include <string>
#include <vector>

#include "platform/printers.h"

namespace qor::fake {

struct Printers {
  std::vector<platform::PrinterEntry> entries;
  // The default printer's device name as the system stores it; empty for none.
  std::string defaultDevice;
  int reads = 0;
};

Printers& CurrentPrinters();

}  // namespace qor::fake
