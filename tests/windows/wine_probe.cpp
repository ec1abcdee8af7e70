// Prints what the Windows API of the running prefix reports, one "key values" line
// per figure, for the Wine suite to compare the program's output with. Test tool
// only: it calls the API directly.
// winsock2.h must come before windows.h.
// clang-format off
#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>
#include <winspool.h>
// clang-format on

#include <cstdio>
#include <vector>

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

  HKEY cpu = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0", 0,
                    KEY_READ, &cpu) == ERROR_SUCCESS) {
    size = sizeof name;
    DWORD type = 0;
    if (RegQueryValueExA(cpu, "VendorIdentifier", nullptr, &type, reinterpret_cast<BYTE*>(name),
                         &size) == ERROR_SUCCESS &&
        type == REG_SZ)
      std::printf("cpu-vendor %s\n", name);
    RegCloseKey(cpu);
  }

  // The local host's first address, as the sockets layer resolves its name.
  WSADATA wsa;
  if (WSAStartup(MAKEWORD(1, 1), &wsa) == 0) {
    char host[256] = {};
    hostent* entry = gethostname(host, sizeof host) == 0 ? gethostbyname(host) : nullptr;
    if (entry && entry->h_addr_list[0])
      std::printf("ip %s\n", inet_ntoa(*reinterpret_cast<in_addr*>(entry->h_addr_list[0])));
    WSACleanup();
  }

  // Every adapter's hardware address.
  ULONG length = 0;
  GetAdaptersInfo(nullptr, &length);
  std::vector<unsigned char> buffer(length ? length : 1);
  auto* adapters = reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data());
  std::printf("macs");
  if (length && GetAdaptersInfo(adapters, &length) == ERROR_SUCCESS) {
    for (auto* a = adapters; a; a = a->Next) {
      if (a->AddressLength != 6) continue;
      std::printf(" %02x:%02x:%02x:%02x:%02x:%02x", a->Address[0], a->Address[1], a->Address[2],
                  a->Address[3], a->Address[4], a->Address[5]);
    }
  }
  std::printf("\n");

  size = sizeof name;
  std::printf("default-printer %s\n", GetDefaultPrinterA(name, &size) ? name : "");
  return 0;
}
