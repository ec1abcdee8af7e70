#pragma once
// Small questions about the system: names, folders, clocks, the keyboard, the BIOS
// image, version resources and shortcut files.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qor::platform {

// The computer's network name (at most 254 characters); false when the system
// cannot tell.
bool QueryComputerName(std::string& name);
// The name of the account the program runs as (at most 254 characters); false when
// the system cannot tell.
bool QueryUserName(std::string& name);
// The Windows folder (at most 259 characters); false when there is none.
bool QueryWindowsFolder(std::string& path);

// Milliseconds since the system started. Where the system keeps only a 32-bit
// count, the count wraps after 2^32 ms (about 49.7 days).
std::uint64_t MillisecondsSinceBoot();

// The platform's date and time record; wDayOfWeek 0 is Sunday.
struct SystemTime {
  std::uint16_t wYear = 0;
  std::uint16_t wMonth = 0;
  std::uint16_t wDayOfWeek = 0;
  std::uint16_t wDay = 0;
  std::uint16_t wHour = 0;
  std::uint16_t wMinute = 0;
  std::uint16_t wSecond = 0;
  std::uint16_t wMilliseconds = 0;
};
// The current local date and time.
void ReadLocalClock(SystemTime& now);

// One state byte per virtual-key code: bit 0 = toggled on, bit 7 = held down.
inline constexpr int kKeyStateSize = 256;
inline constexpr int kVkCapital = 0x14;
inline constexpr int kVkNumLock = 0x90;
inline constexpr int kVkScroll = 0x91;
// Fills all 256 bytes (zeros where the system cannot tell); false when it refuses.
bool ReadKeyboardState(std::uint8_t (&state)[kKeyStateSize]);

// Fixed physical addresses of texts in the BIOS ROM image.
inline constexpr std::uint32_t kBiosNameAddress = 0xFE061;
inline constexpr std::uint32_t kBiosCopyrightAddress = 0xFE091;
inline constexpr std::uint32_t kBiosExtendedInfoAddress = 0xFEC71;
inline constexpr std::uint32_t kBiosDateAddress = 0xFFFF5;
// The zero-terminated text at a physical address of the BIOS ROM image; empty where
// the image is not readable.
std::string ReadBiosText(std::uint32_t physicalAddress);

// Version resources of executable files. The block is opaque: only the query
// functions below read it.
// The size of the file's version resource; 0 when it has none.
std::uint32_t FileVersionInfoSize(const char* fileName);
// Reads the resource into block (of the size asked for); false on failure.
bool ReadFileVersionInfo(const char* fileName, std::vector<std::uint8_t>& block);
// The fixed file information's dwFileVersionMS and dwFileVersionLS.
bool QueryFixedFileVersion(const std::vector<std::uint8_t>& block, std::uint32_t& versionMS,
                           std::uint32_t& versionLS);
// A text of the string table, by sub-block path ("\StringFileInfo\040904E4\...").
bool QueryVersionText(const std::vector<std::uint8_t>& block, const char* subBlock,
                      std::string& text);

// The shell link object, step by step. Results are status codes (HRESULT): 0 and
// other non-negative values succeed.
using ComObject = std::uintptr_t;
using HResult = std::int32_t;
inline constexpr HResult kNotImplemented = static_cast<HResult>(0x80004001u);  // E_NOTIMPL
HResult ComInitialize();
void ComUninitialize();
HResult CreateShellLinkObject(ComObject* link);
HResult QueryPersistFile(ComObject link, ComObject* file);
void ReleaseComObject(ComObject object);
// The file name is converted to UTF-16, at most 520 characters.
HResult LoadPersistFile(ComObject file, const std::string& fileName);
HResult ResolveLinkTarget(ComObject link, std::uint32_t flags);
// The target path (at most 259 characters), asked for with these flags.
HResult ReadLinkPath(ComObject link, std::uint32_t flags, std::string& path);
// The argument text (at most 254 characters).
HResult ReadLinkArguments(ComObject link, std::string& arguments);

}  // namespace qor::platform
