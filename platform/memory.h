#pragma once
// Memory status and the system-information record.
#include <cstdint>

namespace qor::platform {

// Byte counts are 64-bit: a 32-bit record wraps on any machine with more than 2 GB.
struct MemoryStatus {
  std::uint32_t dwMemoryLoad = 0;
  std::uint64_t ullTotalPhys = 0;
  std::uint64_t ullAvailPhys = 0;
  std::uint64_t ullTotalPageFile = 0;
  std::uint64_t ullAvailPageFile = 0;
  std::uint64_t ullTotalVirtual = 0;
  std::uint64_t ullAvailVirtual = 0;
};

void GetMemoryStatus(MemoryStatus& status);

struct SystemInfo {
  std::uint16_t wProcessorArchitecture = 0;
  std::uint32_t dwPageSize = 0;
  std::uint64_t lpMinimumApplicationAddress = 0;
  std::uint64_t lpMaximumApplicationAddress = 0;
  std::uint64_t dwActiveProcessorMask = 0;
  std::uint32_t dwNumberOfProcessors = 0;
  std::uint32_t dwProcessorType = 0;
  std::uint32_t dwAllocationGranularity = 0;
  std::uint16_t wProcessorLevel = 0;
  std::uint16_t wProcessorRevision = 0;
};

void GetSystemInformation(SystemInfo& info);

}  // namespace qor::platform
