// Prints what the Windows API of the running prefix reports, one "key values" line
// per figure, for the Wine suite to compare the program's output with. Test tool
// only: it calls the API directly.
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

  std::printf("ticks %llu\n", static_cast<unsigned long long>(GetTickCount64()));

  char name[256] = {};
  DWORD size = sizeof name;
  if (!GetComputerNameA(name, &size)) return 1;
  std::printf("computer %s\n", name);
  size = sizeof name;
  if (!GetUserNameA(name, &size)) return 1;
  std::printf("user %s\n", name);

  HDC screen = GetDC(nullptr);
  if (!screen) return 1;
  std::printf("screen %d %d %d\n", GetDeviceCaps(screen, HORZRES), GetDeviceCaps(screen, VERTRES),
              GetDeviceCaps(screen, BITSPIXEL));
  ReleaseDC(nullptr, screen);
  return 0;
}
