#include "info/QOR_Printers.h"

#include <string>

#include "base/printer_list.h"
#include "info/QOR_Console.h"

namespace qor {

QOR_REGISTER_AREA(iaPrinters, TPrinters, Printers)

void TPrinters::GetInfo() {
  Names.Clear();
  Ports.Clear();
  TPrinterList printers;
  std::string device, driver, port;
  for (int i = 0; i < printers.Count(); ++i) {
    printers.SetPrinterIndex(i);
    printers.GetPrinter(device, driver, port);
    Names.Add(device);
    Ports.Add(port);
  }
  // With no default printer this raises, and DefaultIndex keeps its earlier value.
  printers.SetPrinterIndex(-1);
  printers.GetPrinter(device, driver, port);
  DefaultIndex = Names.IndexOf(device);
}

void TPrinters::Publish(PropertyWriter& w) const {
  w.Integer("DefaultIndex", DefaultIndex);
  w.List("Names", Names);
  w.List("Ports", Ports);
}

}  // namespace qor
