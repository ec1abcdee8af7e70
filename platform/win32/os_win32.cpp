#include <shlobj.h>
#include <windows.h>

#include <cstring>

#include "platform/os.h"

namespace qor::platform {
namespace {

// A folder call into a buffer of MAX_PATH characters; a longer path counts as a failure.
template <class Call>
bool FolderInto(std::string& path, Call call) {
  char buffer[MAX_PATH] = {};
  UINT length = call(buffer, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return false;
  path.assign(buffer, strnlen(buffer, sizeof buffer));
  return true;
}

SystemTime FromNative(const SYSTEMTIME& t) {
  return SystemTime{t.wYear, t.wMonth,  t.wDayOfWeek, t.wDay,
                    t.wHour, t.wMinute, t.wSecond,    t.wMilliseconds};
}

}  // namespace

std::string ReadEnvironmentBlock() {
  char* block = GetEnvironmentStringsA();
  if (block == nullptr) return {};
  // The block ends with an empty entry: two zeros in a row (one for an empty block).
  const char* end = block;
  while (*end != '\0') end += std::strlen(end) + 1;
  std::string whole(block, static_cast<std::size_t>(end - block) + 1);
  FreeEnvironmentStringsA(block);
  return whole;
}

bool QuerySystemFolder(std::string& path) {
  return FolderInto(path, [](char* b, UINT n) { return GetSystemDirectoryA(b, n); });
}

bool QueryTempFolder(std::string& path) {
  return FolderInto(path, [](char* b, UINT n) { return static_cast<UINT>(GetTempPathA(n, b)); });
}

char PathDelimiter() {
  return '\\';
}

WindowHandle DesktopWindowHandle() {
  return reinterpret_cast<WindowHandle>(GetDesktopWindow());
}

bool QuerySpecialFolder(WindowHandle owner, int folder, std::string& path) {
  LPITEMIDLIST list = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(reinterpret_cast<HWND>(owner), folder, &list)) ||
      list == nullptr)
    return false;
  char buffer[MAX_PATH] = {};
  bool ok = SHGetPathFromIDListA(list, buffer) != FALSE;
  // The item list belongs to the shell's allocator, which exists on every shell version.
  IMalloc* allocator = nullptr;
  if (SUCCEEDED(SHGetMalloc(&allocator)) && allocator != nullptr) {
    allocator->Free(list);
    allocator->Release();
  }
  if (!ok) return false;
  path.assign(buffer, strnlen(buffer, sizeof buffer));
  return true;
}

void ReadTimeZone(TimeZoneRecord& zone) {
  TIME_ZONE_INFORMATION raw;
  std::memset(&raw, 0, sizeof raw);
  GetTimeZoneInformation(&raw);
  zone.Bias = raw.Bias;
  zone.StandardBias = raw.StandardBias;
  zone.DaylightBias = raw.DaylightBias;
  zone.StandardDate = FromNative(raw.StandardDate);
  zone.DaylightDate = FromNative(raw.DaylightDate);
  for (int i = 0; i < 32; ++i) {
    zone.StandardName[i] = static_cast<char16_t>(raw.StandardName[i]);
    zone.DaylightName[i] = static_cast<char16_t>(raw.DaylightName[i]);
  }
}

}  // namespace qor::platform
