#include "info/cpu_naming.h"

#include <gtest/gtest.h>

namespace qor {
namespace {

TEST(VendorTableTest, MatchesWholeSignaturesCaseSensitively) {
  struct Case {
    const char* signature;
    int index;
    const char* full;
    const char* brief;
  };
  const Case cases[] = {
      {"GenuineIntel", 1, "Intel Corporation", "Intel"},
      {"AuthenticAMD", 2, "Advanced Micro Devices", "AMD"},
      {"CyrixInstead", 3, "Cyrix Corporation", "Cyrix"},
      {"CentaurHauls", 4, "IDT/Centaur", "IDT"},
      {"NexGenDriven", 5, "NexGen Inc.", "NexGen"},
      {"UMC UMC UMC ", 6, "United Microelectronics Corp", "UMC"},
      {"RiseRiseRise", 7, "Rise Technology", "Rise"},
      {"UMC UMC UMC", 0, "", ""},  // the trailing blank belongs to the signature
      {"GenuineIntel ", 0, "", ""},
      {"genuineintel", 0, "", ""},
      {"GenuineInte", 0, "", ""},
      {"", 0, "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.signature);
    VendorNames v = LookUpVendor(c.signature);
    EXPECT_EQ(v.index, c.index);
    EXPECT_EQ(v.full, c.full);
    EXPECT_EQ(v.brief, c.brief);
  }
}

struct NameCase {
  int vendor, family, model, level2, clock, brand, type;
  const char* name;
  const char* codeName;
  std::int32_t transistors;
};

// One or more rows per condition column (model sets, L2, clock, brand, type) and the
// combinations the table leaves unnamed.
constexpr NameCase kNameCases[] = {
    // vendor, family, model, L2, F, B, T
    {1, 4, 1, 0, 0, 0, 0, "i80486DX", "P4", 1250000},
    {1, 4, 6, 0, 0, 0, 0, "", "", 0},  // a model the family does not name
    {1, 4, 9, 0, 0, 0, 0, "i80486DX4WB", "P24C", 1600000},
    {1, 5, 0, 0, 0, 0, 0, "Pentium", "P5 (0,80\xB5m)", 3100000},
    {1, 5, 2, 0, 0, 0, 0, "Pentium", "P54C (0,50\xB5m)", 3100000},
    {1, 5, 5, 0, 0, 0, 0, "DX4", "", 0},
    {1, 5, 8, 0, 0, 0, 0, "Pentium MMX (mobile)", "Tillamook (0,25\xB5m)", 4500000},
    {1, 5, 15, 0, 0, 0, 0, "Pentium", "", 0},
    {1, 6, 0, 0, 0, 0, 0, "Pentium Pro", "P6 (0.50 \xB5m)", 5500000},
    {1, 6, 3, 512, 0, 0, 0, "Pentium II", "Klamath (0.35 \xB5m)", 7500000},
    {1, 6, 3, 512, 0, 0, 1, "Pentium II OverDrive", "Klamath (0.35 \xB5m)", 7500000},
    {1, 6, 3, 333, 0, 0, 0, "Pentium II", "P6T (0.25 \xB5m)", 7500000},
    {1, 6, 3, 333, 0, 0, 1, "Pentium II OverDrive", "P6T (0.25 \xB5m)", 7500000},
    {1, 6, 3, 512, 0, 0, 2, "Pentium II", "Klamath (0.35 \xB5m)", 7500000},
    {1, 6, 4, 0, 0, 0, 0, "Pentium II", "P55CT (P54 OverDrive)", 3100000},
    {1, 6, 5, 0, 0, 0, 0, "Celeron", "Covington (0,25\xB5m)", 7500000},
    {1, 6, 5, 512, 0, 0, 0, "Pentium II", "Deschutes (0,25\xB5m)", 7500000},
    {1, 6, 5, 513, 0, 0, 0, "Pentium II Xeon", "Deschutes (0.25 \xB5m)", 7500000},
    {1, 6, 5, -1, 0, 0, 0, "Pentium II", "Deschutes (0,25\xB5m)", 7500000},
    {1, 6, 6, 255, 0, 0, 0, "Celeron A", "Mendocino (0.25 \xB5m)", 19000000},
    {1, 6, 6, 256, 0, 0, 0, "Pentium II PE (mobile)", "Dixon (0.25 \xB5m)", 27400000},
    {1, 6, 7, 512, 733, 0, 0, "Pentium III", "Katmai (0.25 \xB5m)", 9500000},
    {1, 6, 7, 1024, 0, 0, 0, "Pentium III Xeon", "Tanner (0.25 \xB5m)", 9500000},
    {1, 6, 8, 256, 0, 0, 0, "Pentium III E", "Coppermine (0.18 \xB5m)", 28100000},
    {1, 6, 14, 0, 0, 0, 0, "Pentium II", "", 0},
    {1, 7, 3, 2048, 0, 1, 0, "Celeron", "", 0},
    {1, 8, 0, 0, 0, 3, 0, "Pentium III Xeon", "", 0},
    {1, 8, 0, 0, 0, 4, 0, "Pentium IV", "", 0},
    {1, 8, 0, 1024, 0, 2, 0, "Pentium III Xeon", "", 0},
    {1, 7, 0, 1023, 0, 0, 0, "Pentium III", "", 0},
    {1, 9, 0, 0, 0, 0, 0, "", "", 0},  // a family Intel's block does not name
    {1, 10, 5, 0, 0, 0, 0, "Pentium III Xeon", "", 0},
    {1, 15, 2, 0, 2400, 4, 0, "Pentium IV", "", 0},
    {2, 4, 7, 0, 0, 0, 0, "Am486DX2", "P24", 1250000},
    {2, 4, 8, 0, 0, 0, 0, "Am486DX4", "P24C", 1250000},
    {2, 4, 14, 0, 0, 0, 0, "Am5x86", "X5", 1600000},
    {2, 5, 0, 0, 0, 0, 0, "K5", "SSA5 (0.50-0.35 \xB5m)", 4300000},
    {2, 5, 3, 0, 0, 0, 0, "K5-5k86 (PR120, PR133)", "5k86 (0.35 \xB5m)", 4300000},
    {2, 5, 4, 0, 0, 0, 0, "", "", 0},
    {2, 5, 7, 0, 0, 0, 0, "K6", "Little Foot (0.25 \xB5m)", 8800000},
    {2, 5, 9, 0, 0, 0, 0, "K6-III", "Slarptooth (0.25 \xB5m)", 21300000},
    {2, 5, 13, 0, 0, 0, 0, "K6-II+/K6-III+", "", 0},
    {2, 6, 0, 0, 0, 0, 0, "K7", "Athlon (0.25-0.18 \xB5m)", 22000000},
    {2, 6, 15, 0, 0, 0, 0, "K7", "Athlon (0.25-0.18 \xB5m)", 22000000},
    {2, 15, 1, 0, 0, 0, 0, "", "", 0},
    {3, 4, 0, 0, 20, 0, 0, "Cx486SLC/DLC", "M0.5", 600000},
    {3, 4, 0, 0, 66, 0, 0, "Cx486SLC/DLC", "M0.5", 600000},
    {3, 4, 0, 0, 33, 0, 0, "Cx486S", "M0.6", 600000},
    {3, 4, 0, 0, 50, 0, 0, "Cx486S", "M0.6", 600000},
    {3, 4, 0, 0, 67, 0, 0, "Cx486DX/DX2/DX4", "M0.7", 1100000},
    {3, 4, 0, 0, 40, 0, 0, "", "", 0},  // a clock the family-4 model-0 rows do not name
    {3, 4, 9, 0, 0, 0, 0, "5x86", "M0.9 or M1sc (0.65 \xB5m)", 20000000},
    {3, 5, 2, 0, 0, 0, 0, "6x86 and 6x86L", "M1 (0.65 \xB5m) and M1L (0.35 \xB5m)", 30000000},
    {3, 5, 4, 0, 0, 0, 0, "MediaGXm", "GXm", 24000000},
    {3, 6, 0, 0, 224, 0, 0, "6x86MX (PR166-266)", "M2 (0.35 \xB5m)", 65000000},
    {3, 6, 0, 0, 225, 0, 0, "M-II (PR300-433)", "M2 (0.35-0.25 \xB5m)", 65000000},
    {3, 6, 5, 0, 0, 0, 0, "VIA Cyrix III", "", 0},
    {4, 5, 4, 0, 0, 0, 0, "WinChip", "C6 (0.35 \xB5m)", 54000000},
    {4, 5, 8, 0, 0, 0, 0, "WinChip 2x", "W2x (0.35-0.25 \xB5m)", 59000000},
    {4, 5, 9, 0, 0, 0, 0, "WinChip 3", "W3 (0.25 \xB5m)", 90000000},
    {4, 6, 9, 0, 0, 0, 0, "", "", 0},
    {5, 5, 0, 0, 0, 0, 0, "Nx586", "Nx5x86 (0.50-0.44 \xB5m)", 35000000},
    {5, 5, 6, 0, 0, 0, 0, "Nx686", "HA (0,50\xB5m)", 60000000},
    {6, 4, 1, 0, 0, 0, 0, "U5D", "U5D and U5S", 12000000},
    {6, 4, 2, 0, 0, 0, 0, "U5S", "U5D and U5S", 12000000},
    {6, 4, 3, 0, 0, 0, 0, "U486DX2", "U5D and U5S", 12000000},
    {6, 4, 4, 0, 0, 0, 0, "U486SX2", "U5D and U5S", 12000000},
    {6, 4, 7, 0, 0, 0, 0, "", "U5D and U5S", 12000000},
    {6, 5, 1, 0, 0, 0, 0, "", "", 0},
    {7, 4, 0, 0, 0, 0, 0, "mP6", "mP6 (0.25-0.18 \xB5m)", 36000000},
    {7, 4, 2, 0, 0, 0, 0, "mP6", "mP6 (0.25-0.18 \xB5m)", 36000000},
    {7, 4, 1, 0, 0, 0, 0, "", "", 0},
    {0, 6, 7, 512, 733, 0, 0, "", "", 0},  // no vendor matched
};

TEST(NamingTableTest, NamesEveryListedCombinationAndNothingElse) {
  for (const NameCase& c : kNameCases) {
    SCOPED_TRACE(testing::Message()
                 << "vendor " << c.vendor << " family " << c.family << " model " << c.model
                 << " L2 " << c.level2 << " F " << c.clock << " B " << c.brand << " T " << c.type);
    ProcessorNames n =
        NameProcessor({c.vendor, c.family, c.model, c.brand, c.type, c.level2, c.clock});
    EXPECT_EQ(n.name, c.name);
    EXPECT_EQ(n.codeName, c.codeName);
    EXPECT_EQ(n.transistors, c.transistors);
  }
}

TEST(NamingTableTest, CodeNamesCarryTheMicroSignAsOneByte) {
  ProcessorNames n = NameProcessor({1, 6, 7, 0, 0, 512, 733});
  EXPECT_EQ(n.codeName.size(), 16u);
  EXPECT_EQ(static_cast<unsigned char>(n.codeName[13]), 0xB5);
}

}  // namespace
}  // namespace qor
