#pragma once
// The fake machine's answers to the questions of platform/os.h.
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/os.h"

namespace qor::fake {

struct OsState {
  // The raw block, zeros included (see SetEnvironment).
  std::string environment;
  std::string systemFolder;  // empty: the call fails
  std::string tempFolder;    // empty: the call fails
  platform::WindowHandle desktop = 0x10010;
  // CSIDL -> path; a folder not listed has no path.
  std::map<int, std::string> specialFolders;
  // Every special-folder query as (owner, folder), in order.
  std::vector<std::pair<platform::WindowHandle, int>> folderQueries;
  platform::TimeZoneRecord timeZone;
};

OsState& Os();

// Builds the environment block from entries: each ended by a zero, the block by one more.
void SetEnvironment(const std::vector<std::string>& entries);
// Sets a zone name from 8-bit text (at most 31 characters kept).
void SetZoneName(char16_t (&name)[32], std::string_view text);

}  // namespace qor::fake
