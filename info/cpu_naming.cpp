#include "info/cpu_naming.h"

#include <initializer_list>
#include <iterator>

namespace qor {
namespace {

struct VendorRow {
  const char* signature;
  const char* full;
  const char* brief;
};

// The row number is the vendor index.
constexpr VendorRow kVendors[] = {
    {"GenuineIntel", "Intel Corporation", "Intel"},
    {"AuthenticAMD", "Advanced Micro Devices", "AMD"},
    {"CyrixInstead", "Cyrix Corporation", "Cyrix"},
    {"CentaurHauls", "IDT/Centaur", "IDT"},
    {"NexGenDriven", "NexGen Inc.", "NexGen"},
    {"UMC UMC UMC ", "United Microelectronics Corp", "UMC"},
    {"RiseRiseRise", "Rise Technology", "Rise"},
};

enum class Input : std::uint8_t { None, Level2, Frequency, Brand, Type };
enum class Op : std::uint8_t { Eq, EqEither, Lt, Le, Gt, Ge };

struct Condition {
  Input input = Input::None;
  Op op = Op::Eq;
  int a = 0;
  int b = 0;
};

constexpr Condition kAlways{};
constexpr Condition L2(Op op, int a) {
  return {Input::Level2, op, a, 0};
}
constexpr Condition Clock(Op op, int a, int b = 0) {
  return {Input::Frequency, op, a, b};
}
constexpr Condition Brand(int b) {
  return {Input::Brand, Op::Eq, b, 0};
}
constexpr Condition OverDrive() {
  return {Input::Type, Op::Eq, 1, 0};
}

// Families and models are four-bit fields: a set of them is a 16-bit mask.
constexpr std::uint16_t Set(std::initializer_list<int> values) {
  std::uint16_t mask = 0;
  for (int v : values) mask = static_cast<std::uint16_t>(mask | (1u << v));
  return mask;
}
constexpr std::uint16_t Range(int first, int last) {
  std::uint16_t mask = 0;
  for (int v = first; v <= last; ++v) mask = static_cast<std::uint16_t>(mask | (1u << v));
  return mask;
}
constexpr std::uint16_t kAny = 0xFFFF;

struct NameRow {
  int vendor;
  std::uint16_t families;
  std::uint16_t models;
  Condition first;
  Condition second;
  const char* name;
  const char* codeName;
  std::int32_t transistors;
};

// Searched in order; the first row whose vendor, family, model and conditions all
// hold gives the three outputs. Code names are Windows-1252 (0xB5 is the micro sign).
constexpr NameRow kNames[] = {
    // Intel
    {1, Set({4}), Set({0, 1}), kAlways, kAlways, "i80486DX", "P4", 1250000},
    {1, Set({4}), Set({2}), kAlways, kAlways, "i80486SX", "P23", 900000},
    {1, Set({4}), Set({3}), kAlways, kAlways, "i80486DX2", "P24", 1250000},
    {1, Set({4}), Set({4}), kAlways, kAlways, "i80486SL", "P23", 900000},
    {1, Set({4}), Set({5}), kAlways, kAlways, "i80486SX2", "P23", 900000},
    {1, Set({4}), Set({7}), kAlways, kAlways, "i80486DX2WB", "P24", 1250000},
    {1, Set({4}), Set({8}), kAlways, kAlways, "i80486DX4", "P24C", 1600000},
    {1, Set({4}), Set({9}), kAlways, kAlways, "i80486DX4WB", "P24C", 1600000},
    {1, Set({5}), Set({0}), kAlways, kAlways, "Pentium", "P5 (0,80\xB5m)", 3100000},
    {1, Set({5}), Set({1, 2}), kAlways, kAlways, "Pentium", "P54C (0,50\xB5m)", 3100000},
    {1, Set({5}), Set({3}), kAlways, kAlways, "Pentium", "P24T", 0},
    {1, Set({5}), Set({4}), kAlways, kAlways, "Pentium MMX", "P55C (0,28\xB5m)", 4500000},
    {1, Set({5}), Set({5}), kAlways, kAlways, "DX4", "", 0},
    {1, Set({5}), Set({6}), kAlways, kAlways, "Pentium", "P5", 0},
    {1, Set({5}), Set({7}), kAlways, kAlways, "Pentium", "P54C (0,35\xB5m)", 3100000},
    {1, Set({5}), Set({8}), kAlways, kAlways, "Pentium MMX (mobile)", "Tillamook (0,25\xB5m)",
     4500000},
    {1, Set({5}), Range(9, 15), kAlways, kAlways, "Pentium", "", 0},
    {1, Set({6}), Set({0}), kAlways, kAlways, "Pentium Pro", "P6 (0.50 \xB5m)", 5500000},
    {1, Set({6}), Set({1}), kAlways, kAlways, "Pentium Pro", "P6 (0.35 \xB5m)", 5500000},
    {1, Set({6}), Set({2}), kAlways, kAlways, "Pentium II", "", 0},
    // Model 3: the name takes " OverDrive" for an OverDrive processor, and the code
    // name depends on the cache alone.
    {1, Set({6}), Set({3}), OverDrive(), L2(Op::Eq, 333), "Pentium II OverDrive",
     "P6T (0.25 \xB5m)", 7500000},
    {1, Set({6}), Set({3}), OverDrive(), kAlways, "Pentium II OverDrive", "Klamath (0.35 \xB5m)",
     7500000},
    {1, Set({6}), Set({3}), L2(Op::Eq, 333), kAlways, "Pentium II", "P6T (0.25 \xB5m)", 7500000},
    {1, Set({6}), Set({3}), kAlways, kAlways, "Pentium II", "Klamath (0.35 \xB5m)", 7500000},
    {1, Set({6}), Set({4}), kAlways, kAlways, "Pentium II", "P55CT (P54 OverDrive)", 3100000},
    {1, Set({6}), Set({5}), L2(Op::Gt, 512), kAlways, "Pentium II Xeon", "Deschutes (0.25 \xB5m)",
     7500000},
    {1, Set({6}), Set({5}), L2(Op::Eq, 0), kAlways, "Celeron", "Covington (0,25\xB5m)", 7500000},
    {1, Set({6}), Set({5}), kAlways, kAlways, "Pentium II", "Deschutes (0,25\xB5m)", 7500000},
    {1, Set({6}), Set({6}), L2(Op::Lt, 256), kAlways, "Celeron A", "Mendocino (0.25 \xB5m)",
     19000000},
    {1, Set({6}), Set({6}), L2(Op::Ge, 256), kAlways, "Pentium II PE (mobile)",
     "Dixon (0.25 \xB5m)", 27400000},
    {1, Set({6}), Set({7}), L2(Op::Gt, 512), kAlways, "Pentium III Xeon", "Tanner (0.25 \xB5m)",
     9500000},
    {1, Set({6}), Set({7}), L2(Op::Le, 512), kAlways, "Pentium III", "Katmai (0.25 \xB5m)",
     9500000},
    {1, Set({6}), Set({8}), kAlways, kAlways, "Pentium III E", "Coppermine (0.18 \xB5m)", 28100000},
    {1, Set({6}), Range(9, 15), kAlways, kAlways, "Pentium II", "", 0},
    {1, Set({7, 8}), kAny, Brand(1), kAlways, "Celeron", "", 0},
    {1, Set({7, 8}), kAny, Brand(3), kAlways, "Pentium III Xeon", "", 0},
    {1, Set({7, 8}), kAny, Brand(4), kAlways, "Pentium IV", "", 0},
    {1, Set({7, 8}), kAny, L2(Op::Ge, 1024), kAlways, "Pentium III Xeon", "", 0},
    {1, Set({7, 8}), kAny, L2(Op::Lt, 1024), kAlways, "Pentium III", "", 0},
    {1, Set({10}), kAny, kAlways, kAlways, "Pentium III Xeon", "", 0},
    {1, Set({15}), kAny, kAlways, kAlways, "Pentium IV", "", 0},
    // AMD
    {2, Set({4}), Set({0}), kAlways, kAlways, "Am486DX", "P4", 1250000},
    {2, Set({4}), Set({3, 7}), kAlways, kAlways, "Am486DX2", "P24", 1250000},
    {2, Set({4}), Set({8, 9}), kAlways, kAlways, "Am486DX4", "P24C", 1250000},
    {2, Set({4}), Set({14, 15}), kAlways, kAlways, "Am5x86", "X5", 1600000},
    {2, Set({5}), Set({0}), kAlways, kAlways, "K5", "SSA5 (0.50-0.35 \xB5m)", 4300000},
    {2, Set({5}), Set({1, 2, 3}), kAlways, kAlways, "K5-5k86 (PR120, PR133)", "5k86 (0.35 \xB5m)",
     4300000},
    {2, Set({5}), Set({6}), kAlways, kAlways, "K6", "K6 (0.30 \xB5m)", 8800000},
    {2, Set({5}), Set({7}), kAlways, kAlways, "K6", "Little Foot (0.25 \xB5m)", 8800000},
    {2, Set({5}), Set({8}), kAlways, kAlways, "K6-II", "Chomper (0.25 \xB5m)", 9300000},
    {2, Set({5}), Set({9}), kAlways, kAlways, "K6-III", "Slarptooth (0.25 \xB5m)", 21300000},
    {2, Set({5}), Set({13}), kAlways, kAlways, "K6-II+/K6-III+", "", 0},
    {2, Set({6}), kAny, kAlways, kAlways, "K7", "Athlon (0.25-0.18 \xB5m)", 22000000},
    // Cyrix
    {3, Set({4}), Set({0}), Clock(Op::EqEither, 20, 66), kAlways, "Cx486SLC/DLC", "M0.5", 600000},
    {3, Set({4}), Set({0}), Clock(Op::EqEither, 33, 50), kAlways, "Cx486S", "M0.6", 600000},
    {3, Set({4}), Set({0}), Clock(Op::Gt, 66), kAlways, "Cx486DX/DX2/DX4", "M0.7", 1100000},
    {3, Set({4}), Set({4}), kAlways, kAlways, "Media GX", "Gx86", 24000000},
    {3, Set({4}), Set({9}), kAlways, kAlways, "5x86", "M0.9 or M1sc (0.65 \xB5m)", 20000000},
    {3, Set({5}), Set({2}), kAlways, kAlways, "6x86 and 6x86L",
     "M1 (0.65 \xB5m) and M1L (0.35 \xB5m)", 30000000},
    {3, Set({5}), Set({4}), kAlways, kAlways, "MediaGXm", "GXm", 24000000},
    {3, Set({6}), Set({0}), Clock(Op::Ge, 225), kAlways, "M-II (PR300-433)", "M2 (0.35-0.25 \xB5m)",
     65000000},
    {3, Set({6}), Set({0}), Clock(Op::Lt, 225), kAlways, "6x86MX (PR166-266)", "M2 (0.35 \xB5m)",
     65000000},
    {3, Set({6}), Set({5}), kAlways, kAlways, "VIA Cyrix III", "", 0},
    // IDT/Centaur
    {4, Set({5}), Set({4}), kAlways, kAlways, "WinChip", "C6 (0.35 \xB5m)", 54000000},
    {4, Set({5}), Set({8}), kAlways, kAlways, "WinChip 2x", "W2x (0.35-0.25 \xB5m)", 59000000},
    {4, Set({5}), Set({9}), kAlways, kAlways, "WinChip 3", "W3 (0.25 \xB5m)", 90000000},
    // NexGen
    {5, Set({5}), Set({0}), kAlways, kAlways, "Nx586", "Nx5x86 (0.50-0.44 \xB5m)", 35000000},
    {5, Set({5}), Set({6}), kAlways, kAlways, "Nx686", "HA (0,50\xB5m)", 60000000},
    // UMC: every model of family 4 has the code name and count, only four a name.
    {6, Set({4}), Set({1}), kAlways, kAlways, "U5D", "U5D and U5S", 12000000},
    {6, Set({4}), Set({2}), kAlways, kAlways, "U5S", "U5D and U5S", 12000000},
    {6, Set({4}), Set({3}), kAlways, kAlways, "U486DX2", "U5D and U5S", 12000000},
    {6, Set({4}), Set({4}), kAlways, kAlways, "U486SX2", "U5D and U5S", 12000000},
    {6, Set({4}), kAny, kAlways, kAlways, "", "U5D and U5S", 12000000},
    // Rise
    {7, Set({4}), Set({0, 2}), kAlways, kAlways, "mP6", "mP6 (0.25-0.18 \xB5m)", 36000000},
};

bool Holds(const Condition& c, const NamingInputs& in) {
  int v = 0;
  switch (c.input) {
    case Input::None:
      return true;
    case Input::Level2:
      v = in.level2;
      break;
    case Input::Frequency:
      v = in.frequency;
      break;
    case Input::Brand:
      v = in.brand;
      break;
    case Input::Type:
      v = in.type;
      break;
  }
  switch (c.op) {
    case Op::Eq:
      return v == c.a;
    case Op::EqEither:
      return v == c.a || v == c.b;
    case Op::Lt:
      return v < c.a;
    case Op::Le:
      return v <= c.a;
    case Op::Gt:
      return v > c.a;
    case Op::Ge:
      return v >= c.a;
  }
  return false;
}

bool InMask(std::uint16_t mask, int v) {
  return v >= 0 && v < 16 && (mask & (1u << v)) != 0;
}

}  // namespace

VendorNames LookUpVendor(std::string_view signature) {
  VendorNames result;
  for (int i = 0; i < static_cast<int>(std::size(kVendors)); ++i) {
    if (signature == kVendors[i].signature) {
      result.index = i + 1;
      result.full = kVendors[i].full;
      result.brief = kVendors[i].brief;
      break;
    }
  }
  return result;
}

ProcessorNames NameProcessor(const NamingInputs& in) {
  for (const NameRow& row : kNames) {
    if (row.vendor == in.vendor && InMask(row.families, in.family) &&
        InMask(row.models, in.model) && Holds(row.first, in) && Holds(row.second, in))
      return {row.name, row.codeName, row.transistors};
  }
  return {};
}

}  // namespace qor
