#include "info/QOR_CPU.h"

#include "info/QOR_Console.h"
#include "info/cpu_clock.h"
#include "info/cpu_decode.h"
#include "info/cpu_naming.h"
#include "platform/memory.h"

namespace qor {

QOR_REGISTER_AREA(iaCPU, TCPU, CPU)

namespace {

bool Bit(std::uint32_t v, int bit) {
  return ((v >> bit) & 1u) != 0;
}

}  // namespace

void TCPUFeatures::GetInfo() {
  Scratch = platform::QueryCpuid(0x80000001u);
  EX_MMX = Bit(Scratch.edx, 22) || Bit(Scratch.edx, 24);
  EX_3DNOW = Bit(Scratch.edx, 30);
  _3DNOW = Bit(Scratch.edx, 31);

  Scratch = platform::QueryCpuid(1);
  const std::uint32_t d = Scratch.edx;
  FPU = Bit(d, 0);
  VME = Bit(d, 1);
  DE = Bit(d, 2);
  PSE = Bit(d, 3);
  TSC = Bit(d, 4);
  MSR = Bit(d, 5);
  PAE = Bit(d, 6);
  MCE = Bit(d, 7);
  CX8 = Bit(d, 8);
  APIC = Bit(d, 9);
  SEP = Bit(d, 11);
  MTRR = Bit(d, 12);
  PGE = Bit(d, 13);
  MCA = Bit(d, 14);
  CMOV = Bit(d, 15);
  PAT = Bit(d, 16);
  PSE36 = Bit(d, 17);
  SERIAL = Bit(d, 18);
  MMX = Bit(d, 23);
  XSR = Bit(d, 24);
  SIMD = Bit(d, 25);
}

void TCPUFeatures::Publish(PropertyWriter& w) const {
  w.Boolean("_3DNOW", _3DNOW);
  w.Boolean("EX_3DNOW", EX_3DNOW);
  w.Boolean("EX_MMX", EX_MMX);
  w.Boolean("SIMD", SIMD);
  w.Boolean("SERIAL", SERIAL);
  w.Boolean("XSR", XSR);
  w.Boolean("MMX", MMX);
  w.Boolean("PSE36", PSE36);
  w.Boolean("PAT", PAT);
  w.Boolean("CMOV", CMOV);
  w.Boolean("MCA", MCA);
  w.Boolean("PGE", PGE);
  w.Boolean("MTRR", MTRR);
  w.Boolean("SEP", SEP);
  w.Boolean("APIC", APIC);
  w.Boolean("CX8", CX8);
  w.Boolean("MCE", MCE);
  w.Boolean("PAE", PAE);
  w.Boolean("MSR", MSR);
  w.Boolean("TSC", TSC);
  w.Boolean("PSE", PSE);
  w.Boolean("DE", DE);
  w.Boolean("VME", VME);
  w.Boolean("FPU", FPU);
}

void TCPUCache::GetInfo(int vendorIndex) {
  L1Data = L1Code = Level1 = Level2 = 0;
  switch (vendorIndex) {
    case 1: {
      const Leaf2Descriptors decoded = DecodeLeaf2();
      Leaf2Level2 = decoded.level2;
      Leaf2 = decoded.registers;
      Level2 = decoded.level2;
      // The first-level walks include byte 0, the query count.
      for (int i = 0; i < 16; ++i) {
        switch (DescriptorByte(Leaf2, i)) {
          case 0x0A:
            L1Data = 8;
            break;
          case 0x0C:
            L1Data = 16;
            break;
          case 0x06:
            L1Code = 8;
            break;
          case 0x08:
            L1Code = 16;
            break;
          case 0x80:
            Level1 = 16;  // unified: not the sum of the two above
            break;
          default:
            break;
        }
      }
      break;
    }
    case 2: {
      const platform::CpuidRegisters r = platform::QueryCpuid(0x80000005u);
      AMDEbx = (r.ebx << 16) | (r.ebx >> 16);
      AMDEcx = r.ecx;
      AMDEdx = r.edx;
      L1Data = static_cast<std::int32_t>(AMDEcx >> 24);
      L1Code = static_cast<std::int32_t>(AMDEdx >> 24);
      Level1 = L1Data + L1Code;
      break;
    }
    case 3: {
      const platform::CpuidRegisters r = platform::QueryCpuid(0x80000005u);
      CyrixEcx = r.ecx;
      CyrixEbx = r.ebx;
      for (int i = 0; i < 4; ++i)
        if (((CyrixEcx >> (8 * i)) & 0xFF) == 0x80) Level1 = 16;
      break;
    }
    default:
      break;
  }
}

void TCPUCache::Publish(PropertyWriter& w) const {
  w.Integer("L1Data", L1Data);
  w.Integer("L1Code", L1Code);
  w.Integer("Level1", Level1);
  w.Integer("Level2", Level2);
}

TCPU::TCPU() {
  Features = new TCPUFeatures;
  Cache = new TCPUCache;
}

TCPU::~TCPU() {
  delete Features;
  delete Cache;
}

void TCPU::GetInfo() {
  platform::SystemInfo system;
  platform::GetSystemInformation(system);
  Count = static_cast<std::int32_t>(system.dwNumberOfProcessors);

  // A failed measurement ends the refresh here, leaving every later property as it was.
  Frequency = MeasureClock().normalised;

  const platform::CpuidRegisters leaf1 = platform::QueryCpuid(1);
  const ProcessorSignature signature = DecodeSignature(leaf1.eax, leaf1.ebx);
  Family = signature.family;
  ProcessorType = signature.type;
  Model = signature.model;
  Stepping = signature.stepping;
  BrandIndex = signature.brand;

  const platform::CpuidRegisters leaf0 = platform::QueryCpuid(0);
  VendorSignature = DecodeVendorSignature(leaf0.ebx, leaf0.edx, leaf0.ecx);

  VendorIndex = 0;
  ShortVendorName.clear();
  const VendorNames vendor = LookUpVendor(VendorSignature);
  if (vendor.index != 0) {
    VendorIndex = vendor.index;
    ShortVendorName = vendor.brief;
    VendorEx = vendor.full;
  }

  Features->GetInfo();
  if (Features->SERIAL) SerialNumber = SerialNumberText();
  FDIVBug = FDIVTest();
  Cache->GetInfo(VendorIndex);

  ProcessorNames names = NameProcessor(
      {VendorIndex, Family, Model, BrandIndex, ProcessorType, Cache->Level2, Frequency});
  VendorID = std::move(names.name);
  CodeName = std::move(names.codeName);
  Transistors = names.transistors;
}

void TCPU::Publish(PropertyWriter& w) const {
  w.Integer("Count", Count);
  w.Text("VendorEx", VendorEx);
  w.Text("VendorID", VendorID);
  w.Integer("Frequency", Frequency);
  w.Integer("Family", Family);
  w.Integer("Stepping", Stepping);
  w.Integer("Model", Model);
  w.Object("Features", *Features);
  w.Object("Cache", *Cache);
  w.Text("SerialNumber", SerialNumber);
  w.Boolean("FDIVBug", FDIVBug);
  w.Text("CodeName", CodeName);
  w.Integer("Transistors", Transistors);
}

}  // namespace qor
