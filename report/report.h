#pragma once
// The report program: every published property of every selected area, as readable
// text or as one JSON document.
#include <string>
#include <string_view>
#include <vector>

#include "base/date_time.h"
#include "info/QOR_Console.h"
#include "report/published.h"

namespace qor::report {

inline constexpr const char* kProgramName = "qor-report";

inline constexpr int kExitOk = 0;
inline constexpr int kExitAreaFailed = 1;
inline constexpr int kExitUsage = 2;

// By area, in TInfoArea order: the member of TQOR and its class.
inline constexpr const char* kMemberNames[kInfoAreaCount] = {
    "CPU", "Machine", "Devices", "Display", "Network",   "Media",    "Memory",   "Engines",
    "APM", "Disk",    "DirectX", "OS",      "Processes", "Printers", "Software", "Startup"};

enum class Format { Text, Json };

struct CommandLine {
  enum class Action { Run, Help, Version, UsageError };
  Action action = Action::Run;
  Format format = Format::Text;
  bool listProperties = false;  // the names and types only, nothing gathered
  TInfoAreas areas = kAllAreas;
  std::string error;  // what is wrong, for UsageError
};

// The arguments after the program name.
CommandLine ParseCommandLine(const std::vector<std::string>& args);
// "Memory" or "iaMemory", in any letter case.
bool AreaFromName(std::string_view name, TInfoArea& area);

struct AreaReport {
  TInfoArea area = iaCPU;
  bool present = false;  // false: no information class for this area in this build
  std::string className;
  std::string error;  // the guard's composed line when its GetInfo failed
  std::vector<Property> properties;
};

struct Report {
  std::string about;
  std::vector<AreaReport> areas;    // the selected areas, in area order
  std::vector<std::string> errors;  // every error line, in the order they arose
  bool Failed() const { return !errors.empty(); }
};

// Creates the information object with the selected areas, refreshes it once through
// its guard with the reported failures collected, and takes every present member's
// published properties.
Report Gather(TInfoAreas areas);

// "YYYY-MM-DDThh:mm:ss" (".zzz" added when there are milliseconds), the local time a
// date-time value stands for; empty outside years 1 to 9999.
std::string IsoDateTime(TDateTime value);

// The text form, one line per element (no line ends), texts as UTF-8.
std::vector<std::string> RenderText(const Report& report, bool platformTextsAreUtf8);
// The JSON document, UTF-8, lines separated by "\n".
std::string RenderJson(const Report& report, bool platformTextsAreUtf8);

// What each selected area publishes, with its types, read from the classes themselves
// without gathering anything: the reference of the report's names.
std::vector<std::string> RenderPropertyList(TInfoAreas areas);

std::string VersionText();
std::string HelpText();

// The whole program over the platform's console; returns the exit code.
int RunReport(const std::vector<std::string>& args);

}  // namespace qor::report
