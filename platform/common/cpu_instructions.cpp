// The processor's identification and time-stamp instructions: the same on every
// operating system the program is built for, through the compiler's intrinsics.
#include "platform/cpu.h"

#if defined(__i386__) || defined(__x86_64__)
#include <cpuid.h>
#include <x86intrin.h>
#endif

namespace qor::platform {
namespace {

#if defined(__i386__) || defined(__x86_64__)
// Early 486s lack the identification instruction and every processor before the
// Pentium lacks the time-stamp counter; executing either there would fault.
bool DetectCpuid() {
  return __get_cpuid_max(0, nullptr) != 0;
}

bool DetectTimeStamp() {
  if (!DetectCpuid()) return false;
  unsigned a = 0, b = 0, c = 0, d = 0;
  __cpuid(1, a, b, c, d);
  return (d & (1u << 4)) != 0;
}

// Decided at start-up, not on first use: under a hypervisor the identification
// instruction traps and costs tens of microseconds, which inside the first measuring
// pass would fall between a counter reading and its time stamp.
const bool kHasCpuid = DetectCpuid();
const bool kHasTimeStamp = DetectTimeStamp();
#endif

}  // namespace

CpuidRegisters QueryCpuid(std::uint32_t leaf) {
  CpuidRegisters r;
#if defined(__i386__) || defined(__x86_64__)
  if (kHasCpuid) __cpuid_count(leaf, 0, r.eax, r.ebx, r.ecx, r.edx);
#else
  (void)leaf;
#endif
  return r;
}

std::uint64_t ReadTimeStamp() {
#if defined(__i386__) || defined(__x86_64__)
  if (kHasTimeStamp) return __rdtsc();
#endif
  return 0;
}

}  // namespace qor::platform
