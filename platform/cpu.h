#pragma once
// The processor's identification and time-stamp instructions, the high-resolution
// counter that times them, and the calling thread's priority while it does.
#include <cstdint>

namespace qor::platform {

struct CpuidRegisters {
  std::uint32_t eax = 0;
  std::uint32_t ebx = 0;
  std::uint32_t ecx = 0;
  std::uint32_t edx = 0;
};

// The four registers the identification instruction leaves for a leaf; all zero on a
// processor that lacks the instruction.
CpuidRegisters QueryCpuid(std::uint32_t leaf);

// The processor's time-stamp counter; 0 on a processor that lacks one.
std::uint64_t ReadTimeStamp();

// The high-resolution counter. False when the platform has none.
bool ReadCounterFrequency(std::uint64_t& ticksPerSecond);
std::uint64_t ReadCounter();

using ThreadHandle = std::uintptr_t;
inline constexpr int kThreadPriorityErrorReturn = 0x7FFFFFFF;
inline constexpr int kThreadPriorityNormal = 0;
inline constexpr int kThreadPriorityTimeCritical = 15;

ThreadHandle CurrentThreadHandle();
// kThreadPriorityErrorReturn when the priority cannot be read.
int ReadThreadPriority(ThreadHandle thread);
// False when the system refuses the change.
bool WriteThreadPriority(ThreadHandle thread, int priority);

}  // namespace qor::platform
