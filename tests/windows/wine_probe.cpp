// Prints what the Windows API of the running prefix reports, for the Wine suite to
// compare the program's output with. Test tool only: it calls the API directly.
#include <windows.h>

#include <cstdio>

int main() {
  MEMORYSTATUSEX memory = {};
  memory.dwLength = sizeof memory;
  if (!GlobalMemoryStatusEx(&memory)) return 1;
  std::printf("memory %llu %llu\n", static_cast<unsigned long long>(memory.ullTotalPhys),
              static_cast<unsigned long long>(memory.ullAvailPhys));

  OSVERSIONINFOA version = {};
  version.dwOSVersionInfoSize = sizeof version;
  if (!GetVersionExA(&version)) return 1;
  std::printf("version %lu %lu %lu %lu %s\n", version.dwMajorVersion, version.dwMinorVersion,
              version.dwBuildNumber, version.dwPlatformId, version.szCSDVersion);
  return 0;
}
