// The win32 processor, counter and priority calls against the real API (Wine's, when
// the suite runs them).
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "info/cpu_decode.h"
#include "platform/cpu.h"

namespace qor {
namespace {

TEST(CpuWin32Test, TheVendorSignatureIsTheOneTheRegistryNames) {
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0",
                          0, KEY_READ, &key),
            ERROR_SUCCESS);
  char vendor[64] = {};
  DWORD size = sizeof vendor - 1;
  const LONG read = RegQueryValueExA(key, "VendorIdentifier", nullptr, nullptr,
                                     reinterpret_cast<BYTE*>(vendor), &size);
  RegCloseKey(key);
  ASSERT_EQ(read, ERROR_SUCCESS);
  const platform::CpuidRegisters leaf0 = platform::QueryCpuid(0);
  EXPECT_EQ(DecodeVendorSignature(leaf0.ebx, leaf0.edx, leaf0.ecx), std::string(vendor));
}

TEST(CpuWin32Test, TheCounterIsThePerformanceCounter) {
  LARGE_INTEGER frequency = {};
  ASSERT_TRUE(QueryPerformanceFrequency(&frequency));
  std::uint64_t ours = 0;
  ASSERT_TRUE(platform::ReadCounterFrequency(ours));
  EXPECT_EQ(ours, static_cast<std::uint64_t>(frequency.QuadPart));
  LARGE_INTEGER before = {}, after = {};
  QueryPerformanceCounter(&before);
  const std::uint64_t counter = platform::ReadCounter();
  QueryPerformanceCounter(&after);
  EXPECT_GE(counter, static_cast<std::uint64_t>(before.QuadPart));
  EXPECT_LE(counter, static_cast<std::uint64_t>(after.QuadPart));
  const std::uint64_t s0 = platform::ReadTimeStamp();
  EXPECT_GT(platform::ReadTimeStamp(), s0);
}

TEST(CpuWin32Test, ThePriorityIsRaisedAndRestored) {
  const platform::ThreadHandle thread = platform::CurrentThreadHandle();
  const int before = GetThreadPriority(GetCurrentThread());
  EXPECT_EQ(platform::ReadThreadPriority(thread), before);
  ASSERT_TRUE(platform::WriteThreadPriority(thread, platform::kThreadPriorityTimeCritical));
  EXPECT_EQ(GetThreadPriority(GetCurrentThread()), THREAD_PRIORITY_TIME_CRITICAL);
  ASSERT_TRUE(platform::WriteThreadPriority(thread, before));
  EXPECT_EQ(GetThreadPriority(GetCurrentThread()), before);
}

}  // namespace
}  // namespace qor
