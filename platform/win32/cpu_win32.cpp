#include <windows.h>

#include "platform/cpu.h"

#if defined(__i386__) || defined(__x86_64__)
#include <cpuid.h>
#include <x86intrin.h>
#endif

namespace qor::platform {
namespace {

#if defined(__i386__) || defined(__x86_64__)
// Early 486s lack the identification instruction and every processor before the
// Pentium lacks the time-stamp counter; executing either there would fault, so
// both are asked about once before first use.
bool HasCpuid() {
  static const bool has = __get_cpuid_max(0, nullptr) != 0;
  return has;
}

bool HasTimeStamp() {
  static const bool has = [] {
    if (!HasCpuid()) return false;
    unsigned a = 0, b = 0, c = 0, d = 0;
    __cpuid(1, a, b, c, d);
    return (d & (1u << 4)) != 0;
  }();
  return has;
}
#endif

}  // namespace

CpuidRegisters QueryCpuid(std::uint32_t leaf) {
  CpuidRegisters r;
#if defined(__i386__) || defined(__x86_64__)
  if (HasCpuid()) __cpuid_count(leaf, 0, r.eax, r.ebx, r.ecx, r.edx);
#else
  (void)leaf;
#endif
  return r;
}

std::uint64_t ReadTimeStamp() {
#if defined(__i386__) || defined(__x86_64__)
  if (HasTimeStamp()) return __rdtsc();
#endif
  return 0;
}

bool ReadCounterFrequency(std::uint64_t& ticksPerSecond) {
  LARGE_INTEGER value = {};
  if (!::QueryPerformanceFrequency(&value)) return false;
  ticksPerSecond = static_cast<std::uint64_t>(value.QuadPart);
  return true;
}

std::uint64_t ReadCounter() {
  LARGE_INTEGER value = {};
  ::QueryPerformanceCounter(&value);
  return static_cast<std::uint64_t>(value.QuadPart);
}

ThreadHandle CurrentThreadHandle() {
  return reinterpret_cast<ThreadHandle>(::GetCurrentThread());
}

int ReadThreadPriority(ThreadHandle thread) {
  return ::GetThreadPriority(reinterpret_cast<HANDLE>(thread));
}

bool WriteThreadPriority(ThreadHandle thread, int priority) {
  return ::SetThreadPriority(reinterpret_cast<HANDLE>(thread), priority) != 0;
}

}  // namespace qor::platform
