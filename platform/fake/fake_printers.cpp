#include "platform/fake/fake_printers.h"

#include "platform/fake/fake_machine.h"

namespace qor::fake {
namespace {

Printers& Storage() {
  static Printers printers;
  return printers;
}
const bool registered = OnReset([] { Storage() = Printers{}; });

}  // namespace

Printers& CurrentPrinters() {
  return Storage();
}

}  // namespace qor::fake

namespace qor::platform {

PrinterSetup ReadPrinterSetup() {
  ++fake::CurrentPrinters().reads;
  return {fake::CurrentPrinters().entries, fake::CurrentPrinters().defaultDevice};
}

}  // namespace qor::platform
