#include <gtest/gtest.h>

#include "base/error.h"
#include "base/printer_list.h"
#include "fake_test.h"
#include "info/QOR_Printers.h"
#include "platform/fake/fake_printers.h"

namespace qor {
namespace {

class PrintersTest : public test::FakeMachineTest {
 protected:
  fake::Printers& printers() { return fake::CurrentPrinters(); }
  void Add(const char* device, const char* port) {
    printers().entries.push_back({device, "driver", port});
  }
  // GetInfo's failure message, or "" when it succeeds.
  std::string Run(TPrinters& p) {
    try {
      p.GetInfo();
    } catch (const Error& e) {
      return e.Message();
    }
    return "";
  }
};

TEST_F(PrintersTest, NoPrinterFailsAndLeavesTheListsEmpty) {
  TPrinters p;
  EXPECT_EQ(Run(p), "There is no default printer currently selected");
  EXPECT_EQ(p.Names.Count(), 0);
  EXPECT_EQ(p.Ports.Count(), 0);
  EXPECT_EQ(p.DefaultIndex, 0);
}

TEST_F(PrintersTest, AMissingDefaultKeepsTheListsAndTheEarlierIndex) {
  Add("Laser", "LPT1:");
  Add("Inkjet", "USB001");
  printers().defaultDevice = "Inkjet";
  TPrinters p;
  EXPECT_EQ(Run(p), "");
  EXPECT_EQ(p.DefaultIndex, 1);
  printers().defaultDevice = "Gone";  // a default that is no longer installed
  EXPECT_EQ(Run(p), "There is no default printer currently selected");
  EXPECT_EQ(p.Names.ToVector(), (std::vector<std::string>{"Laser", "Inkjet"}));
  EXPECT_EQ(p.DefaultIndex, 1);
}

TEST_F(PrintersTest, ListsNamesAndPortsAndFindsTheDefault) {
  struct Case {
    const char* name;
    std::vector<std::pair<const char*, const char*>> entries;
    const char* defaultDevice;
    int index;
  } cases[] = {
      {"letter case differs", {{"Laser", "LPT1:"}, {"Office Jet", "FILE:"}}, "OFFICE JET", 1},
      {"one device on two ports", {{"Laser", "LPT1:"}, {"Laser", "LPT2:"}}, "Laser", 0},
      {"no port", {{"Fax", ""}}, "Fax", 0},
  };
  for (const auto& c : cases) {
    printers() = fake::Printers{};
    for (auto [device, port] : c.entries) Add(device, port);
    printers().defaultDevice = c.defaultDevice;
    TPrinters p;
    EXPECT_EQ(Run(p), "") << c.name;
    ASSERT_EQ(p.Names.Count(), static_cast<int>(c.entries.size())) << c.name;
    for (int i = 0; i < p.Names.Count(); ++i) {
      EXPECT_EQ(p.Names[i], c.entries[i].first) << c.name;
      EXPECT_EQ(p.Ports[i], c.entries[i].second) << c.name;
    }
    EXPECT_EQ(p.DefaultIndex, c.index) << c.name;
  }
}

TEST_F(PrintersTest, PrinterListRefusesIndexesOutsideTheList) {
  Add("Laser", "LPT1:");
  TPrinterList list;
  EXPECT_THROW(list.SetPrinterIndex(1), Error);
  EXPECT_THROW(list.SetPrinterIndex(-2), Error);
  list.SetPrinterIndex(0);
  EXPECT_EQ(list.PrinterIndex(), 0);
  EXPECT_EQ(printers().reads, 1);  // the setup is read once
}

}  // namespace
}  // namespace qor
