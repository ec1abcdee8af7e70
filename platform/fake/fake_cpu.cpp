#include "platform/fake/fake_cpu.h"

#include <cstring>

#include "platform/fake/fake_machine.h"

namespace qor::fake {
namespace {

Cpu& Storage() {
  static Cpu cpu;
  return cpu;
}

const bool registered = OnReset([] { Storage() = Cpu{}; });

// The next scripted reading, or the last one plus the step.
std::uint64_t Next(std::deque<std::uint64_t>& script, std::uint64_t& last, std::uint64_t step) {
  if (!script.empty()) {
    last = script.front();
    script.pop_front();
  } else {
    last += step;
  }
  return last;
}

}  // namespace

Cpu& CurrentCpu() {
  return Storage();
}

void SetCpuid(std::uint32_t leaf, platform::CpuidRegisters registers) {
  Storage().leaves[leaf] = {registers};
}

void AddCpuid(std::uint32_t leaf, platform::CpuidRegisters registers) {
  Storage().leaves[leaf].push_back(registers);
}

void SetVendorSignature(const char (&signature)[13]) {
  platform::CpuidRegisters r = {};
  if (auto it = Storage().leaves.find(0); it != Storage().leaves.end() && !it->second.empty())
    r = it->second.back();
  std::memcpy(&r.ebx, signature, 4);
  std::memcpy(&r.edx, signature + 4, 4);
  std::memcpy(&r.ecx, signature + 8, 4);
  SetCpuid(0, r);
}

void ScriptMeasurePass(std::uint64_t windowTicks, std::uint64_t cycles, std::uint64_t settleTicks) {
  Cpu& cpu = Storage();
  std::uint64_t c = cpu.counter.empty() ? cpu.lastCounter : cpu.counter.back();
  std::uint64_t s = cpu.timeStamp.empty() ? cpu.lastTimeStamp : cpu.timeStamp.back();
  // The pass's first reading, the one that ends the settle, the one that ends the window.
  cpu.counter.insert(cpu.counter.end(),
                     {c + 7, c + 7 + settleTicks, c + 7 + settleTicks + windowTicks});
  cpu.timeStamp.insert(cpu.timeStamp.end(), {s + 12345, s + 12345 + cycles});
}

}  // namespace qor::fake

namespace qor::platform {

using fake::CurrentCpu;

CpuidRegisters QueryCpuid(std::uint32_t leaf) {
  auto& cpu = CurrentCpu();
  ++cpu.queries[leaf];
  auto it = cpu.leaves.find(leaf);
  if (it == cpu.leaves.end() || it->second.empty()) return {};
  CpuidRegisters r = it->second.front();
  if (it->second.size() > 1) it->second.pop_front();
  return r;
}

std::uint64_t ReadTimeStamp() {
  auto& cpu = CurrentCpu();
  ++cpu.timeStampReads;
  return fake::Next(cpu.timeStamp, cpu.lastTimeStamp, cpu.timeStampStep);
}

bool ReadCounterFrequency(std::uint64_t& ticksPerSecond) {
  if (!CurrentCpu().hasCounter) return false;
  ticksPerSecond = CurrentCpu().counterFrequency;
  return true;
}

std::uint64_t ReadCounter() {
  auto& cpu = CurrentCpu();
  ++cpu.counterReads;
  return fake::Next(cpu.counter, cpu.lastCounter, cpu.counterStep);
}

ThreadHandle CurrentThreadHandle() {
  return 0xFFFFFFFEu;
}

int ReadThreadPriority(ThreadHandle) {
  auto& cpu = CurrentCpu();
  return cpu.priorityReadRefused ? kThreadPriorityErrorReturn : cpu.priority;
}

bool WriteThreadPriority(ThreadHandle, int priority) {
  auto& cpu = CurrentCpu();
  if (cpu.priorityWriteRefused) return false;
  cpu.priority = priority;
  cpu.priorityWrites.push_back(priority);
  return true;
}

}  // namespace qor::platform
