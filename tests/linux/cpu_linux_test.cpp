// The processor calls on the machine the tests run on, checked against what the
// kernel reports about the same processor.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "info/QOR_CPU.h"
#include "info/cpu_decode.h"
#include "platform/cpu.h"

namespace qor {
namespace {

// The first "name : value" line of /proc/cpuinfo with this name; empty when none.
std::string CpuInfo(const std::string& name) {
  std::ifstream in("/proc/cpuinfo");
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind(name, 0) == 0 && line.find(':') != std::string::npos) {
      std::string value = line.substr(line.find(':') + 1);
      return value.empty() ? value : value.substr(1);
    }
  }
  return "";
}

bool HasFlag(const std::string& flag) {
  std::istringstream flags(CpuInfo("flags"));
  std::string f;
  while (flags >> f)
    if (f == flag) return true;
  return false;
}

// The kernel's own figure for the time-stamp counter, in MHz, or 0 when it states none.
// Without a frequency driver and without the actual-clock counters, /proc/cpuinfo's
// "cpu MHz" is the kernel's calibration of a constant-rate time-stamp counter.
double KernelTimeStampMHz() {
  std::ifstream khz("/sys/devices/system/cpu/cpu0/tsc_freq_khz");
  double value = 0;
  if (khz >> value) return value / 1000;
  if (std::filesystem::exists("/sys/devices/system/cpu/cpu0/cpufreq") || HasFlag("aperfmperf") ||
      !HasFlag("constant_tsc"))
    return 0;
  return std::atof(CpuInfo("cpu MHz").c_str());
}

bool IsX86() {
#if defined(__i386__) || defined(__x86_64__)
  return true;
#else
  return false;
#endif
}

TEST(CpuLinuxTest, IdentificationAgreesWithTheKernel) {
  if (!IsX86()) GTEST_SKIP() << "no identification instruction";
  platform::CpuidRegisters leaf0 = platform::QueryCpuid(0);
  EXPECT_EQ(DecodeVendorSignature(leaf0.ebx, leaf0.edx, leaf0.ecx), CpuInfo("vendor_id"));
  TCPUFeatures f;
  f.GetInfo();
  EXPECT_EQ(f.FPU, HasFlag("fpu"));
  EXPECT_EQ(f.TSC, HasFlag("tsc"));
  EXPECT_EQ(f.CX8, HasFlag("cx8"));
  EXPECT_EQ(f.CMOV, HasFlag("cmov"));
  EXPECT_EQ(f.MMX, HasFlag("mmx"));
  EXPECT_EQ(f.XSR, HasFlag("fxsr"));
  EXPECT_EQ(f.SIMD, HasFlag("sse"));
  // The base family field tops out at 15, where the extended field takes over.
  EXPECT_EQ(DecodeSignature(platform::QueryCpuid(1).eax, 0).family,
            std::min(15, std::atoi(CpuInfo("cpu family").c_str())));
}

TEST(CpuLinuxTest, TheCounterCountsTenthsOfMicrosecondsOfTheMonotonicClock) {
  std::uint64_t frequency = 0;
  ASSERT_TRUE(platform::ReadCounterFrequency(frequency));
  EXPECT_EQ(frequency, 10000000u);
  // steady_clock is the same monotonic clock: a reading taken between two of its
  // readings lies between them, in tenths of microseconds.
  for (int i = 0; i < 100; ++i) {
    const auto before = std::chrono::steady_clock::now().time_since_epoch();
    const std::uint64_t counter = platform::ReadCounter();
    const auto after = std::chrono::steady_clock::now().time_since_epoch();
    using Tick = std::chrono::duration<std::int64_t, std::ratio<1, 10000000>>;
    ASSERT_GE(counter, std::chrono::duration_cast<Tick>(before).count());
    ASSERT_LE(counter, std::chrono::duration_cast<Tick>(after).count());
  }
}

TEST(CpuLinuxTest, ThePriorityIsRaisedWherePermittedAndRestored) {
  const platform::ThreadHandle thread = platform::CurrentThreadHandle();
  const int before = platform::ReadThreadPriority(thread);
  ASSERT_NE(before, platform::kThreadPriorityErrorReturn);
  if (platform::WriteThreadPriority(thread, platform::kThreadPriorityTimeCritical)) {
    EXPECT_EQ(platform::ReadThreadPriority(thread), platform::kThreadPriorityTimeCritical);
    EXPECT_TRUE(platform::WriteThreadPriority(thread, before));
  }
  EXPECT_EQ(platform::ReadThreadPriority(thread), before);
  TCPU cpu;
  cpu.GetInfo();  // a refused raise is no error
  EXPECT_EQ(platform::ReadThreadPriority(thread), before);
}

TEST(CpuLinuxTest, TheMeasuredClockLiesWithinOnePercentOfTheKernelFigure) {
  if (!IsX86()) GTEST_SKIP() << "no time-stamp counter";
  const double nominal = KernelTimeStampMHz();
  if (nominal <= 0) GTEST_SKIP() << "the kernel states no time-stamp counter frequency";
  // The median of three refreshes: one pass that a busy machine holds up off its
  // priority can move one measurement.
  int measured[3];
  TCPU cpu;
  for (int& m : measured) {
    cpu.GetInfo();
    m = cpu.Frequency;
  }
  std::sort(std::begin(measured), std::end(measured));
  EXPECT_NEAR(measured[1], nominal, nominal / 100) << measured[0] << " " << measured[2];
  EXPECT_EQ(cpu.Count, sysconf(_SC_NPROCESSORS_ONLN));
  EXPECT_EQ(cpu.VendorSignature, CpuInfo("vendor_id"));
}

}  // namespace
}  // namespace qor
