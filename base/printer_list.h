#pragma once
// The printer list: the installed printers, one of them current, and the choice of
// the system's default printer.
#include <string>

#include "platform/printers.h"

namespace qor {

class TPrinterList {
 public:
  // Reads the platform's printers and its default once; the default is current.
  TPrinterList();

  int Count() const { return static_cast<int>(setup_.printers.size()); }
  // -1 while the default has not been resolved.
  int PrinterIndex() const { return index_; }
  // 0 .. Count - 1, or -1 for the system's default printer. Raises "There is no
  // default printer currently selected" when there is none or it is not listed, and
  // "Printer index out of range" for any other index; the selection is then unchanged.
  void SetPrinterIndex(int index);
  // The current entry's device, driver and port names.
  void GetPrinter(std::string& device, std::string& driver, std::string& port);

 private:
  platform::PrinterSetup setup_;
  int index_ = -1;
};

}  // namespace qor
