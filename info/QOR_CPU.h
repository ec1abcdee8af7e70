#pragma once
// TCPU: the processor, identified by its own instruction, with its feature flags,
// caches, measured clock and names.
#include <cstdint>
#include <string>

#include "base/persistent.h"
#include "platform/cpu.h"

namespace qor {

class TCPUFeatures : public TPersistent {
 public:
  const char* ClassName() const override { return "TCPUFeatures"; }
  // Sets every flag from leaves 0x80000001 and 1.
  void GetInfo();
  void Publish(PropertyWriter& w) const override;

  bool SEP = false;
  bool MTRR = false;
  bool MSR = false;
  bool PSE = false;
  bool TSC = false;
  bool MCE = false;
  bool MMX = false;
  bool PAT = false;
  bool PAE = false;
  bool XSR = false;
  bool VME = false;
  bool PGE = false;
  bool CMOV = false;
  bool FPU = false;
  bool CX8 = false;
  bool SIMD = false;
  bool MCA = false;
  bool APIC = false;
  bool DE = false;
  bool PSE36 = false;
  bool SERIAL = false;
  bool _3DNOW = false;
  bool EX_3DNOW = false;
  bool EX_MMX = false;
  // The last query's registers, in which the bits are tested.
  platform::CpuidRegisters Scratch;
};

class TCPUCache : public TPersistent {
 public:
  const char* ClassName() const override { return "TCPUCache"; }
  // The method depends on the vendor table index.
  void GetInfo(int vendorIndex);
  void Publish(PropertyWriter& w) const override;

  std::int32_t Level2 = 0;
  std::int32_t Level1 = 0;
  std::int32_t L1Data = 0;
  std::int32_t L1Code = 0;
  // The raw data last read.
  std::int32_t Leaf2Level2 = 0;
  platform::CpuidRegisters Leaf2;
  std::uint32_t AMDEbx = 0;  // its two 16-bit halves swapped
  std::uint32_t AMDEcx = 0;
  std::uint32_t AMDEdx = 0;
  std::uint32_t CyrixEcx = 0;
  std::uint32_t CyrixEbx = 0;
};

class TCPU : public TInfoClass {
 public:
  TCPU();
  ~TCPU() override;
  TCPU(const TCPU&) = delete;
  TCPU& operator=(const TCPU&) = delete;

  const char* ClassName() const override { return "TCPU"; }
  void GetInfo() override;
  void Publish(PropertyWriter& w) const override;

  std::int32_t Frequency = 0;
  TCPUFeatures* Features = nullptr;  // owned
  std::int32_t Count = 0;
  std::int32_t Family = 0;
  std::int32_t Stepping = 0;
  std::int32_t Model = 0;
  std::string VendorID;            // the processor's name, not its vendor signature
  std::string ShortVendorName;     // unpublished; the summary's CPU line shows it
  std::int32_t ProcessorType = 0;  // unpublished
  TCPUCache* Cache = nullptr;      // owned
  std::string SerialNumber;
  bool FDIVBug = false;
  std::string VendorSignature;   // unpublished
  std::int32_t BrandIndex = 0;   // unpublished
  std::int32_t VendorIndex = 0;  // unpublished
  std::string CodeName;
  std::int32_t Transistors = 0;
  std::string VendorEx;
};

}  // namespace qor
