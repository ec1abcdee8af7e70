#include <windows.h>

#include "platform/memory.h"

namespace qor::platform {
namespace {

// Windows 95 lacks GlobalMemoryStatusEx, so it is bound by name at run time.
struct MemoryStatusEx {
  DWORD dwLength;
  DWORD dwMemoryLoad;
  DWORDLONG ullTotalPhys, ullAvailPhys, ullTotalPageFile, ullAvailPageFile;
  DWORDLONG ullTotalVirtual, ullAvailVirtual, ullAvailExtendedVirtual;
};
using GlobalMemoryStatusExFn = BOOL(WINAPI*)(MemoryStatusEx*);

}  // namespace

void GetMemoryStatus(MemoryStatus& status) {
  status = MemoryStatus{};
  HMODULE kernel = GetModuleHandleA("kernel32.dll");
  auto ex = kernel ? reinterpret_cast<GlobalMemoryStatusExFn>(
                         reinterpret_cast<void*>(GetProcAddress(kernel, "GlobalMemoryStatusEx")))
                   : nullptr;
  if (ex) {
    MemoryStatusEx raw = {};
    raw.dwLength = sizeof raw;
    if (ex(&raw)) {
      status.dwMemoryLoad = raw.dwMemoryLoad;
      status.ullTotalPhys = raw.ullTotalPhys;
      status.ullAvailPhys = raw.ullAvailPhys;
      status.ullTotalPageFile = raw.ullTotalPageFile;
      status.ullAvailPageFile = raw.ullAvailPageFile;
      status.ullTotalVirtual = raw.ullTotalVirtual;
      status.ullAvailVirtual = raw.ullAvailVirtual;
      return;
    }
  }
  MEMORYSTATUS raw = {};
  raw.dwLength = sizeof raw;
  ::GlobalMemoryStatus(&raw);
  status.dwMemoryLoad = raw.dwMemoryLoad;
  status.ullTotalPhys = raw.dwTotalPhys;
  status.ullAvailPhys = raw.dwAvailPhys;
  status.ullTotalPageFile = raw.dwTotalPageFile;
  status.ullAvailPageFile = raw.dwAvailPageFile;
  status.ullTotalVirtual = raw.dwTotalVirtual;
  status.ullAvailVirtual = raw.dwAvailVirtual;
}

void GetSystemInformation(SystemInfo& info) {
  SYSTEM_INFO raw = {};
  ::GetSystemInfo(&raw);
  info = SystemInfo{};
  info.wProcessorArchitecture = raw.wProcessorArchitecture;
  info.dwPageSize = raw.dwPageSize;
  info.lpMinimumApplicationAddress =
      reinterpret_cast<std::uintptr_t>(raw.lpMinimumApplicationAddress);
  info.lpMaximumApplicationAddress =
      reinterpret_cast<std::uintptr_t>(raw.lpMaximumApplicationAddress);
  info.dwActiveProcessorMask = raw.dwActiveProcessorMask;
  info.dwNumberOfProcessors = raw.dwNumberOfProcessors;
  info.dwProcessorType = raw.dwProcessorType;
  info.dwAllocationGranularity = raw.dwAllocationGranularity;
  info.wProcessorLevel = raw.wProcessorLevel;
  info.wProcessorRevision = raw.wProcessorRevision;
}

}  // namespace qor::platform
