#include "console/console_run.h"

#include <cmath>
#include <memory>
#include <string>

#include "base/error.h"
#include "base/format.h"
#include "info/QOR_CPU.h"
#include "info/QOR_Console.h"
#include "info/QOR_Display.h"
#include "info/QOR_Machine.h"
#include "info/QOR_Media.h"
#include "info/QOR_Memory.h"
#include "info/QOR_Network.h"
#include "info/QOR_OS.h"
#include "info/QOR_Printers.h"
#include "platform/console.h"
#include "routines/seconds_to_text.h"
#include "routines/windows_version.h"

namespace qor {
namespace {

void Line(const std::string& text) {
  platform::ConsoleWriteLine(text);
}

// Lines appear only for the areas whose classes exist.
void WriteSummary(const TQOR& q) {
  if (q.Machine) {
    Line(Format("Machine: %s (User: %s)", {q.Machine->Name, q.Machine->User}));
    // Whole seconds, a half going to the even neighbour.
    const auto seconds = static_cast<std::int64_t>(std::nearbyint(q.Machine->SystemUpTime));
    Line(Format("System Up Time: %s", {SecondsToText(seconds, true, false, false)}));
  }
  if (q.CPU) {
    Line(
        Format("CPU: %s %s - %d Mhz", {q.CPU->ShortVendorName, q.CPU->VendorID, q.CPU->Frequency}));
  }
  if (q.Memory) {
    // 64-bit divisions: the figures exceed 32 bits on today's machines.
    Line(Format("Memory: %d MB (%d KB free)",
                {q.Memory->PhysicalTotal / 1024 / 1024, q.Memory->PhysicalFree / 1024}));
  }
  if (q.OS) {
    Line(Format("OS: %s [%d.%d.%d]",
                {WindowsName, q.OS->MajorVersion, q.OS->MinorVersion, q.OS->BuildNumber}));
  }
  if (q.Display) {
    Line(Format("Video: %s (%d x %d - %d bit)", {q.Display->Adapter, q.Display->HorzRes,
                                                 q.Display->VertRes, q.Display->ColorDepth}));
  }
  if (q.Media && !q.Media->Devices.Empty()) {
    // An index past the list raises the list's error, which ends the summary.
    const int index = q.Media->SoundCardIndex > -1 ? q.Media->SoundCardIndex : 0;
    Line(Format("Sound: %s", {q.Media->Devices[index]}));
  }
  if (q.Network) {
    const TNetwork& n = *q.Network;
    if (n.Adapters.Count() > 0)
      Line(Format("Network: %s", {n.Adapters[n.CardAdapterIndex > -1 ? n.CardAdapterIndex : 0]}));
    if (n.IPAddresses.Count() > 0) Line(Format("IP Address: %s", {n.IPAddresses[0]}));
    if (n.MACAddresses.Count() > 0) Line(Format("MAC Address: %s", {n.MACAddresses[0]}));
  }
  if (q.Printers) {
    // The default index is used as it stands: -1 raises the list's bounds error.
    const TPrinters& p = *q.Printers;
    if (p.Names.Count() > 0)
      Line(Format("Printer: %s on %s", {p.Names[p.DefaultIndex], p.Ports[p.DefaultIndex]}));
  }
}

}  // namespace

int RunConsole() {
  auto q = std::make_unique<TQOR>(kConsoleAreas);
  Line(q->About);
  Line("");
  platform::ConsoleWrite("Gathering information...please wait...");
  platform::ConsoleFlush();
  try {
    q->Refresh();
    Line("OK");
    Line("");
    WriteSummary(*q);
  } catch (const Error& e) {
    Line(e.Message());
  }
  Line("");
  Line("press [enter] to exit...");
  platform::ConsoleFlush();
  std::string discarded;
  platform::ConsoleReadLine(discarded);
  return 0;
}

}  // namespace qor
