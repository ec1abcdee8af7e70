#pragma once
// Small questions the information classes ask the system: a file's version, the
// computer and user names, a shortcut's target and the Windows folder. Each gives
// its empty (or the caller's) value when the system cannot answer.
#include <string>
#include <string_view>

#include "platform/system.h"

namespace qor {

// Both outputs are emptied first; a file without a version resource leaves them
// empty. Only the US English (code page 1252) string table gives the description.
void ReadFileVersion(std::string_view fileName, std::string& description, std::string& version);

// The system's answer, replaced by the registry's "ComputerName" value where that
// exists (even when empty). A non-text value raises "Invalid data type for '%s'".
std::string ReadComputerName();

// The account the program runs as; empty when the system cannot tell.
std::string ReadUserName();

// Resolves a shortcut file. target and arguments are written only when their own
// read succeeds; otherwise they keep what the caller passed. The result is the
// status code of the last platform call made.
platform::HResult ResolveShellLink(std::string_view linkFile, std::string& target,
                                   std::string& arguments);

// The Windows folder; empty when the system has none.
std::string GetWindowsFolder();

}  // namespace qor
