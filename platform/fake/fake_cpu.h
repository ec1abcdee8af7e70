#pragma once
// The fake processor: identification answers scripted per leaf, and counter and
// time-stamp readings scripted so a test can drive the clock measurement pass by pass.
#include <cstdint>
#include <deque>
#include <map>
#include <vector>

#include "platform/cpu.h"

namespace qor::fake {

struct Cpu {
  // Answers per leaf, used in turn; the last one repeats. Unscripted leaves answer zeros.
  std::map<std::uint32_t, std::deque<platform::CpuidRegisters>> leaves;
  // How often each leaf was queried.
  std::map<std::uint32_t, int> queries;

  bool hasCounter = true;
  std::uint64_t counterFrequency = 1000000;
  // Readings used in turn; once spent, each further reading adds its step to the last,
  // so an unscripted measurement runs 1000-tick windows of 1 000 000 cycles (1000 MHz).
  std::deque<std::uint64_t> counter;
  std::deque<std::uint64_t> timeStamp;
  std::uint64_t counterStep = 1000;
  std::uint64_t timeStampStep = 1000000;
  std::uint64_t lastCounter = 0;
  std::uint64_t lastTimeStamp = 0;
  int counterReads = 0;
  int timeStampReads = 0;

  // The thread's priority; a refused read answers the error value, a refused write
  // leaves it. Every accepted write is recorded.
  int priority = platform::kThreadPriorityNormal;
  bool priorityReadRefused = false;
  bool priorityWriteRefused = false;
  std::vector<int> priorityWrites;
};

Cpu& CurrentCpu();

// Replaces a leaf's answers by one, or appends one to be given after the others.
void SetCpuid(std::uint32_t leaf, platform::CpuidRegisters registers);
void AddCpuid(std::uint32_t leaf, platform::CpuidRegisters registers);
// Leaf 0's vendor signature: twelve characters spread over EBX, EDX, ECX.
void SetVendorSignature(const char (&signature)[13]);

// Scripts the readings of one measuring pass: a settle of settleTicks, then a window
// of windowTicks counter ticks across which the time stamp advances by cycles.
void ScriptMeasurePass(std::uint64_t windowTicks, std::uint64_t cycles,
                       std::uint64_t settleTicks = 50);

}  // namespace qor::fake
