#include <gtest/gtest.h>

#include "fake_test.h"
#include "info/QOR_Memory.h"

namespace qor {
namespace {

using MemoryTest = test::FakeMachineTest;

TEST_F(MemoryTest, TakesEveryFigureAsThePlatformGivesIt) {
  auto& m = machine().memory;
  m.dwMemoryLoad = 37;
  m.ullTotalPhys = 25ull << 30;  // past 4 GB: no wrapping
  m.ullAvailPhys = 123456789;
  m.ullTotalPageFile = 3;
  m.ullAvailPageFile = 4;
  m.ullTotalVirtual = 0x7FFE0000;
  m.ullAvailVirtual = 6;
  auto& s = machine().system;
  s.dwPageSize = 4096;
  s.dwAllocationGranularity = 65536;
  s.lpMinimumApplicationAddress = 0x10000;
  s.lpMaximumApplicationAddress = 0x7FFEFFFF;

  TMemory memory;
  memory.Win9x_GDIRes = 9;
  memory.GetInfo();
  EXPECT_EQ(memory.MemoryLoad, 37);
  EXPECT_EQ(memory.PhysicalTotal, 25ll << 30);
  EXPECT_EQ(memory.PhysicalFree, 123456789);
  EXPECT_EQ(memory.PageFileTotal, 3);
  EXPECT_EQ(memory.PageFileFree, 4);
  EXPECT_EQ(memory.VirtualTotal, 0x7FFE0000);
  EXPECT_EQ(memory.VirtualFree, 6);
  EXPECT_EQ(memory.PageSize, 4096);
  EXPECT_EQ(memory.AllocGranularity, 65536);
  EXPECT_EQ(memory.MinAppAddress, 0x10000);
  EXPECT_EQ(memory.MaxAppAddress, 0x7FFEFFFF);
  EXPECT_EQ(memory.Win9x_GDIRes, 0);
  EXPECT_EQ(memory.Win9x_SystemRes, 0);
  EXPECT_EQ(memory.Win9x_UserRes, 0);
}

}  // namespace
}  // namespace qor
