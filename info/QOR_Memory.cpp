#include "info/QOR_Memory.h"

#include "info/QOR_Console.h"
#include "platform/memory.h"

namespace qor {

QOR_REGISTER_AREA(iaMemory, TMemory, Memory)

namespace {
// The free-resource queries of the 9x family answer 0 on every platform we run on.
std::uint8_t SystemResources() {
  return 0;
}
std::uint8_t GDIResources() {
  return 0;
}
std::uint8_t UserResources() {
  return 0;
}
}  // namespace

void TMemory::GetInfo() {
  platform::MemoryStatus status;
  platform::GetMemoryStatus(status);
  MemoryLoad = static_cast<std::int32_t>(status.dwMemoryLoad);
  PhysicalTotal = static_cast<std::int64_t>(status.ullTotalPhys);
  PhysicalFree = static_cast<std::int64_t>(status.ullAvailPhys);
  VirtualTotal = static_cast<std::int64_t>(status.ullTotalVirtual);
  VirtualFree = static_cast<std::int64_t>(status.ullAvailVirtual);
  PageFileTotal = static_cast<std::int64_t>(status.ullTotalPageFile);
  PageFileFree = static_cast<std::int64_t>(status.ullAvailPageFile);

  platform::SystemInfo info;
  platform::GetSystemInformation(info);
  AllocGranularity = info.dwAllocationGranularity;
  MaxAppAddress = static_cast<std::int64_t>(info.lpMaximumApplicationAddress);
  MinAppAddress = static_cast<std::int64_t>(info.lpMinimumApplicationAddress);
  PageSize = info.dwPageSize;

  Win9x_SystemRes = SystemResources();
  Win9x_GDIRes = GDIResources();
  Win9x_UserRes = UserResources();
}

void TMemory::Publish(PropertyWriter& w) const {
  w.Integer("PhysicalTotal", PhysicalTotal);
  w.Integer("PhysicalFree", PhysicalFree);
  w.Integer("VirtualTotal", VirtualTotal);
  w.Integer("VirtualFree", VirtualFree);
  w.Integer("PageFileTotal", PageFileTotal);
  w.Integer("PageFileFree", PageFileFree);
  w.Integer("MemoryLoad", MemoryLoad);
  w.Integer("AllocGranularity", AllocGranularity);
  w.Integer("MaxAppAddress", MaxAppAddress);
  w.Integer("MinAppAddress", MinAppAddress);
  w.Integer("PageSize", PageSize);
  w.Integer("Win9x_SystemRes", Win9x_SystemRes);
  w.Integer("Win9x_GDIRes", Win9x_GDIRes);
  w.Integer("Win9x_UserRes", Win9x_UserRes);
}

}  // namespace qor
