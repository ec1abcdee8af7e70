#include "info/cpu_decode.h"

#include <cstring>

#include "base/format.h"

namespace qor {
namespace {

// Eight digits with a "-" after the fourth.
std::string HexGroups(std::uint32_t v) {
  std::string digits = Format("%8.8X", {v});
  return digits.substr(0, 4) + "-" + digits.substr(4);
}

struct SecondLevelDescriptor {
  std::uint8_t code;
  std::int32_t kb;
};

constexpr SecondLevelDescriptor kSecondLevel[] = {
    {0x40, 0},   {0x41, 128},  {0x42, 256},  {0x82, 256},  {0x43, 512},
    {0x83, 512}, {0x44, 1024}, {0x84, 1024}, {0x45, 2048}, {0x85, 2048},
};

}  // namespace

ProcessorSignature DecodeSignature(std::uint32_t eax, std::uint32_t ebx) {
  ProcessorSignature s;
  s.stepping = static_cast<int>(eax & 0xF);
  s.model = static_cast<int>((eax >> 4) & 0xF);
  s.family = static_cast<int>((eax >> 8) & 0xF);
  s.type = static_cast<int>((eax >> 12) & 0x3);
  s.brand = static_cast<int>(ebx & 0xFF);
  return s;
}

std::string DecodeVendorSignature(std::uint32_t ebx, std::uint32_t edx, std::uint32_t ecx) {
  char bytes[12];
  for (int i = 0; i < 4; ++i) {
    bytes[i] = static_cast<char>((ebx >> (8 * i)) & 0xFF);
    bytes[4 + i] = static_cast<char>((edx >> (8 * i)) & 0xFF);
    bytes[8 + i] = static_cast<char>((ecx >> (8 * i)) & 0xFF);
  }
  return std::string(bytes, strnlen(bytes, sizeof bytes));
}

std::string SerialNumberText() {
  std::string text = HexGroups(platform::QueryCpuid(1).eax) + "-";
  platform::CpuidRegisters leaf3 = platform::QueryCpuid(3);
  return text + HexGroups(leaf3.edx) + "-" + HexGroups(leaf3.ecx);
}

std::uint8_t DescriptorByte(const platform::CpuidRegisters& r, int i) {
  const std::uint32_t regs[4] = {r.eax, r.ebx, r.ecx, r.edx};
  return static_cast<std::uint8_t>((regs[i / 4] >> (8 * (i % 4))) & 0xFF);
}

Leaf2Descriptors DecodeLeaf2() {
  Leaf2Descriptors result;
  platform::CpuidRegisters r = platform::QueryCpuid(2);
  const int count = r.eax & 0xFF;
  // A count of 0 leaves nothing to decode: the walks then see zero bytes only.
  if (count == 0) return result;
  for (int queries = 1; queries < count; ++queries) r = platform::QueryCpuid(2);
  result.registers = r;
  for (int i = 1; i < 16; ++i) {
    const std::uint8_t b = DescriptorByte(r, i);
    for (const auto& d : kSecondLevel)
      if (d.code == b) result.level2 = d.kb;
  }
  return result;
}

bool FDIVTest() {
  // Volatile, so the compiler cannot fold the test away: it must run on this machine's
  // divider, in extended precision.
  volatile double x = 4195835.0;
  volatile double y = 3145727.0;
  volatile long double quotient = static_cast<long double>(x) / static_cast<long double>(y);
  volatile long double difference =
      quotient * static_cast<long double>(y) - static_cast<long double>(x);
  return difference != 0;
}

}  // namespace qor
