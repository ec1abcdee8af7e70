// The report program over a scripted fake machine, for the end-to-end checks with a real
// JSON parser: known memory figures (past 32 bits), a processor stand-in whose refresh
// fails with a Windows-1252 text, and no class for the disk area.
#include <cstdio>
#include <string>
#include <vector>

#include "base/error.h"
#include "info/QOR_Console.h"
#include "info/startup.h"
#include "platform/fake/fake_machine.h"
#include "platform/fake/fake_report_io.h"
#include "report/report.h"

namespace {

constexpr const char* kKinds[] = {"ckNone", "ckMicro"};

class TStandIn : public qor::TInfoClass {
 public:
  const char* ClassName() const override { return "TStandIn"; }
  void GetInfo() override {
    name = "Pentium 0.25\xB5";
    throw qor::Error("Failed to get data for 'Caf\xE9'");
  }
  void Publish(qor::PropertyWriter& w) const override {
    w.Text("Name", name);
    w.Enumeration("Kind", 1, kKinds);
    w.DateTime("Stamp", 38000.25);
  }
  std::string name;
};

}  // namespace

int main(int argc, char** argv) {
  qor::fake::Reset();
  auto& m = qor::fake::Current().memory;
  m.dwMemoryLoad = 37;
  m.ullTotalPhys = 25ull << 30;
  m.ullAvailPhys = 123456789;
  m.ullTotalPageFile = 0xFFFFFFFFull;
  m.ullAvailPageFile = 4;
  m.ullTotalVirtual = 0x7FFE0000;
  m.ullAvailVirtual = 6;
  auto& s = qor::fake::Current().system;
  s.dwPageSize = 4096;
  s.dwAllocationGranularity = 65536;
  s.lpMinimumApplicationAddress = 0x10000;
  s.lpMaximumApplicationAddress = 0x7FFEFFFF;
  qor::fake::Current().lineEnd = "\n";
  qor::ReplaceAreaFactory(qor::iaCPU, [](qor::TQOR&) -> qor::TInfoClass* { return new TStandIn; });
  qor::ReplaceAreaFactory(qor::iaDisk, nullptr);
  qor::RunStartUp();

  int code = qor::report::RunReport(std::vector<std::string>(argv + 1, argv + argc));
  const std::string& out = qor::fake::Current().output;
  const std::string& err = qor::fake::ReportIoState().errorOutput;
  std::fwrite(out.data(), 1, out.size(), stdout);
  std::fwrite(err.data(), 1, err.size(), stderr);
  return code;
}
