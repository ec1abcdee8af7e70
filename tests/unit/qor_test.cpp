#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/error.h"
#include "fake_test.h"
#include "info/QOR_Console.h"
#include "info/QOR_Memory.h"

namespace qor {
namespace {

// Stand-in areas that log their GetInfo calls and fail on request.
std::vector<std::string> calls;
std::string failing;

template <TInfoArea A>
class Probe : public TInfoClass {
 public:
  const char* ClassName() const override { return kInfoAreaNames[A] + 2; }  // "CPU", ...
  void GetInfo() override {
    calls.push_back(ClassName());
    if (failing.find(std::string(ClassName()) + ";") != std::string::npos)
      throw Error(std::string(ClassName()) + " broke");
  }
};

class QorTest : public test::FakeMachineTest {
 protected:
  void SetUp() override {
    FakeMachineTest::SetUp();
    calls.clear();
    failing.clear();
    Install<0>();
  }
  void TearDown() override {
    for (int a = 0; a < kInfoAreaCount; ++a) ReplaceAreaFactory(TInfoArea(a), saved_[a]);
  }
  template <int A>
  void Install() {
    if constexpr (A < kInfoAreaCount) {
      saved_[A] = ReplaceAreaFactory(TInfoArea(A),
                                     [](TQOR&) -> TInfoClass* { return new Probe<TInfoArea(A)>; });
      Install<A + 1>();
    }
  }
  AreaFactory saved_[kInfoAreaCount] = {};
};

TEST_F(QorTest, CreatesExactlyTheSelectedMembers) {
  TQOR empty(0);
  empty.Refresh();
  EXPECT_TRUE(calls.empty());
  EXPECT_EQ(machine().output, "");

  TQOR console(kConsoleAreas);
  for (int a = 0; a < kInfoAreaCount; ++a)
    EXPECT_EQ(console.Member(TInfoArea(a)) != nullptr, (kConsoleAreas >> a & 1) == 1) << a;
  console.Refresh();
  EXPECT_EQ(calls, (std::vector<std::string>{"CPU", "Memory", "OS", "Machine", "Network", "Display",
                                             "Media", "Printers"}));
}

TEST_F(QorTest, RefreshesAllAreasInTheFixedOrder) {
  TQOR all(kAllAreas);
  all.Refresh();
  EXPECT_EQ(calls,
            (std::vector<std::string>{"Devices", "CPU", "Memory", "OS", "Disk", "Machine",
                                      "Network", "Display", "Media", "Engines", "APM", "DirectX",
                                      "Processes", "Printers", "Software", "Startup"}));
}

TEST_F(QorTest, ReportedFailuresPrintOneLineEachAndTheRefreshGoesOn) {
  failing = "Network;CPU;";
  TQOR q(kConsoleAreas);
  q.Refresh();
  EXPECT_EQ(calls.size(), 8u);
  EXPECT_EQ(machine().output, "CPU.GetInfo: CPU broke\r\nNetwork.GetInfo: Network broke\r\n");
}

TEST_F(QorTest, ANonConsoleProgramShowsAnErrorBox) {
  failing = "Memory;";
  machine().isConsole = false;
  TQOR q(AreaBit(iaMemory));
  q.Refresh();
  EXPECT_EQ(machine().output, "");
  EXPECT_EQ(machine().messageBoxes,
            (std::vector<std::string>{"Error|Memory.GetInfo: Memory broke|16"}));
}

TEST_F(QorTest, RaiseStopsAtTheFailingAreaWithTheComposedText) {
  failing = "Memory;";
  TQOR q(kConsoleAreas);
  q.ErrorAction = eaRaise;
  try {
    q.Refresh();
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.Message(), "Memory.GetInfo: Memory broke");
  }
  EXPECT_EQ(calls, (std::vector<std::string>{"CPU", "Memory"}));
}

TEST_F(QorTest, IgnoreAndEveryLargerActionStaySilent) {
  failing = "CPU;Memory;";
  for (std::uint8_t action : {std::uint8_t{2}, std::uint8_t{7}, std::uint8_t{255}}) {
    calls.clear();
    TQOR q(kConsoleAreas);
    q.ErrorAction = action;
    q.Refresh();
    EXPECT_EQ(calls.size(), 8u);
  }
  EXPECT_EQ(machine().output, "");
}

TEST_F(QorTest, AReportHookTakesTheReportedLinesInsteadOfTheConsole) {
  failing = "Network;CPU;";
  std::vector<std::string> lines;
  TQOR q(kConsoleAreas);
  q.ReportHook = [&lines](const std::string& name, const std::string& line) {
    lines.push_back(name + "|" + line);
  };
  q.Refresh();
  EXPECT_EQ(calls.size(), 8u);
  EXPECT_EQ(lines, (std::vector<std::string>{"CPU.GetInfo|CPU.GetInfo: CPU broke",
                                             "Network.GetInfo|Network.GetInfo: Network broke"}));
  EXPECT_EQ(machine().output, "");

  // Raise and ignore keep their meaning.
  lines.clear();
  q.ErrorAction = eaIgnore;
  q.Refresh();
  q.ErrorAction = eaRaise;
  EXPECT_THROW(q.Refresh(), Error);
  EXPECT_TRUE(lines.empty());
  EXPECT_EQ(machine().output, "");
}

TEST_F(QorTest, OtherFailuresPassThrough) {
  struct Foreign {};
  TQOR q(0);
  EXPECT_THROW(q.RunGetInfo("X.GetInfo", eaIgnore, [] { throw Foreign{}; }), Foreign);
}

}  // namespace
}  // namespace qor
