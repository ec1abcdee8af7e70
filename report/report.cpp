#include "report/report.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <memory>
#include <nlohmann/json.hpp>

#include "base/error.h"
#include "platform/console.h"
#include "platform/text.h"
#include "report/encoding.h"

#ifndef QOR_VERSION
#define QOR_VERSION "1.0"
#endif

namespace qor::report {
namespace {

using Json = nlohmann::ordered_json;

char LowerAZ(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

bool SameNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (LowerAZ(a[i]) != LowerAZ(b[i])) return false;
  return true;
}

std::string FloatText(double value) {
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

// Control characters would break the one-line form of a value.
std::string EscapeControls(std::string_view text) {
  std::string out;
  for (char c : text) {
    auto u = static_cast<unsigned char>(c);
    if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\t') {
      out += "\\t";
    } else if (u < 0x20 || u == 0x7F) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", u);
      out += hex;
    } else {
      out += c;
    }
  }
  return out;
}

const char* EntriesText(std::size_t n) {
  return n == 1 ? " entry" : " entries";
}

class TextRenderer {
 public:
  TextRenderer(std::vector<std::string>& lines, bool utf8) : lines_(lines), utf8_(utf8) {}

  std::string Convert(std::string_view text) const {
    return EscapeControls(Utf8FromPlatform(text, utf8_));
  }

  void Properties(const std::vector<Property>& properties, const std::string& prefix) {
    for (const Property& p : properties) {
      std::string name = prefix + p.name;
      using K = Property::Kind;
      switch (p.kind) {
        case K::Integer:
          Line(name, std::to_string(p.integer));
          break;
        case K::Boolean:
          Line(name, p.boolean ? "True" : "False");
          break;
        case K::Float:
          Line(name, FloatText(p.number));
          break;
        case K::DateTime: {
          std::string iso = IsoDateTime(p.number);
          Line(name, (iso.empty() ? "?" : iso) + " (" + FloatText(p.number) + ")");
          break;
        }
        case K::Text:
          Line(name, Convert(p.text));
          break;
        case K::List:
          Line(name, std::to_string(p.items.size()) + EntriesText(p.items.size()));
          for (const std::string& item : p.items) lines_.push_back("  " + Convert(item));
          break;
        case K::Enumeration:
          Line(name, p.text.empty() ? std::to_string(p.integer) : p.text);
          break;
        case K::Set: {
          std::string members;
          for (const std::string& item : p.items) members += (members.empty() ? "" : ", ") + item;
          for (int bit : p.unnamedBits)
            members += (members.empty() ? "" : ", ") + std::to_string(bit);
          Line(name, "[" + members + "]");
          break;
        }
        case K::Object:
          Properties(p.children, name + ".");
          break;
      }
    }
  }

 private:
  void Line(const std::string& name, const std::string& value) {
    lines_.push_back(name + " = " + value);
  }
  std::vector<std::string>& lines_;
  bool utf8_;
};

class JsonRenderer {
 public:
  explicit JsonRenderer(bool utf8) : utf8_(utf8) {}

  std::string Convert(std::string_view text) const { return Utf8FromPlatform(text, utf8_); }

  Json Properties(const std::vector<Property>& properties) const {
    Json out = Json::object();
    for (const Property& p : properties) out[p.name] = Value(p);
    return out;
  }

 private:
  Json Value(const Property& p) const {
    using K = Property::Kind;
    switch (p.kind) {
      case K::Integer:
        return p.integer;
      case K::Boolean:
        return p.boolean;
      case K::Float:
        return p.number;  // not-a-number and infinities come out as null
      case K::DateTime: {
        std::string iso = IsoDateTime(p.number);
        Json value = Json::object();
        value["Days"] = p.number;
        value["Local"] = iso.empty() ? Json() : Json(iso);
        return value;
      }
      case K::Text:
        return Convert(p.text);
      case K::List: {
        Json items = Json::array();
        for (const std::string& item : p.items) items.push_back(Convert(item));
        return items;
      }
      case K::Enumeration:
        if (p.text.empty()) return p.integer;  // an ordinal past the name table
        return p.text;
      case K::Set: {
        Json members = Json::array();
        for (const std::string& item : p.items) members.push_back(item);
        for (int bit : p.unnamedBits) members.push_back(bit);
        return members;
      }
      case K::Object:
        return Properties(p.children);
    }
    return Json();
  }
  bool utf8_;
};

}  // namespace

bool AreaFromName(std::string_view name, TInfoArea& area) {
  for (int a = 0; a < kInfoAreaCount; ++a) {
    if (SameNoCase(name, kMemberNames[a]) || SameNoCase(name, kInfoAreaNames[a])) {
      area = static_cast<TInfoArea>(a);
      return true;
    }
  }
  return false;
}

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  CommandLine line;
  TInfoAreas named = 0;
  for (const std::string& arg : args) {
    if (arg == "--help" || arg == "-h") {
      line.action = CommandLine::Action::Help;
      return line;
    }
    if (arg == "--version") {
      line.action = CommandLine::Action::Version;
      return line;
    }
    if (arg == "--json") {
      line.format = Format::Json;
    } else if (arg == "--text") {
      line.format = Format::Text;
    } else if (arg == "--properties") {
      line.listProperties = true;
    } else if (!arg.empty() && arg[0] == '-') {
      line.action = CommandLine::Action::UsageError;
      line.error = "unknown option '" + arg + "'";
      return line;
    } else {
      TInfoArea area;
      if (!AreaFromName(arg, area)) {
        line.action = CommandLine::Action::UsageError;
        line.error = "unknown area '" + arg + "'";
        return line;
      }
      named |= AreaBit(area);
    }
  }
  if (named) line.areas = named;
  return line;
}

Report Gather(TInfoAreas areas) {
  Report report;
  auto q = std::make_unique<TQOR>(areas);
  report.about = q->About;
  for (int a = 0; a < kInfoAreaCount; ++a) {
    if (!(areas & AreaBit(TInfoArea(a)))) continue;
    AreaReport& area = report.areas.emplace_back();
    area.area = TInfoArea(a);
    if (TInfoClass* member = q->Member(area.area)) {
      area.present = true;
      area.className = member->ClassName();
    }
  }
  q->ErrorAction = eaReport;
  q->ReportHook = [&report](const std::string& name, const std::string& line) {
    report.errors.push_back(line);
    for (AreaReport& area : report.areas)
      if (area.present && name == area.className + ".GetInfo" && area.error.empty())
        area.error = line;
  };
  try {
    q->Refresh();
  } catch (const Error& e) {
    // Only what the guard does not cover escapes (a step outside it).
    report.errors.push_back(e.Message());
  }
  for (AreaReport& area : report.areas) {
    if (!area.present) continue;
    try {
      area.properties = Collect(*q->Member(area.area));
    } catch (const Error& e) {
      // Publishing only reads fields, but a list read past its end would end the whole
      // report: the area reports it as its own failure instead.
      std::string line = ComposeGetInfoError(area.className + ".Publish", e.Message());
      report.errors.push_back(line);
      if (area.error.empty()) area.error = line;
      area.properties.clear();
    }
  }
  return report;
}

std::string IsoDateTime(TDateTime value) {
  // Years 1 to 9999; negative values count the date back and the time forward.
  if (!(value > -693594.0 && value < 2958466.0)) return "";
  double day = std::trunc(value);
  long long ms = std::llround(std::fabs(value - day) * 86400000.0);
  if (ms >= 86400000) {  // rounds up into the next day (the time always counts forward)
    ms -= 86400000;
    day += 1;
    if (day >= 2958466.0 || day <= -693594.0) return "";
  }
  DateParts d = DecodeDate(day);
  char buffer[40];
  int n = std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02dT%02lld:%02lld:%02lld", d.year,
                        d.month, d.day, ms / 3600000, ms / 60000 % 60, ms / 1000 % 60);
  if (ms % 1000) std::snprintf(buffer + n, sizeof buffer - n, ".%03lld", ms % 1000);
  return buffer;
}

std::vector<std::string> RenderText(const Report& report, bool platformTextsAreUtf8) {
  std::vector<std::string> lines;
  TextRenderer text(lines, platformTextsAreUtf8);
  lines.push_back(text.Convert(report.about));
  for (const AreaReport& area : report.areas) {
    lines.emplace_back();
    std::string header = std::string("[") + kMemberNames[area.area] + "]";
    if (!area.present) {
      lines.push_back(header + " absent");
      continue;
    }
    lines.push_back(header + " " + area.className);
    if (!area.error.empty()) lines.push_back("Error: " + text.Convert(area.error));
    text.Properties(area.properties, "");
  }
  bool first = true;
  for (const std::string& error : report.errors) {
    bool shown = false;
    for (const AreaReport& area : report.areas) shown = shown || area.error == error;
    if (shown) continue;
    if (first) lines.emplace_back();
    first = false;
    lines.push_back("Error: " + text.Convert(error));
  }
  return lines;
}

std::string RenderJson(const Report& report, bool platformTextsAreUtf8) {
  JsonRenderer json(platformTextsAreUtf8);
  Json doc = Json::object();
  doc["Program"] = kProgramName;
  doc["Version"] = QOR_VERSION;
  doc["About"] = json.Convert(report.about);
  Json areas = Json::object();
  for (const AreaReport& area : report.areas) {
    Json a = Json::object();
    a["Area"] = kInfoAreaNames[area.area];
    if (!area.present) {
      a["Status"] = "absent";
    } else {
      a["Class"] = area.className;
      a["Status"] = area.error.empty() ? "ok" : "failed";
      if (!area.error.empty()) a["Error"] = json.Convert(area.error);
      a["Properties"] = json.Properties(area.properties);
    }
    areas[kMemberNames[area.area]] = std::move(a);
  }
  doc["Areas"] = std::move(areas);
  Json errors = Json::array();
  for (const std::string& error : report.errors) errors.push_back(json.Convert(error));
  doc["Errors"] = std::move(errors);
  // Every text is well-formed UTF-8 by now; replacing keeps the document valid regardless.
  return doc.dump(2, ' ', false, Json::error_handler_t::replace);
}

namespace {
std::string Joined(const std::vector<std::string>& names) {
  std::string out;
  for (const std::string& name : names) out += (out.empty() ? "" : ", ") + name;
  return out;
}

void ListProperties(std::vector<std::string>& lines, const std::vector<Property>& properties,
                    const std::string& prefix) {
  static constexpr const char* kKinds[] = {"integer",     "boolean", "float",
                                           "date-time",   "text",    "string list",
                                           "enumeration", "set",     "object"};
  for (const Property& p : properties) {
    std::string line = prefix + p.name + ": " + kKinds[static_cast<int>(p.kind)];
    if (p.kind == Property::Kind::Enumeration || p.kind == Property::Kind::Set)
      line += " (" + Joined(p.names) + ")";
    if (p.kind == Property::Kind::Object) line += " " + p.className;
    lines.push_back(line);
    if (p.kind == Property::Kind::Object) ListProperties(lines, p.children, prefix + p.name + ".");
  }
}
}  // namespace

std::vector<std::string> RenderPropertyList(TInfoAreas areas) {
  TQOR q(areas);
  std::vector<std::string> lines;
  for (int a = 0; a < kInfoAreaCount; ++a) {
    if (!(areas & AreaBit(TInfoArea(a)))) continue;
    if (!lines.empty()) lines.emplace_back();
    std::string header = std::string("[") + kMemberNames[a] + "]";
    TInfoClass* member = q.Member(TInfoArea(a));
    if (member == nullptr) {
      lines.push_back(header + " absent");
      continue;
    }
    lines.push_back(header + " " + member->ClassName());
    ListProperties(lines, Collect(*member), "");
  }
  return lines;
}

std::string VersionText() {
  return std::string(kProgramName) + " " + QOR_VERSION;
}

std::string HelpText() {
  std::string areas;
  for (int a = 0; a < kInfoAreaCount; ++a)
    areas += std::string(a == 0 ? "  " : a % 8 == 0 ? ",\n  " : ", ") + kMemberNames[a];
  return std::string("Usage: ") + kProgramName +
         " [--json | --properties] [AREA...]\n"
         "\n"
         "Gathers the inventory of this machine and writes every property it found,\n"
         "one section per area. Without AREA, all sixteen areas are gathered; otherwise\n"
         "only those named:\n" +
         areas +
         "\n(the \"ia\" prefix and letter case do not matter). An area without an\n"
         "information class in this build is listed as absent.\n"
         "\n"
         "Options:\n"
         "  --json        write one JSON document (UTF-8) instead of text\n"
         "  --text        write readable text (the default)\n"
         "  --properties  list what each area publishes, with the types; gather nothing\n"
         "  -h, --help    show this help and exit\n"
         "  --version     show the version and exit\n"
         "\n"
         "Exit codes:\n"
         "  0  every present area was gathered\n"
         "  1  some area failed; its error line is in the report\n"
         "  2  bad command line (unknown option or area)";
}

namespace {
void WriteLines(std::string_view text) {
  while (true) {
    std::size_t end = text.find('\n');
    platform::ConsoleWriteLine(text.substr(0, end));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
}
}  // namespace

int RunReport(const std::vector<std::string>& args) {
  CommandLine line = ParseCommandLine(args);
  switch (line.action) {
    case CommandLine::Action::Help:
      WriteLines(HelpText());
      platform::ConsoleFlush();
      return kExitOk;
    case CommandLine::Action::Version:
      WriteLines(VersionText());
      platform::ConsoleFlush();
      return kExitOk;
    case CommandLine::Action::UsageError:
      platform::ConsoleWriteErrorLine(std::string(kProgramName) + ": " + line.error);
      platform::ConsoleWriteErrorLine(std::string("Try '") + kProgramName + " --help'.");
      return kExitUsage;
    case CommandLine::Action::Run:
      break;
  }
  if (line.listProperties) {
    for (const std::string& l : RenderPropertyList(line.areas)) platform::ConsoleWriteLine(l);
    platform::ConsoleFlush();
    return kExitOk;
  }
  Report report = Gather(line.areas);
  bool utf8 = platform::PlatformTextsAreUtf8();
  if (line.format == Format::Json) {
    WriteLines(RenderJson(report, utf8));
  } else {
    for (const std::string& l : RenderText(report, utf8)) platform::ConsoleWriteLine(l);
  }
  platform::ConsoleFlush();
  return report.Failed() ? kExitAreaFailed : kExitOk;
}

}  // namespace qor::report
