#include "routines/environment_folders.h"

namespace qor {

void ReadEnvironment(TStringList& list) {
  list.Clear();
  const std::string block = platform::ReadEnvironmentBlock();
  std::string entry;
  for (char c : block) {
    if (c != '\0') {
      entry += c;
      continue;
    }
    if (entry.empty()) return;  // the empty entry ends the block
    list.Add(std::move(entry));
    entry.clear();
  }
  // A block cut short still gives its last entry rather than losing it.
  if (!entry.empty()) list.Add(std::move(entry));
}

std::string GetSpecialFolderPath(platform::WindowHandle owner, int folder) {
  std::string path;
  if (!platform::QuerySpecialFolder(owner, folder, path)) return {};
  return path;
}

}  // namespace qor
