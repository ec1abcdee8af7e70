#include "report/report.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <vector>

#include "base/error.h"
#include "fake_test.h"
#include "info/QOR_Memory.h"
#include "platform/fake/fake_report_io.h"

namespace qor::report {
namespace {

// Parsed keeping the order of the keys, as the document gives them.
using json = nlohmann::ordered_json;

// A class publishing one property of every kind, a nested class among them.
class TInner : public TPersistent {
 public:
  const char* ClassName() const override { return "TInner"; }
  void Publish(PropertyWriter& w) const override {
    w.Boolean("Flag", true);
    w.List("Entries", entries);
  }
  TStringList entries{"a=1", "b=2"};
};

constexpr const char* kStates[] = {"psOffline", "psOnline"};
constexpr const char* kFlags[] = {"fsCaseSensitive", "fsCaseIsPreserved", "fsUnicode"};

class TSample : public TInfoClass {
 public:
  const char* ClassName() const override { return "TSample"; }
  void GetInfo() override {
    if (!failWith.empty()) throw Error(failWith);
  }
  void Publish(PropertyWriter& w) const override {
    if (publishFails) w.Text("Broken", empty[0]);
    w.Integer("Big", 1ll << 40);
    w.Float("Speed", 1.5);
    w.DateTime("LastBoot", when);
    w.Text("Name", name);
    w.Enumeration("State", state, kStates);
    w.Set("Flags", flags, kFlags);
    w.Object("Inner", inner);
    w.List("Empty", empty);
  }
  TDateTime when = 0;
  std::string name = "Cyrix 0.35\xB5 tab\tend";
  int state = 1;
  std::uint64_t flags = 0b101 | 1ull << 40;
  TInner inner;
  TStringList empty;
  static inline std::string failWith;
  static inline bool publishFails = false;
};

class ReportTest : public test::FakeMachineTest {
 protected:
  void SetUp() override {
    FakeMachineTest::SetUp();
    TSample::failWith.clear();
    TSample::publishFails = false;
    saved_ = ReplaceAreaFactory(iaCPU, [](TQOR&) -> TInfoClass* { return new TSample; });
    savedDisk_ = ReplaceAreaFactory(iaDisk, nullptr);  // an area without a class
  }
  void TearDown() override {
    ReplaceAreaFactory(iaCPU, saved_);
    ReplaceAreaFactory(iaDisk, savedDisk_);
  }
  // Runs the program; the JSON it writes, parsed.
  json RunJson(std::vector<std::string> args, int expectedExit) {
    machine().output.clear();
    args.insert(args.begin(), "--json");
    EXPECT_EQ(RunReport(args), expectedExit);
    return json::parse(machine().output);
  }
  AreaFactory saved_ = nullptr, savedDisk_ = nullptr;
};

TEST_F(ReportTest, CollectsEveryKindInPublishedOrder) {
  TSample s;
  std::vector<Property> p = Collect(s);
  std::vector<std::string> names;
  for (const Property& each : p) names.push_back(each.name);
  EXPECT_EQ(names, (std::vector<std::string>{"Big", "Speed", "LastBoot", "Name", "State", "Flags",
                                             "Inner", "Empty"}));
  EXPECT_EQ(Find(p, "State")->text, "psOnline");
  EXPECT_EQ(Find(p, "Flags")->items, (std::vector<std::string>{"fsCaseSensitive", "fsUnicode"}));
  EXPECT_EQ(Find(p, "Flags")->unnamedBits, std::vector<int>{40});
  EXPECT_EQ(Find(p, "Inner")->className, "TInner");
  EXPECT_EQ(Find(p, "Inner.Entries")->items, (std::vector<std::string>{"a=1", "b=2"}));
  EXPECT_EQ(Find(p, "Inner.Missing"), nullptr);
  EXPECT_EQ(Find(p, "Missing"), nullptr);

  s.state = 2;  // past the name table: the ordinal stays, no name is made up
  EXPECT_EQ(Find(Collect(s), "State")->text, "");
  EXPECT_EQ(Find(Collect(s), "State")->integer, 2);
}

TEST_F(ReportTest, TextFormShowsEveryPropertyOneSectionPerArea) {
  Report report = Gather(AreaBit(iaCPU) | AreaBit(iaDisk));
  std::vector<std::string> lines = RenderText(report, false);
  EXPECT_EQ(lines, (std::vector<std::string>{
                       report.about,
                       "",
                       "[CPU] TSample",
                       "Big = 1099511627776",
                       "Speed = 1.5",
                       "LastBoot = 1899-12-30T00:00:00 (0)",
                       "Name = Cyrix 0.35\xC2\xB5 tab\\tend",
                       "State = psOnline",
                       "Flags = [fsCaseSensitive, fsUnicode, 40]",
                       "Inner.Flag = True",
                       "Inner.Entries = 2 entries",
                       "  a=1",
                       "  b=2",
                       "Empty = 0 entries",
                       "",
                       "[Disk] absent",
                   }));
}

TEST_F(ReportTest, JsonGivesTypedValuesAndAbsentAreas) {
  json doc = RunJson({"CPU", "Disk"}, kExitOk);
  EXPECT_EQ(doc["Program"], "qor-report");
  EXPECT_EQ(doc["Errors"], json::array());
  EXPECT_EQ(doc["Areas"]["Disk"], (json{{"Area", "iaDisk"}, {"Status", "absent"}}));
  json cpu = doc["Areas"]["CPU"];
  EXPECT_EQ(cpu["Class"], "TSample");
  EXPECT_EQ(cpu["Status"], "ok");
  EXPECT_FALSE(cpu.contains("Error"));
  json p = cpu["Properties"];
  EXPECT_EQ(p["Big"], 1ll << 40);
  EXPECT_EQ(p["Speed"], 1.5);
  EXPECT_EQ(p["LastBoot"], (json{{"Days", 0.0}, {"Local", "1899-12-30T00:00:00"}}));
  EXPECT_EQ(p["Name"], "Cyrix 0.35\xC2\xB5 tab\tend");
  EXPECT_EQ(p["State"], "psOnline");
  EXPECT_EQ(p["Flags"], (json{"fsCaseSensitive", "fsUnicode", 40}));
  EXPECT_EQ(p["Inner"], (json{{"Flag", true}, {"Entries", {"a=1", "b=2"}}}));
  EXPECT_EQ(p["Empty"], json::array());
  std::vector<std::string> keys;
  for (auto it = p.begin(); it != p.end(); ++it) keys.push_back(it.key());
  EXPECT_EQ(keys, (std::vector<std::string>{"Big", "Speed", "LastBoot", "Name", "State", "Flags",
                                            "Inner", "Empty"}));
}

TEST_F(ReportTest, MemoryRoundTripsEveryProperty) {
  auto& m = machine().memory;
  m.dwMemoryLoad = 37;
  m.ullTotalPhys = 25ull << 30;
  m.ullAvailPhys = 123456789;
  m.ullTotalPageFile = 0xFFFFFFFFull;
  m.ullAvailPageFile = 4;
  m.ullTotalVirtual = 0x7FFE0000;
  m.ullAvailVirtual = 6;
  auto& s = machine().system;
  s.dwPageSize = 4096;
  s.dwAllocationGranularity = 65536;
  s.lpMinimumApplicationAddress = 0x10000;
  s.lpMaximumApplicationAddress = 0x7FFEFFFF;
  json doc = RunJson({"iaMemory"}, kExitOk);
  json p = doc["Areas"]["Memory"]["Properties"];

  TMemory expected;
  expected.GetInfo();
  std::vector<Property> published = Collect(expected);
  ASSERT_EQ(p.size(), published.size());
  ASSERT_EQ(published.size(), 14u);
  auto it = p.begin();
  for (const Property& each : published) {
    EXPECT_EQ(it.key(), each.name);
    EXPECT_TRUE(it->is_number_integer()) << each.name;
    EXPECT_EQ(it->get<std::int64_t>(), each.integer) << each.name;
    ++it;
  }
  EXPECT_EQ(p["PhysicalTotal"], 25ll << 30);
  EXPECT_EQ(p["PageFileTotal"], 0xFFFFFFFFll);
}

TEST_F(ReportTest, AFailedAreaCarriesItsLineAndTheExitCodeSaysSo) {
  TSample::failWith = "Overflow at 0.35\xB5";
  json doc = RunJson({"cpu", "memory"}, kExitAreaFailed);
  json cpu = doc["Areas"]["CPU"];
  EXPECT_EQ(cpu["Status"], "failed");
  EXPECT_EQ(cpu["Error"], "TSample.GetInfo: Overflow at 0.35\xC2\xB5");
  EXPECT_EQ(cpu["Properties"]["State"], "psOnline");  // what it holds is still shown
  EXPECT_EQ(doc["Areas"]["Memory"]["Status"], "ok");
  EXPECT_EQ(doc["Errors"], json{"TSample.GetInfo: Overflow at 0.35\xC2\xB5"});
  EXPECT_TRUE(machine().messageBoxes.empty());

  machine().output.clear();
  EXPECT_EQ(RunReport({"CPU"}), kExitAreaFailed);
  EXPECT_NE(machine().output.find(
                "[CPU] TSample\r\nError: TSample.GetInfo: Overflow at 0.35\xC2\xB5\r\n"),
            std::string::npos);
}

TEST_F(ReportTest, AClassThatFailsToPublishFailsItsAreaOnly) {
  TSample::publishFails = true;
  json doc = RunJson({"CPU", "Memory"}, kExitAreaFailed);
  json cpu = doc["Areas"]["CPU"];
  EXPECT_EQ(cpu["Status"], "failed");
  EXPECT_EQ(cpu["Error"], "TSample.Publish: List index out of bounds (0)");
  EXPECT_EQ(cpu["Properties"], json::object());
  EXPECT_EQ(doc["Areas"]["Memory"]["Status"], "ok");
}

// Whatever bytes a text holds, the document parses, by either platform's rule.
TEST_F(ReportTest, JsonStaysValidForEveryByte) {
  std::string every;
  for (int b = 0; b < 256; ++b) every += static_cast<char>(b);
  for (bool utf8 : {false, true}) {
    fake::ReportIoState().platformTextsAreUtf8 = utf8;
    TSample::failWith = every;
    json doc = RunJson({"CPU"}, kExitAreaFailed);
    std::string error = doc["Areas"]["CPU"]["Error"];
    EXPECT_EQ(error.substr(0, 18), std::string("TSample.GetInfo: \0", 18));
    EXPECT_NE(error.find("\xE2\x82\xAC"), std::string::npos);  // 0x80 as the euro sign
  }
}

TEST_F(ReportTest, DateTimesAsIsoLocalTime) {
  struct {
    TDateTime value;
    const char* iso;
  } cases[] = {
      {0, "1899-12-30T00:00:00"},
      {EncodeDate(2026, 12, 11) + EncodeTime(16, 5, 9, 250), "2026-12-11T16:05:09.250"},
      {EncodeDate(2000, 2, 29) + 0.75, "2000-02-29T18:00:00"},
      {-1.25, "1899-12-29T06:00:00"},  // the date counts back, the time forward
      {EncodeDate(2004, 1, 1) - 1e-10, "2004-01-01T00:00:00"},  // rounds into the next day
      {EncodeDate(1, 1, 1), "0001-01-01T00:00:00"},
      {EncodeDate(9999, 12, 31) + EncodeTime(23, 59, 59, 999), "9999-12-31T23:59:59.999"},
      {EncodeDate(9999, 12, 31) + 0.99999999999, ""},  // past year 9999
      {EncodeDate(1, 1, 1) - 1, ""},
      {1e300, ""},
      {std::numeric_limits<double>::quiet_NaN(), ""},
  };
  for (const auto& c : cases) EXPECT_EQ(IsoDateTime(c.value), c.iso) << c.value;
}

TEST_F(ReportTest, CommandLine) {
  using A = CommandLine::Action;
  struct {
    std::vector<std::string> args;
    A action;
    Format format;
    TInfoAreas areas;
  } cases[] = {
      {{}, A::Run, Format::Text, kAllAreas},
      {{"--json"}, A::Run, Format::Json, kAllAreas},
      {{"--json", "--text"}, A::Run, Format::Text, kAllAreas},
      {{"MEMORY", "iaOS", "cpu"},
       A::Run,
       Format::Text,
       TInfoAreas(AreaBit(iaMemory) | AreaBit(iaOS) | AreaBit(iaCPU))},
      {{"Startup", "--json"}, A::Run, Format::Json, AreaBit(iaStartup)},
      {{"--properties"}, A::Run, Format::Text, kAllAreas},
      {{"--json", "--help", "--bogus"}, A::Help, Format::Json, kAllAreas},
      {{"-h"}, A::Help, Format::Text, kAllAreas},
      {{"--version"}, A::Version, Format::Text, kAllAreas},
      {{"--bogus", "--help"}, A::UsageError, Format::Text, kAllAreas},
      {{"-"}, A::UsageError, Format::Text, kAllAreas},
      {{"Memory", "Memroy"}, A::UsageError, Format::Text, kAllAreas},
      {{""}, A::UsageError, Format::Text, kAllAreas},
  };
  for (const auto& c : cases) {
    CommandLine line = ParseCommandLine(c.args);
    std::string context = c.args.empty() ? "(none)" : c.args.front();
    EXPECT_EQ(line.action, c.action) << context;
    if (c.action == A::Run) {
      EXPECT_EQ(line.format, c.format) << context;
      EXPECT_EQ(line.areas, c.areas) << context;
      EXPECT_EQ(line.listProperties, context == "--properties") << context;
    }
  }
}

TEST_F(ReportTest, PropertyListGivesNamesAndTypesWithoutGathering) {
  TSample::failWith = "never called";
  EXPECT_EQ(RunReport({"--properties", "CPU", "Disk"}), kExitOk);
  EXPECT_EQ(machine().output,
            "[CPU] TSample\r\n"
            "Big: integer\r\n"
            "Speed: float\r\n"
            "LastBoot: date-time\r\n"
            "Name: text\r\n"
            "State: enumeration (psOffline, psOnline)\r\n"
            "Flags: set (fsCaseSensitive, fsCaseIsPreserved, fsUnicode)\r\n"
            "Inner: object TInner\r\n"
            "Inner.Flag: boolean\r\n"
            "Inner.Entries: string list\r\n"
            "Empty: string list\r\n"
            "\r\n"
            "[Disk] absent\r\n");
}

TEST_F(ReportTest, UsageErrorsGoToStandardErrorWithExitCodeTwo) {
  EXPECT_EQ(RunReport({"--bogus"}), kExitUsage);
  EXPECT_EQ(RunReport({"Memroy"}), kExitUsage);
  EXPECT_EQ(machine().output, "");
  EXPECT_EQ(fake::ReportIoState().errorOutput,
            "qor-report: unknown option '--bogus'\r\nTry 'qor-report --help'.\r\n"
            "qor-report: unknown area 'Memroy'\r\nTry 'qor-report --help'.\r\n");

  EXPECT_EQ(RunReport({"--help"}), kExitOk);
  EXPECT_NE(machine().output.find("Exit codes:\r\n"), std::string::npos);
  machine().output.clear();
  EXPECT_EQ(RunReport({"--version"}), kExitOk);
  EXPECT_EQ(machine().output, "qor-report 1.0\r\n");
}

// The document's keys come from Publish(): every area that exists publishes each name
// once (a second one would overwrite the first in the document), nested classes too.
TEST_F(ReportTest, EveryAreaPublishesUniqueNames) {
  ReplaceAreaFactory(iaCPU, saved_);
  ReplaceAreaFactory(iaDisk, savedDisk_);
  TQOR q(kAllAreas);
  auto check = [](auto&& self, const std::vector<Property>& properties,
                  const std::string& where) -> void {
    std::set<std::string> seen;
    for (const Property& p : properties) {
      EXPECT_FALSE(p.name.empty()) << where;
      EXPECT_TRUE(seen.insert(p.name).second) << where << "." << p.name;
      if (p.kind == Property::Kind::Object) self(self, p.children, where + "." + p.name);
    }
  };
  for (int a = 0; a < kInfoAreaCount; ++a)
    if (TInfoClass* member = q.Member(TInfoArea(a)))
      check(check, Collect(*member), kMemberNames[a]);
}

}  // namespace
}  // namespace qor::report
