// How long the clock measurement takes and how far its result lies from the
// processor's nominal clock. A plain timing program, so it runs natively and under
// Wine alike: cpu_clock_bench [runs] [nominal MHz]. Without a nominal clock on the
// command line it takes the one the platform states (the registry's "~MHz" on
// Windows, the kernel's TSC figure in /proc/cpuinfo on Linux).
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "base/registry.h"
#include "info/cpu_clock.h"
#include "platform/cpu.h"

namespace {

double NominalMHz() {
#ifdef _WIN32
  qor::TRegistry reg;
  reg.RootKey = qor::platform::kHKeyLocalMachine;
  if (reg.OpenKeyReadOnly("\\HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0") &&
      reg.ValueExists("~MHz"))
    return reg.ReadInteger("~MHz");
#else
  std::ifstream in("/proc/cpuinfo");
  std::string line;
  while (std::getline(in, line))
    if (line.rfind("cpu MHz", 0) == 0) return std::atof(line.substr(line.find(':') + 1).c_str());
#endif
  return 0;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::atoi(argv[1]) : 50;
  const double nominal = argc > 2 ? std::atof(argv[2]) : NominalMHz();

  // What one counter reading costs, in counter ticks.
  std::uint64_t frequency = 0;
  qor::platform::ReadCounterFrequency(frequency);
  const std::uint64_t t0 = qor::platform::ReadCounter();
  std::uint64_t reads = 0;
  while (qor::platform::ReadCounter() - t0 < frequency / 100) ++reads;
  std::printf("counter: %llu Hz, %.1f ns per reading\n", static_cast<unsigned long long>(frequency),
              1e7 / static_cast<double>(reads));

  std::vector<double> millis, windows, rawError, error;
  std::map<int, int> results;
  for (int i = 0; i < runs; ++i) {
    const auto start = std::chrono::steady_clock::now();
    const qor::ClockMeasurement m = qor::MeasureClock();
    const auto stop = std::chrono::steady_clock::now();
    millis.push_back(std::chrono::duration<double, std::milli>(stop - start).count());
    ++results[m.normalised];
    windows.push_back(m.microseconds);
    // The windows' total shows how many passes ran and whether one was stretched.
    if (nominal > 0 && std::fabs(m.normalised - nominal) / nominal > 0.01)
      std::printf("  off by more than 1 %%: %d MHz (raw %d) over %u us, %u cycles\n", m.normalised,
                  m.raw, m.microseconds, m.cycles);
    if (nominal > 0) {
      rawError.push_back(std::fabs(m.raw - nominal) / nominal * 100);
      error.push_back(std::fabs(m.normalised - nominal) / nominal * 100);
    }
  }
  std::printf("runs: %d, median time %.3f ms, slowest %.3f ms\n", runs, Median(millis),
              *std::max_element(millis.begin(), millis.end()));
  std::printf("median measured window total: %.0f us (1000 ticks are %.0f us)\n", Median(windows),
              1e9 / static_cast<double>(frequency));
  std::printf("nominal clock: %.3f MHz\n", nominal);
  if (nominal > 0) {
    std::printf(
        "distance from nominal: raw median %.3f %%, max %.3f %%; snapped median %.3f %%, max %.3f "
        "%%\n",
        Median(rawError), *std::max_element(rawError.begin(), rawError.end()), Median(error),
        *std::max_element(error.begin(), error.end()));
  }
  for (auto [mhz, count] : results) std::printf("  %d MHz: %d\n", mhz, count);
  return 0;
}
