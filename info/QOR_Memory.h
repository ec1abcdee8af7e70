#pragma once
// TMemory: physical memory, page file, address space and page figures.
#include <cstdint>

#include "base/persistent.h"

namespace qor {

class TMemory : public TInfoClass {
 public:
  const char* ClassName() const override { return "TMemory"; }
  void GetInfo() override;
  void Publish(PropertyWriter& w) const override;

  // Byte counts and addresses are 64-bit so machines past 2 GB read true.
  std::int64_t MaxAppAddress = 0;
  std::int64_t VirtualTotal = 0;
  std::int64_t PageFileFree = 0;
  std::int64_t VirtualFree = 0;
  std::int64_t PhysicalFree = 0;
  std::int64_t AllocGranularity = 0;
  std::int64_t MinAppAddress = 0;
  std::int32_t MemoryLoad = 0;
  std::int64_t PhysicalTotal = 0;
  std::int64_t PageFileTotal = 0;
  std::int64_t PageSize = 0;
  std::uint8_t Win9x_GDIRes = 0;
  std::uint8_t Win9x_UserRes = 0;
  std::uint8_t Win9x_SystemRes = 0;
};

}  // namespace qor
