#pragma once
// The process environment and the shell's special folders.
#include <string>

#include "base/string_list.h"
#include "platform/os.h"

namespace qor {

// Refills the list with the environment's NAME=value entries, in block order, the
// NT family's "=" entries included. The whole block is read, however large.
void ReadEnvironment(TStringList& list);

// The file-system path of a shell folder (a CSIDL number); empty when the folder
// does not exist or has no path.
std::string GetSpecialFolderPath(platform::WindowHandle owner, int folder);

}  // namespace qor
