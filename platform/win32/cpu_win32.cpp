#include <windows.h>

#include "platform/cpu.h"

namespace qor::platform {

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
