#include "platform/fake/fake_machine.h"

#include <cstring>

#include "platform/console.h"
#include "platform/shared_answers.h"
#include "platform/text.h"

namespace qor::fake {
namespace {

Machine& MachineStorage() {
  static Machine machine;
  return machine;
}
std::vector<void (*)()>& Resetters() {
  static std::vector<void (*)()> resetters;
  return resetters;
}
int& OtherHandles() {
  static int count = 0;
  return count;
}

}  // namespace

Machine& Current() {
  return MachineStorage();
}

FakeRegistry& Registry() {
  static FakeRegistry registry;
  return registry;
}

void Reset() {
  MachineStorage() = Machine{};
  Registry().Clear();
  OtherHandles() = 0;
  for (auto reset : Resetters()) reset();
}

bool OnReset(void (*reset)()) {
  Resetters().push_back(reset);
  return true;
}

void SetVersion(std::uint32_t platformId, std::uint32_t major, std::uint32_t minor,
                std::uint32_t build, std::string_view service) {
  platform::OsVersionInfo& v = Current().version;
  v = platform::OsVersionInfo{};
  v.dwPlatformId = platformId;
  v.dwMajorVersion = major;
  v.dwMinorVersion = minor;
  v.dwBuildNumber = build;
  std::memcpy(v.szCSDVersion, service.data(), service.size() < 127 ? service.size() : 127);
}

int OpenHandles() {
  return Registry().OpenKeys() + OtherHandles();
}
void HandleOpened() {
  ++OtherHandles();
}
void HandleClosed() {
  --OtherHandles();
}

}  // namespace qor::fake

namespace qor::platform {

using fake::Current;

bool GetVersionRecord(OsVersionInfo& info) {
  if (info.dwOSVersionInfoSize != kVersionInfoSize &&
      info.dwOSVersionInfoSize != kVersionInfoExSize)
    return false;
  if (Current().versionRefused) return false;
  if (info.dwOSVersionInfoSize == kVersionInfoExSize && Current().versionExRefused) return false;
  std::uint32_t size = info.dwOSVersionInfoSize;
  info = Current().version;
  info.dwOSVersionInfoSize = size;
  if (size == kVersionInfoSize) {
    info.wServicePackMajor = info.wServicePackMinor = info.wSuiteMask = 0;
    info.wProductType = info.wReserved = 0;
  }
  return true;
}

void GetMemoryStatus(MemoryStatus& status) {
  status = Current().memory;
}
void GetSystemInformation(SystemInfo& info) {
  info = Current().system;
}

void ConsoleWrite(std::string_view text) {
  Current().output.append(text);
}
void ConsoleWriteLine(std::string_view text) {
  Current().output.append(text);
  Current().output.append(Current().lineEnd);
}
void ConsoleFlush() {}
bool ConsoleReadLine(std::string& line) {
  line.clear();
  if (Current().input.empty()) return false;
  line = Current().input.front();
  Current().input.pop_front();
  return true;
}
bool IsConsoleProgram() {
  return Current().isConsole;
}
int ShowMessageBox(std::string_view text, std::string_view caption, unsigned style) {
  Current().messageBoxes.push_back(std::string(caption) + "|" + std::string(text) + "|" +
                                   std::to_string(style));
  return 1;
}

int CompareTextNoCase(std::string_view a, std::string_view b) {
  return CompareAsciiNoCase(a, b);
}
char DecimalSeparator() {
  return Current().decimalSeparator;
}

}  // namespace qor::platform
