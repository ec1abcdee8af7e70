#pragma once
// Decoding what the processor's identification instruction reports: the vendor
// signature, the processor signature, the serial number text, the leaf-2 cache
// descriptors, and the divider check.
#include <cstdint>
#include <string>

#include "platform/cpu.h"

namespace qor {

struct ProcessorSignature {
  int stepping = 0;
  int model = 0;
  int family = 0;
  int type = 0;  // 0 standard, 1 OverDrive, 2 the second of a dual pair
  int brand = 0;
};

// From leaf 1: EAX bits 0-13 (the extended fields are not used) and EBX bits 0-7.
ProcessorSignature DecodeSignature(std::uint32_t eax, std::uint32_t ebx);

// The twelve bytes of EBX, EDX, ECX (each lowest byte first), up to the first zero.
std::string DecodeVendorSignature(std::uint32_t ebx, std::uint32_t edx, std::uint32_t ecx);

// Leaf 1 EAX, then leaf 3 EDX and ECX, as six groups of four hexadecimal digits.
std::string SerialNumberText();

struct Leaf2Descriptors {
  std::int32_t level2 = 0;             // KB; the last second-level descriptor decides
  platform::CpuidRegisters registers;  // those of the last query; zeros for a count of 0
};

// Queries leaf 2 as often as its first byte asks and decodes the last answer.
Leaf2Descriptors DecodeLeaf2();

// Byte i of the sixteen (EAX, EBX, ECX, EDX, each lowest byte first).
std::uint8_t DescriptorByte(const platform::CpuidRegisters& r, int i);

// True when the floating-point divider gives the flawed quotient.
bool FDIVTest();

}  // namespace qor
