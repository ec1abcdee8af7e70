#include <gtest/gtest.h>

#include "base/error.h"
#include "fake_test.h"
#include "info/QOR_CPU.h"
#include "info/cpu_clock.h"
#include "info/cpu_decode.h"
#include "platform/fake/fake_cpu.h"

namespace qor {
namespace {

using platform::CpuidRegisters;

// Four bytes, lowest first, as one register.
constexpr std::uint32_t Bytes(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2, std::uint8_t b3) {
  return b0 | (b1 << 8) | (b2 << 16) | (static_cast<std::uint32_t>(b3) << 24);
}

class CpuTest : public test::FakeMachineTest {
 protected:
  fake::Cpu& cpu() { return fake::CurrentCpu(); }
  int Queries(std::uint32_t leaf) { return cpu().queries[leaf]; }
};

TEST(CpuDecodeTest, SignatureIgnoresTheExtendedFields) {
  struct Case {
    std::uint32_t eax, ebx;
    int family, model, stepping, type, brand;
  };
  const Case cases[] = {
      {0x673, 0, 6, 7, 3, 0, 0},
      {0x1633, 0, 6, 3, 3, 1, 0},
      {0x0FFF0F24, 0, 15, 2, 4, 0, 0},  // bits 16-27 set
      {0xFFFFFFFF, 0x12345604, 15, 15, 15, 3, 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.eax);
    ProcessorSignature s = DecodeSignature(c.eax, c.ebx);
    EXPECT_EQ(s.family, c.family);
    EXPECT_EQ(s.model, c.model);
    EXPECT_EQ(s.stepping, c.stepping);
    EXPECT_EQ(s.type, c.type);
    EXPECT_EQ(s.brand, c.brand);
  }
}

TEST(CpuDecodeTest, VendorSignatureEndsAtTheFirstZeroByte) {
  const std::uint32_t genu = Bytes('G', 'e', 'n', 'u'), inei = Bytes('i', 'n', 'e', 'I'),
                      ntel = Bytes('n', 't', 'e', 'l');
  EXPECT_EQ(DecodeVendorSignature(genu, inei, ntel), "GenuineIntel");
  EXPECT_EQ(DecodeVendorSignature(genu, Bytes('i', 0, 'e', 'I'), ntel), "Genui");
  EXPECT_EQ(DecodeVendorSignature(0, 0, 0), "");
}

TEST_F(CpuTest, FeatureFlagsFollowTheirBits) {
  TCPUFeatures f;
  // Every bit but 18: all 21 standard flags except SERIAL.
  fake::SetCpuid(1, {0, 0, 0, ~(1u << 18)});
  fake::SetCpuid(0x80000001u, {0, 0, 0, 1u << 24});
  f.GetInfo();
  EXPECT_TRUE(f.FPU && f.VME && f.DE && f.PSE && f.TSC && f.MSR && f.PAE && f.MCE && f.CX8 &&
              f.APIC && f.SEP && f.MTRR && f.PGE && f.MCA && f.CMOV && f.PAT && f.PSE36 && f.MMX &&
              f.XSR && f.SIMD);
  EXPECT_FALSE(f.SERIAL);
  EXPECT_TRUE(f.EX_MMX);
  EXPECT_FALSE(f.EX_3DNOW);
  EXPECT_FALSE(f._3DNOW);
  EXPECT_EQ(f.Scratch.edx, ~(1u << 18));  // the last query is kept

  // Bits 0-5, 7, 8 and 23 only; every flag is assigned again, none keeps its value.
  fake::SetCpuid(1, {0, 0, 0, 0x3Fu | 1u << 7 | 1u << 8 | 1u << 23});
  fake::SetCpuid(0x80000001u, {0, 0, 0, 1u << 22 | 1u << 30 | 1u << 31});
  f.GetInfo();
  EXPECT_TRUE(f.FPU && f.VME && f.DE && f.PSE && f.TSC && f.MSR && f.MCE && f.CX8 && f.MMX);
  EXPECT_FALSE(f.PAE || f.APIC || f.SEP || f.MTRR || f.PGE || f.MCA || f.CMOV || f.PAT || f.PSE36 ||
               f.SERIAL || f.XSR || f.SIMD);
  EXPECT_TRUE(f.EX_MMX && f.EX_3DNOW && f._3DNOW);
}

TEST_F(CpuTest, SerialNumberIsSixGroupsOfFourDigits) {
  fake::SetCpuid(1, {0x673, 0, 0, 0});
  fake::SetCpuid(3, {0, 0, 0x2F, 0x1});
  EXPECT_EQ(SerialNumberText(), "0000-0673-0000-0001-0000-002F");
  fake::SetCpuid(1, {0xABCDEF12, 0, 0, 0});
  fake::SetCpuid(3, {0, 0, 0, 0});
  EXPECT_EQ(SerialNumberText(), "ABCD-EF12-0000-0000-0000-0000");
}

// --- Caches ---------------------------------------------------------------------

TEST_F(CpuTest, IntelCachesComeFromTheLeaf2Descriptors) {
  struct Case {
    const char* what;
    CpuidRegisters leaf2;
    int level2, l1Data, l1Code, level1;
  };
  const Case cases[] = {
      {"L2 512, L1 16+16",
       {Bytes(1, 1, 2, 3), 0, 0, Bytes(0x43, 0x08, 0x04, 0x0C)},
       512,
       16,
       16,
       0},
      {"a later 0x40 means none", {Bytes(1, 0x43, 0, 0), 0, Bytes(0x40, 0, 0, 0), 0}, 0, 0, 0, 0},
      {"the last descriptor decides",
       {Bytes(1, 0x0C, 0x08, 0x85), Bytes(0x0A, 0x06, 0x41, 0), 0, 0},
       128,
       8,
       8,
       0},
      {"unified first level", {Bytes(1, 0x80, 0x82, 0), 0, 0, 0}, 256, 0, 0, 16},
      // Byte 0, the count, is no second-level descriptor but takes part in the
      // first-level walks.
      {"count 0x0A", {Bytes(0x0A, 0, 0, 0), 0, 0, 0}, 0, 8, 0, 0},
      {"count 0 decodes nothing", {Bytes(0, 0x43, 0x0C, 0x80), 0, 0, 0}, 0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fake::SetCpuid(2, c.leaf2);
    TCPUCache cache;
    cache.GetInfo(1);
    EXPECT_EQ(cache.Level2, c.level2);
    EXPECT_EQ(cache.Leaf2Level2, c.level2);
    EXPECT_EQ(cache.L1Data, c.l1Data);
    EXPECT_EQ(cache.L1Code, c.l1Code);
    EXPECT_EQ(cache.Level1, c.level1);
  }
}

TEST_F(CpuTest, Leaf2IsQueriedAsOftenAsItsCountSaysAndOnlyTheLastAnswerCounts) {
  fake::SetCpuid(2, {Bytes(2, 0x43, 0x0C, 0), 0, 0, 0});
  fake::AddCpuid(2, {Bytes(2, 0x41, 0x08, 0), 0, 0, 0});
  fake::AddCpuid(2, {Bytes(2, 0x45, 0, 0), 0, 0, 0});
  TCPUCache cache;
  cache.GetInfo(1);
  EXPECT_EQ(Queries(2), 2);
  EXPECT_EQ(cache.Level2, 128);
  EXPECT_EQ(cache.L1Code, 16);
  EXPECT_EQ(cache.L1Data, 0);
  EXPECT_EQ(cache.Leaf2.eax, Bytes(2, 0x41, 0x08, 0));
}

TEST_F(CpuTest, AMDAndCyrixCachesComeFromLeaf80000005) {
  fake::SetCpuid(0x80000005u, {0, 0x11112222, 64u << 24 | 0x0140, 64u << 24 | 0x0240});
  TCPUCache amd;
  amd.GetInfo(2);
  EXPECT_EQ(amd.L1Data, 64);
  EXPECT_EQ(amd.L1Code, 64);
  EXPECT_EQ(amd.Level1, 128);
  EXPECT_EQ(amd.Level2, 0);
  EXPECT_EQ(amd.AMDEbx, 0x22221111u);  // halves swapped
  EXPECT_EQ(Queries(2), 0);

  fake::SetCpuid(0x80000005u, {0, 7, Bytes(0x80, 0, 0, 0), 0});
  TCPUCache cyrix;
  cyrix.GetInfo(3);
  EXPECT_EQ(cyrix.Level1, 16);
  EXPECT_EQ(cyrix.L1Data + cyrix.L1Code + cyrix.Level2, 0);
  EXPECT_EQ(cyrix.CyrixEbx, 7u);
  fake::SetCpuid(0x80000005u, {0, 0, Bytes(0, 0, 0, 0x81), 0});
  cyrix.GetInfo(3);
  EXPECT_EQ(cyrix.Level1, 0);
}

TEST_F(CpuTest, OtherVendorsHaveNoCacheSizesAndAreNotAsked) {
  fake::SetCpuid(2, {Bytes(1, 0x43, 0x0C, 0x80), 0, 0, 0});
  fake::SetCpuid(0x80000005u, {0, 0, 64u << 24, 64u << 24});
  TCPUCache cache;
  cache.Level2 = cache.Level1 = cache.L1Data = cache.L1Code = 9;
  for (int vendor : {0, 4, 5, 6, 7}) {
    cache.GetInfo(vendor);
    EXPECT_EQ(cache.Level2 + cache.Level1 + cache.L1Data + cache.L1Code, 0);
  }
  EXPECT_TRUE(cpu().queries.empty());
}

TEST(CpuFdivTest, ACorrectDividerPasses) {
  EXPECT_FALSE(FDIVTest());
}

// --- Clock measurement ------------------------------------------------------------

TEST(CpuClockTest, SnapsToTheNearerCommonValue) {
  const std::pair<int, int> cases[] = {{733, 733},   {866, 866},   {999, 1000}, {448, 450},
                                       {10, 20},     {1404, 1400}, {0, 0},      {50, 50},
                                       {62, 60},     {63, 66},     {95, 100},   {2094, 2090},
                                       {2095, 2100}, {1, 0},       {-5, -5}};
  for (auto [in, out] : cases) EXPECT_EQ(SnapFrequency(in), out) << in;
}

TEST(CpuClockTest, QuotientsRoundHalfToEvenAndRaiseOnZeroDivisors) {
  EXPECT_EQ(NearestQuotient(5, 2), 2);
  EXPECT_EQ(NearestQuotient(7, 2), 4);
  EXPECT_EQ(NearestQuotient(733333, 1000), 733);
  EXPECT_EQ(NearestQuotient(7335, 10), 734);  // 733.5: the even neighbour
  try {
    NearestQuotient(1, 0);
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.Message(), "Floating point division by zero");
  }
  try {
    NearestQuotient(0, 0);
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.Message(), "Invalid floating point operation");
  }
}

using ClockTest = CpuTest;

TEST_F(ClockTest, ThreeAgreeingPassesEndTheMeasurement) {
  // 1 MHz counter: 1000 ticks are 1000 µs, so the cycles give the MHz directly.
  for (std::uint64_t cycles : {733000, 733000, 734000, 900000})
    fake::ScriptMeasurePass(1000, cycles);
  ClockMeasurement m = MeasureClock();
  EXPECT_EQ(cpu().counter.size(), 3u);  // the fourth pass was not run
  EXPECT_EQ(m.cycles, 2200000u);
  EXPECT_EQ(m.microseconds, 3000u);
  EXPECT_EQ(m.raw, 733);
  EXPECT_EQ(m.normalised, 733);
  // Raised to time-critical for each pass and restored after it.
  EXPECT_EQ(cpu().priorityWrites, (std::vector<int>{15, 0, 15, 0, 15, 0}));
  EXPECT_EQ(cpu().priority, 0);
}

TEST_F(ClockTest, ALaterPassThatDisagreesKeepsTheLoopGoing) {
  for (std::uint64_t cycles : {733000, 733000, 738000, 738000, 738000})
    fake::ScriptMeasurePass(1000, cycles);
  ClockMeasurement m = MeasureClock();
  EXPECT_EQ(m.microseconds, 5000u);
  EXPECT_EQ(m.cycles, 3680000u);
  EXPECT_EQ(m.raw, 736);
}

TEST_F(ClockTest, EachOfTheLastThreePassesMustLieWithinOneOfTheirMean) {
  // 730, 733, 733: the last two lie within 1 of the mean 732, the first 2 below it.
  for (std::uint64_t cycles : {730000, 733000, 733000, 733000, 900000})
    fake::ScriptMeasurePass(1000, cycles);
  ClockMeasurement m = MeasureClock();
  EXPECT_EQ(m.microseconds, 4000u);
  EXPECT_EQ(m.cycles, 2929000u);
}

TEST_F(ClockTest, PassesThatNeverSettleStopAtTwenty) {
  for (int i = 0; i < 25; ++i) fake::ScriptMeasurePass(1000, i % 2 ? 700000 : 720000);
  ClockMeasurement m = MeasureClock();
  EXPECT_EQ(m.microseconds, 20000u);
  EXPECT_EQ(cpu().counter.size(), 5u * 3);
  EXPECT_EQ(m.raw, 710);
  EXPECT_EQ(m.normalised, 720);  // 10 lies halfway between 0 and 20: a tie goes up
}

TEST_F(ClockTest, The733MHzExample) {
  for (int i = 0; i < 3; ++i) fake::ScriptMeasurePass(1000, 733333);
  ClockMeasurement m = MeasureClock();
  EXPECT_EQ(m.microseconds, 3000u);
  EXPECT_EQ(m.cycles, 2199999u);
  EXPECT_EQ(m.raw, 733);
  EXPECT_EQ(m.normalised, 733);
}

TEST_F(ClockTest, RoundsTheAverageAndSnapsIt) {
  struct Case {
    std::uint64_t frequency, ticks, cycles;
    int passes;
    std::uint32_t microseconds;
    int raw, normalised;
  };
  const Case cases[] = {
      // 3 × 100 µs of 46 660 cycles: 466.6 MHz rounds to 467, which snaps to 466.
      {10000000, 1000, 46660, 3, 300, 467, 466},
      // 447.6 rounds to 448, which snaps to 450.
      {10000000, 1000, 44760, 3, 300, 448, 450},
      // A 3 579 545 Hz counter: 1000 ticks are nearest(1e8 / 357954.5) = 279 µs.
      {3579545, 1000, 279 * 866, 3, 837, 866, 866},
      // The window's own length counts: 1003 ticks at 1 MHz are 1003 µs.
      {1000000, 1003, 1003 * 500, 3, 3009, 500, 500},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.cycles);
    fake::Reset();
    cpu().counterFrequency = c.frequency;
    for (int i = 0; i < c.passes; ++i) fake::ScriptMeasurePass(c.ticks, c.cycles);
    ClockMeasurement m = MeasureClock();
    EXPECT_EQ(m.microseconds, c.microseconds);
    EXPECT_EQ(m.raw, c.raw);
    EXPECT_EQ(m.normalised, c.normalised);
  }
}

TEST_F(ClockTest, CountersWrapInThirtyTwoBits) {
  // The counter's low half wraps inside the window; the time stamp's inside a pass.
  cpu().lastCounter = 0xFFFFFC00u;
  cpu().lastTimeStamp = 0xFFFF0000u;
  for (int i = 0; i < 3; ++i) fake::ScriptMeasurePass(1000, 600000);
  ClockMeasurement m = MeasureClock();
  EXPECT_EQ(m.microseconds, 3000u);
  EXPECT_EQ(m.normalised, 600);
}

TEST_F(ClockTest, TheWindowProductIsFormedInThirtyTwoBits) {
  // A window that overran to 50 000 ticks of a 10 MHz counter (5 ms): 50 000 × 100 000
  // wraps to 705 032 704, which reads as 705 µs.
  cpu().counterFrequency = 10000000;
  for (int i = 0; i < 3; ++i) fake::ScriptMeasurePass(50000, 5000000);
  ClockMeasurement m = MeasureClock();
  EXPECT_EQ(m.microseconds, 3u * 705);
  EXPECT_EQ(m.raw, 7092);
  EXPECT_EQ(m.normalised, 7090);
}

TEST_F(ClockTest, AZeroLengthWindowRaisesTheDivisionError) {
  // A 4 GHz counter: 1000 ticks are 0.25 µs, which rounds to 0.
  cpu().counterFrequency = 4000000000u;
  fake::ScriptMeasurePass(1000, 500);
  try {
    MeasureClock();
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.Message(), "Floating point division by zero");
  }
  EXPECT_EQ(cpu().priority, 0);  // restored before the division
  fake::Reset();
  cpu().counterFrequency = 4000000000u;
  fake::ScriptMeasurePass(1000, 0);
  EXPECT_THROW(
      {
        try {
          MeasureClock();
        } catch (const Error& e) {
          EXPECT_EQ(e.Message(), "Invalid floating point operation");
          throw;
        }
      },
      Error);
}

TEST_F(ClockTest, PriorityIsLeftAloneWhenItCannotBeRead) {
  cpu().priorityReadRefused = true;
  MeasureClock();
  EXPECT_TRUE(cpu().priorityWrites.empty());
}

TEST_F(ClockTest, ARefusedRaiseIsNoError) {
  cpu().priorityWriteRefused = true;
  EXPECT_EQ(MeasureClock().normalised, 1000);
}

TEST_F(ClockTest, NoCounterMeansNoMeasurement) {
  cpu().hasCounter = false;
  ClockMeasurement m = MeasureClock();
  EXPECT_EQ(m.normalised, 0);
  EXPECT_EQ(m.raw, 0);
  EXPECT_EQ(cpu().counterReads + cpu().timeStampReads, 0);
}

TEST_F(ClockTest, TheSettleAndWindowLoopsPollUntilTheirTicksHavePassed) {
  // Counter readings 10 ticks apart: 5 polls settle, 100 fill the window.
  cpu().counterStep = 10;
  cpu().timeStampStep = 10000;  // 1000 cycles per µs
  ClockMeasurement m = MeasureClock();
  EXPECT_EQ(cpu().counterReads, 3 * (1 + 5 + 100));
  EXPECT_EQ(cpu().timeStampReads, 3 * (5 + 100));
  EXPECT_EQ(m.normalised, 1000);
}

// --- The processor object -----------------------------------------------------------

class TCPUTest : public CpuTest {
 protected:
  void PentiumIII() {
    machine().system.dwNumberOfProcessors = 2;
    fake::SetVendorSignature("GenuineIntel");
    fake::SetCpuid(1, {0x673, 0x02, 0, 0x0383FBFF});  // SERIAL (bit 18) clear
    fake::SetCpuid(2, {Bytes(1, 1, 2, 3), 0, 0, Bytes(0x43, 0x08, 0x04, 0x0C)});
    for (int i = 0; i < 3; ++i) fake::ScriptMeasurePass(1000, 733333);
  }
};

TEST_F(TCPUTest, ANewObjectIsEmpty) {
  TCPU c;
  ASSERT_NE(c.Features, nullptr);
  ASSERT_NE(c.Cache, nullptr);
  EXPECT_EQ(c.Frequency, 0);
  EXPECT_EQ(c.VendorEx, "");
  EXPECT_FALSE(c.FDIVBug);
}

TEST_F(TCPUTest, APentiumIII) {
  PentiumIII();
  TCPU c;
  c.GetInfo();
  EXPECT_EQ(c.Count, 2);
  EXPECT_EQ(c.Frequency, 733);
  EXPECT_EQ(c.Family, 6);
  EXPECT_EQ(c.Model, 7);
  EXPECT_EQ(c.Stepping, 3);
  EXPECT_EQ(c.BrandIndex, 2);
  EXPECT_EQ(c.VendorSignature, "GenuineIntel");
  EXPECT_EQ(c.VendorIndex, 1);
  EXPECT_EQ(c.VendorEx, "Intel Corporation");
  EXPECT_EQ(c.ShortVendorName, "Intel");
  EXPECT_EQ(c.VendorID, "Pentium III");
  EXPECT_EQ(c.CodeName, "Katmai (0.25 \xB5m)");
  EXPECT_EQ(c.Transistors, 9500000);
  EXPECT_EQ(c.Cache->Level2, 512);
  EXPECT_TRUE(c.Features->MMX && c.Features->SIMD && !c.Features->SERIAL);
  EXPECT_EQ(c.SerialNumber, "");
  EXPECT_EQ(Queries(3), 0);  // no serial flag, no serial query
  EXPECT_FALSE(c.FDIVBug);
}

TEST_F(TCPUTest, TheSerialNumberIsReadOnlyWithItsFlag) {
  PentiumIII();
  fake::SetCpuid(1, {0x673, 0, 0, 1u << 18});
  fake::SetCpuid(3, {0, 0, 0x2F, 0x1});
  TCPU c;
  c.GetInfo();
  EXPECT_EQ(c.SerialNumber, "0000-0673-0000-0001-0000-002F");
  fake::SetCpuid(1, {0x673, 0, 0, 0});
  c.GetInfo();
  EXPECT_EQ(c.SerialNumber, "0000-0673-0000-0001-0000-002F");  // kept
}

TEST_F(TCPUTest, ExtendedModelBitsAreNotUsed) {
  fake::SetVendorSignature("GenuineIntel");
  fake::SetCpuid(1, {0x000306E4, 0, 0, 0});  // extended model 3, model 14
  TCPU c;
  c.GetInfo();
  EXPECT_EQ(c.Model, 14);
  EXPECT_EQ(c.VendorID, "Pentium II");
  EXPECT_EQ(c.CodeName, "");
  EXPECT_EQ(c.Transistors, 0);
}

TEST_F(TCPUTest, AnUnknownVendorKeepsTheFullNameOfTheLastRefresh) {
  PentiumIII();
  TCPU c;
  c.GetInfo();
  fake::SetVendorSignature("GenuineIntel");
  fake::SetVendorSignature("HygonGenuine");
  c.GetInfo();
  EXPECT_EQ(c.VendorIndex, 0);
  EXPECT_EQ(c.ShortVendorName, "");
  EXPECT_EQ(c.VendorEx, "Intel Corporation");
  EXPECT_EQ(c.VendorID, "");
  EXPECT_EQ(c.CodeName, "");
  EXPECT_EQ(c.Transistors, 0);
  EXPECT_EQ(c.Cache->Level2 + c.Cache->Level1 + c.Cache->L1Data + c.Cache->L1Code, 0);
}

TEST_F(TCPUTest, AFailedMeasurementLeavesTheLaterPropertiesUnrefreshed) {
  PentiumIII();
  TCPU c;
  c.GetInfo();
  fake::SetVendorSignature("AuthenticAMD");
  fake::SetCpuid(1, {0x662, 0, 0, 0});
  machine().system.dwNumberOfProcessors = 4;
  cpu().counterFrequency = 4000000000u;
  EXPECT_THROW(c.GetInfo(), Error);
  EXPECT_EQ(c.Count, 4);  // step 1 ran
  EXPECT_EQ(c.Frequency, 733);
  EXPECT_EQ(c.Family, 6);
  EXPECT_EQ(c.Model, 7);
  EXPECT_EQ(c.VendorEx, "Intel Corporation");
  EXPECT_EQ(c.VendorID, "Pentium III");
}

struct Recorder : PropertyWriter {
  std::vector<std::string> names;
  std::string prefix;
  void Integer(std::string_view n, std::int64_t) override { Add(n); }
  void Boolean(std::string_view n, bool) override { Add(n); }
  void Float(std::string_view n, double) override { Add(n); }
  void DateTime(std::string_view n, TDateTime) override { Add(n); }
  void Text(std::string_view n, std::string_view) override { Add(n); }
  void List(std::string_view n, const TStringList&) override { Add(n); }
  void Enumeration(std::string_view n, int, std::span<const char* const>) override { Add(n); }
  void Set(std::string_view n, std::uint64_t, std::span<const char* const>) override { Add(n); }
  void Object(std::string_view n, const TPersistent& v) override {
    Add(n);
    std::string saved = prefix;
    prefix += std::string(n) + ".";
    v.Publish(*this);
    prefix = saved;
  }
  void Add(std::string_view n) { names.push_back(prefix + std::string(n)); }
};

TEST_F(TCPUTest, PublishesEveryPropertyInOrder) {
  TCPU c;
  Recorder r;
  c.Publish(r);
  const std::vector<std::string> expected = {
      "Count",           "VendorEx",      "VendorID",        "Frequency",       "Family",
      "Stepping",        "Model",         "Features",        "Features._3DNOW", "Features.EX_3DNOW",
      "Features.EX_MMX", "Features.SIMD", "Features.SERIAL", "Features.XSR",    "Features.MMX",
      "Features.PSE36",  "Features.PAT",  "Features.CMOV",   "Features.MCA",    "Features.PGE",
      "Features.MTRR",   "Features.SEP",  "Features.APIC",   "Features.CX8",    "Features.MCE",
      "Features.PAE",    "Features.MSR",  "Features.TSC",    "Features.PSE",    "Features.DE",
      "Features.VME",    "Features.FPU",  "Cache",           "Cache.L1Data",    "Cache.L1Code",
      "Cache.Level1",    "Cache.Level2",  "SerialNumber",    "FDIVBug",         "CodeName",
      "Transistors"};
  EXPECT_EQ(r.names, expected);
}

}  // namespace
}  // namespace qor
