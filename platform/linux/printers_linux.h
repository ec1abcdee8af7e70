#pragma once
// Readers of the print system's own files, apart so tests can feed them text.
#include <string>
#include <string_view>
#include <vector>

#include "platform/printers.h"

namespace qor::platform::linux_impl {

// The print server's printer file: each printer with its make and model as the
// driver and its device address as the port; `defaultName` receives the printer
// marked as the default.
std::vector<PrinterEntry> ParsePrintersConf(std::string_view text, std::string& defaultName);
// A printcap file: the first name of each entry; no driver or port.
std::vector<PrinterEntry> ParsePrintcap(std::string_view text);
// An options file's "Default name[/instance]" line; empty when there is none.
std::string ParseDefaultOption(std::string_view text);

}  // namespace qor::platform::linux_impl
