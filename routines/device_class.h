#pragma once
// Finds the device class of a given name under a class-key root and collects the
// distinct descriptions of its members.
#include <string>
#include <string_view>

#include "base/string_list.h"

namespace qor {

// classKey receives the key whose members were read (on the 9x family the class's
// "Link" in upper case); list receives the distinct valueName texts of its members.
void LookupDeviceClass(std::string_view baseKey, std::string_view className,
                       std::string_view valueName, std::string& classKey, TStringList& list);

}  // namespace qor
