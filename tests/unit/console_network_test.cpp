// The summary's network and printer lines, with the two areas standing in for
// themselves so each case states exactly what the classes hold.
#include <gtest/gtest.h>

#include <functional>

#include "console/console_run.h"
#include "fake_test.h"
#include "info/QOR_Console.h"
#include "info/QOR_Network.h"
#include "info/QOR_Printers.h"

namespace qor {
namespace {

std::function<void(TNetwork&)> fillNetwork;
std::function<void(TPrinters&)> fillPrinters;

class StandInNetwork : public TNetwork {
 public:
  void GetInfo() override { fillNetwork(*this); }
};
class StandInPrinters : public TPrinters {
 public:
  void GetInfo() override { fillPrinters(*this); }
};

class ConsoleNetworkTest : public test::FakeMachineTest {
 protected:
  void SetUp() override {
    FakeMachineTest::SetUp();
    fillNetwork = [](TNetwork& n) {
      n.Adapters.Add("Dial-Up Adapter");
      n.Adapters.Add("Fast Ethernet");
      n.CardAdapterIndex = 1;
      n.IPAddresses.Add("192.168.1.20");
      n.IPAddresses.Add("10.0.0.2");
      n.MACAddresses.Add("00:a0:c9:12:34:56");
    };
    fillPrinters = [](TPrinters& p) {
      p.Names.Add("Laser");
      p.Names.Add("Inkjet");
      p.Ports.Add("LPT1:");
      p.Ports.Add("USB001");
      p.DefaultIndex = 1;
    };
    // Only memory stands before these lines, so each case shows the summary's end.
    for (int a = 0; a < kInfoAreaCount; ++a)
      if (a != iaMemory) saved_[a] = ReplaceAreaFactory(static_cast<TInfoArea>(a), nullptr);
    ReplaceAreaFactory(iaNetwork, [](TQOR& q) -> TInfoClass* {
      auto* m = new StandInNetwork;
      q.Network = m;
      return m;
    });
    ReplaceAreaFactory(iaPrinters, [](TQOR& q) -> TInfoClass* {
      auto* m = new StandInPrinters;
      q.Printers = m;
      return m;
    });
  }
  void TearDown() override {
    for (int a = 0; a < kInfoAreaCount; ++a)
      if (a != iaMemory) ReplaceAreaFactory(static_cast<TInfoArea>(a), saved_[a]);
  }
  // The summary's lines from the first network line to the end.
  std::string Tail() {
    RunConsole();
    const std::string& out = machine().output;
    std::size_t memory = out.find("Memory: ");
    return out.substr(out.find("\r\n", memory) + 2);
  }
  AreaFactory saved_[kInfoAreaCount] = {};
};

TEST_F(ConsoleNetworkTest, PrintsTheLocatedCardFirstAddressesAndDefaultPrinter) {
  EXPECT_EQ(Tail(),
            "Network: Fast Ethernet\r\n"
            "IP Address: 192.168.1.20\r\n"
            "MAC Address: 00:a0:c9:12:34:56\r\n"
            "Printer: Inkjet on USB001\r\n"
            "\r\n"
            "press [enter] to exit...\r\n");
}

TEST_F(ConsoleNetworkTest, EachLineNeedsItsListAndNoCardMeansTheFirstAdapter) {
  auto base = fillNetwork;
  fillNetwork = [base](TNetwork& n) {
    base(n);
    n.CardAdapterIndex = -1;
    n.IPAddresses.Clear();
  };
  fillPrinters = [](TPrinters& p) {
    p.Names.Add("Fax");
    p.Ports.Add("");
    p.DefaultIndex = 0;
  };
  EXPECT_EQ(Tail(),
            "Network: Dial-Up Adapter\r\n"
            "MAC Address: 00:a0:c9:12:34:56\r\n"
            "Printer: Fax on \r\n"
            "\r\n"
            "press [enter] to exit...\r\n");
}

TEST_F(ConsoleNetworkTest, NoDefaultIndexEndsTheSummaryWithTheBoundsError) {
  auto base = fillPrinters;
  fillPrinters = [base](TPrinters& p) {
    base(p);
    p.DefaultIndex = -1;
  };
  EXPECT_EQ(Tail(),
            "Network: Fast Ethernet\r\n"
            "IP Address: 192.168.1.20\r\n"
            "MAC Address: 00:a0:c9:12:34:56\r\n"
            "List index out of bounds (-1)\r\n"
            "\r\n"
            "press [enter] to exit...\r\n");
}

TEST_F(ConsoleNetworkTest, NoPrinterReportsTheFailureAndPrintsNoPrinterLine) {
  fillNetwork = [](TNetwork&) {};
  ReplaceAreaFactory(iaPrinters,
                     saved_[iaPrinters]);  // the real class on a machine without printers
  std::string tail = Tail();
  EXPECT_NE(machine().output.find("please wait...TPrinters.GetInfo: There is no default printer "
                                  "currently selected\r\nOK\r\n"),
            std::string::npos);
  EXPECT_EQ(tail, "\r\npress [enter] to exit...\r\n");
}

}  // namespace
}  // namespace qor
