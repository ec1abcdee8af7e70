#include "base/printer_list.h"

#include "base/error.h"
#include "platform/text.h"

namespace qor {

TPrinterList::TPrinterList() : setup_(platform::ReadPrinterSetup()) {}

void TPrinterList::SetPrinterIndex(int index) {
  if (index == -1) {
    const std::string& wanted = setup_.defaultDevice;
    for (int i = 0; !wanted.empty() && i < Count(); ++i)
      if (platform::CompareTextNoCase(setup_.printers[i].device, wanted) == 0) {
        index_ = i;
        return;
      }
    throw Error("There is no default printer currently selected");
  }
  if (index < 0 || index >= Count()) throw Error("Printer index out of range");
  index_ = index;
}

void TPrinterList::GetPrinter(std::string& device, std::string& driver, std::string& port) {
  if (index_ == -1) SetPrinterIndex(-1);
  const auto& entry = setup_.printers[index_];
  device = entry.device;
  driver = entry.driver;
  port = entry.port;
}

}  // namespace qor
