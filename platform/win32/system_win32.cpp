#include <windows.h>
// Must follow windows.h.
#include <objidl.h>
#include <shlobj.h>

#include <cstring>

#include "platform/system.h"

namespace qor::platform {
namespace {

using GetTickCount64Fn = ULONGLONG(WINAPI*)();

IShellLinkA* AsLink(ComObject object) {
  return reinterpret_cast<IShellLinkA*>(object);
}
IPersistFile* AsFile(ComObject object) {
  return reinterpret_cast<IPersistFile*>(object);
}

// The end of the first megabyte, where the BIOS ROM image ends.
constexpr ULONG_PTR kFirstMegabyteEnd = 0x100000;

// Only the 9x kernel maps the ROM image into every process. A kernel of the NT
// kind (NT itself, or one that merely reports a 9x version) loads ntdll.dll into
// every process and may keep anything at those addresses, the main thread's stack
// included, so the image counts as absent there.
bool BiosImageMapped() {
  return GetModuleHandleA("ntdll.dll") == nullptr;
}

}  // namespace

bool QueryComputerName(std::string& name) {
  char buffer[255] = {};
  DWORD size = sizeof buffer;
  if (!GetComputerNameA(buffer, &size)) return false;
  name.assign(buffer, strnlen(buffer, sizeof buffer));
  return true;
}

bool QueryUserName(std::string& name) {
  char buffer[255] = {};
  DWORD size = sizeof buffer;
  if (!GetUserNameA(buffer, &size)) return false;
  name.assign(buffer, strnlen(buffer, sizeof buffer));
  return true;
}

bool QueryWindowsFolder(std::string& path) {
  char buffer[MAX_PATH] = {};
  UINT length = GetWindowsDirectoryA(buffer, sizeof buffer);
  if (length == 0 || length >= sizeof buffer) return false;
  path.assign(buffer, strnlen(buffer, sizeof buffer));
  return true;
}

// The 64-bit count exists only on later systems, so it is bound by name; the
// systems without it keep the 32-bit count, which wraps after about 49.7 days.
std::uint64_t MillisecondsSinceBoot() {
  HMODULE kernel = GetModuleHandleA("kernel32.dll");
  auto wide = kernel ? reinterpret_cast<GetTickCount64Fn>(
                           reinterpret_cast<void*>(GetProcAddress(kernel, "GetTickCount64")))
                     : nullptr;
  if (wide) return wide();
  return GetTickCount();
}

void ReadLocalClock(SystemTime& now) {
  SYSTEMTIME raw = {};
  GetLocalTime(&raw);
  now.wYear = raw.wYear;
  now.wMonth = raw.wMonth;
  now.wDayOfWeek = raw.wDayOfWeek;
  now.wDay = raw.wDay;
  now.wHour = raw.wHour;
  now.wMinute = raw.wMinute;
  now.wSecond = raw.wSecond;
  now.wMilliseconds = raw.wMilliseconds;
}

bool ReadKeyboardState(std::uint8_t (&state)[kKeyStateSize]) {
  std::memset(state, 0, kKeyStateSize);
  BYTE raw[kKeyStateSize] = {};
  if (!GetKeyboardState(raw)) return false;
  std::memcpy(state, raw, kKeyStateSize);
  return true;
}

// The 9x family maps the first megabyte, BIOS ROM included, into every process at
// its physical addresses. The text never runs past that megabyte, and a window the
// system cannot read gives no text rather than a fault.
std::string ReadBiosText(std::uint32_t physicalAddress) {
  if (!BiosImageMapped() || physicalAddress >= kFirstMegabyteEnd) return {};
  const auto* address = reinterpret_cast<const char*>(static_cast<ULONG_PTR>(physicalAddress));
  const UINT_PTR window = kFirstMegabyteEnd - physicalAddress;
  if (IsBadReadPtr(address, window)) return {};
  return std::string(address, strnlen(address, window));
}

std::uint32_t FileVersionInfoSize(const char* fileName) {
  DWORD handle = 0;
  return GetFileVersionInfoSizeA(const_cast<char*>(fileName), &handle);
}

bool ReadFileVersionInfo(const char* fileName, std::vector<std::uint8_t>& block) {
  return GetFileVersionInfoA(const_cast<char*>(fileName), 0, static_cast<DWORD>(block.size()),
                             block.data()) != FALSE;
}

bool QueryFixedFileVersion(const std::vector<std::uint8_t>& block, std::uint32_t& versionMS,
                           std::uint32_t& versionLS) {
  void* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(const_cast<std::uint8_t*>(block.data()), const_cast<char*>("\\"), &value,
                      &length) ||
      !value || length < sizeof(VS_FIXEDFILEINFO))
    return false;
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
  versionMS = fixed->dwFileVersionMS;
  versionLS = fixed->dwFileVersionLS;
  return true;
}

bool QueryVersionText(const std::vector<std::uint8_t>& block, const char* subBlock,
                      std::string& text) {
  void* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(const_cast<std::uint8_t*>(block.data()), const_cast<char*>(subBlock), &value,
                      &length) ||
      !value)
    return false;
  const char* chars = static_cast<const char*>(value);
  // The length counts characters; the text still ends at its first zero.
  text.assign(chars, strnlen(chars, length));
  return true;
}

HResult ComInitialize() {
  return CoInitialize(nullptr);
}
void ComUninitialize() {
  CoUninitialize();
}

HResult CreateShellLinkObject(ComObject* link) {
  void* object = nullptr;
  HRESULT hr =
      CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, &object);
  *link = SUCCEEDED(hr) ? reinterpret_cast<ComObject>(object) : 0;
  return hr;
}

HResult QueryPersistFile(ComObject link, ComObject* file) {
  void* object = nullptr;
  HRESULT hr = AsLink(link)->QueryInterface(IID_IPersistFile, &object);
  *file = SUCCEEDED(hr) ? reinterpret_cast<ComObject>(object) : 0;
  return hr;
}

void ReleaseComObject(ComObject object) {
  if (object) reinterpret_cast<IUnknown*>(object)->Release();
}

HResult LoadPersistFile(ComObject file, const std::string& fileName) {
  WCHAR wide[520] = {};
  MultiByteToWideChar(CP_ACP, 0, fileName.c_str(), -1, wide, 520);
  wide[519] = 0;
  return AsFile(file)->Load(wide, 0);
}

HResult ResolveLinkTarget(ComObject link, std::uint32_t flags) {
  return AsLink(link)->Resolve(nullptr, flags);
}

HResult ReadLinkPath(ComObject link, std::uint32_t flags, std::string& path) {
  char buffer[MAX_PATH] = {};
  WIN32_FIND_DATAA found = {};
  HRESULT hr = AsLink(link)->GetPath(buffer, MAX_PATH, &found, flags);
  if (SUCCEEDED(hr)) path.assign(buffer, strnlen(buffer, sizeof buffer));
  return hr;
}

HResult ReadLinkArguments(ComObject link, std::string& arguments) {
  char buffer[255] = {};
  HRESULT hr = AsLink(link)->GetArguments(buffer, sizeof buffer);
  if (SUCCEEDED(hr)) arguments.assign(buffer, strnlen(buffer, sizeof buffer));
  return hr;
}

}  // namespace qor::platform
