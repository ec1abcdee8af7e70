#include <unistd.h>

#include "platform/linux/proc_file.h"
#include "platform/memory.h"

namespace qor::platform {
namespace {

using linux_impl::FieldValue;
using linux_impl::ReadSmallFile;

std::uint64_t KiB(std::int64_t v) {
  return v > 0 ? static_cast<std::uint64_t>(v) * 1024 : 0;
}

// The user-mode address range of a process.
std::uint64_t MinAppAddress() {
  std::string text = ReadSmallFile("/proc/sys/vm/mmap_min_addr", 64);
  std::uint64_t v = 0;
  for (char c : text) {
    if (c < '0' || c > '9') break;
    v = v * 10 + static_cast<std::uint64_t>(c - '0');
  }
  return v != 0 ? v : static_cast<std::uint64_t>(sysconf(_SC_PAGESIZE));
}

std::uint64_t MaxAppAddress() {
#if defined(__x86_64__)
  return 0x7FFFFFFFEFFFull;  // 47-bit user space, less the guard page
#elif defined(__aarch64__)
  return 0xFFFFFFFFFFFFull;
#else
  return 0xBFFFFFFFull;
#endif
}

}  // namespace

void GetMemoryStatus(MemoryStatus& status) {
  std::string info = ReadSmallFile("/proc/meminfo");
  status = MemoryStatus{};
  status.ullTotalPhys = KiB(FieldValue(info, "MemTotal"));
  // "Available" is what Linux can hand out without swapping: the true free memory.
  std::int64_t available = FieldValue(info, "MemAvailable");
  status.ullAvailPhys = KiB(available >= 0 ? available : FieldValue(info, "MemFree"));
  status.ullTotalPageFile = KiB(FieldValue(info, "SwapTotal"));
  status.ullAvailPageFile = KiB(FieldValue(info, "SwapFree"));
  if (status.ullTotalPhys > 0)
    status.dwMemoryLoad = static_cast<std::uint32_t>((status.ullTotalPhys - status.ullAvailPhys) *
                                                     100 / status.ullTotalPhys);
  std::uint64_t min = MinAppAddress(), max = MaxAppAddress();
  status.ullTotalVirtual = max - min + 1;
  std::uint64_t used = KiB(FieldValue(ReadSmallFile("/proc/self/status"), "VmSize"));
  status.ullAvailVirtual = used < status.ullTotalVirtual ? status.ullTotalVirtual - used : 0;
}

void GetSystemInformation(SystemInfo& info) {
  info = SystemInfo{};
  long page = sysconf(_SC_PAGESIZE);
  info.dwPageSize = static_cast<std::uint32_t>(page);
  // mmap places mappings at page granularity.
  info.dwAllocationGranularity = static_cast<std::uint32_t>(page);
  info.lpMinimumApplicationAddress = MinAppAddress();
  info.lpMaximumApplicationAddress = MaxAppAddress();
  long cpus = sysconf(_SC_NPROCESSORS_ONLN);
  info.dwNumberOfProcessors = cpus > 0 ? static_cast<std::uint32_t>(cpus) : 1;
  info.dwActiveProcessorMask =
      info.dwNumberOfProcessors >= 64 ? ~0ull : (1ull << info.dwNumberOfProcessors) - 1;
#if defined(__x86_64__)
  info.wProcessorArchitecture = 9;  // AMD64
  info.dwProcessorType = 8664;
#elif defined(__i386__)
  info.wProcessorArchitecture = 0;  // Intel
  info.dwProcessorType = 586;
#elif defined(__aarch64__)
  info.wProcessorArchitecture = 12;  // ARM64
#endif
}

}  // namespace qor::platform
