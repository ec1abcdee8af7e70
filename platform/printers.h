#pragma once
// The installed printers and the system's default printer.
#include <string>
#include <vector>

namespace qor::platform {

struct PrinterEntry {
  std::string device;
  std::string driver;
  std::string port;  // empty when the printer names none
};

struct PrinterSetup {
  // The installed printers, in the system's order; empty when there is none or the
  // list cannot be read.
  std::vector<PrinterEntry> printers;
  // The device name of the system's default printer; empty when none is set.
  std::string defaultDevice;
};

PrinterSetup ReadPrinterSetup();

}  // namespace qor::platform
