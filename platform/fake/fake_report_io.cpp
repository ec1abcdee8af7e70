#include "platform/fake/fake_report_io.h"

#include "platform/console.h"
#include "platform/fake/fake_machine.h"
#include "platform/text.h"

namespace qor::fake {

ReportIo& ReportIoState() {
  static ReportIo state;
  return state;
}

namespace {
const bool registered = OnReset([] { ReportIoState() = ReportIo{}; });
}  // namespace

}  // namespace qor::fake

namespace qor::platform {

bool PlatformTextsAreUtf8() {
  return fake::ReportIoState().platformTextsAreUtf8;
}

void ConsoleWriteErrorLine(std::string_view text) {
  fake::ReportIoState().errorOutput.append(text).append("\r\n");
}

}  // namespace qor::platform
