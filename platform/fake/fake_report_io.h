#pragma once
// The fake machine's text encoding and standard error, as the report program uses them.
#include <string>

namespace qor::fake {

struct ReportIo {
  // A Windows machine by default: its texts are Windows-1252.
  bool platformTextsAreUtf8 = false;
  // Everything written to standard error, with "\r\n" line ends.
  std::string errorOutput;
};

// Reset with the machine.
ReportIo& ReportIoState();

}  // namespace qor::fake
