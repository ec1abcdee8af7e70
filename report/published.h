#pragma once
// An information class's published properties taken as plain values, in published order,
// through the one Publish() every class writes: the report renders these, tests read them.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/persistent.h"

namespace qor::report {

struct Property {
  enum class Kind { Integer, Boolean, Float, DateTime, Text, List, Enumeration, Set, Object };
  std::string name;
  Kind kind = Kind::Integer;
  std::int64_t integer = 0;  // Integer; an Enumeration's ordinal
  bool boolean = false;
  double number = 0;               // Float; DateTime's day count
  std::string text;                // Text; an Enumeration's member name (empty out of range)
  std::vector<std::string> items;  // List entries; the names of a Set's named members
  std::vector<int> unnamedBits;    // a Set's members past its name table
  std::vector<std::string> names;  // an Enumeration's or a Set's whole name table
  std::string className;           // Object
  std::vector<Property> children;  // Object
};

std::vector<Property> Collect(const TPersistent& object);

// The property at a dotted path ("Features.FPU"), or null.
const Property* Find(const std::vector<Property>& properties, std::string_view path);

}  // namespace qor::report
