#pragma once
// What the processor reports about itself, turned into words: the vendor table and
// the processor naming table.
#include <cstdint>
#include <string>
#include <string_view>

namespace qor {

struct VendorNames {
  int index = 0;  // 0: no row matched
  std::string full;
  std::string brief;
};

// Whole-text, case-sensitive comparison with each row in order.
VendorNames LookUpVendor(std::string_view signature);

struct NamingInputs {
  int vendor = 0;  // vendor table index, 0 to 7
  int family = 0;
  int model = 0;
  int brand = 0;               // brand index
  int type = 0;                // processor type; 1 is OverDrive
  std::int32_t level2 = 0;     // second-level cache, KB
  std::int32_t frequency = 0;  // measured clock, MHz
};

struct ProcessorNames {
  std::string name;
  std::string codeName;  // Windows-1252: the micro sign is the byte 0xB5
  std::int32_t transistors = 0;
};

// Empty names and 0 for any combination the table does not list.
ProcessorNames NameProcessor(const NamingInputs& in);

}  // namespace qor
