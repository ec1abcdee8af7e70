#pragma once
// The information-class base and the one place each class publishes its
// properties: the report, the tests and the documentation all read Publish().
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "base/date_time.h"
#include "base/string_list.h"

namespace qor {

class TPersistent;

// Receives a class's published properties, in published order.
class PropertyWriter {
 public:
  virtual ~PropertyWriter() = default;
  virtual void Integer(std::string_view name, std::int64_t value) = 0;
  virtual void Boolean(std::string_view name, bool value) = 0;
  virtual void Float(std::string_view name, double value) = 0;
  virtual void DateTime(std::string_view name, TDateTime value) = 0;
  virtual void Text(std::string_view name, std::string_view value) = 0;
  virtual void List(std::string_view name, const TStringList& value) = 0;
  // An enumeration by its member names (ordinal indexes names).
  virtual void Enumeration(std::string_view name, int ordinal,
                           std::span<const char* const> members) = 0;
  // A set by its member names (bit n is members[n]).
  virtual void Set(std::string_view name, std::uint64_t bits,
                   std::span<const char* const> members) = 0;
  // A nested information class.
  virtual void Object(std::string_view name, const TPersistent& value) = 0;
};

class TPersistent {
 public:
  virtual ~TPersistent() = default;
  // The run-time class name, as the guard and the report show it ("TCPU").
  virtual const char* ClassName() const = 0;
  virtual void Publish(PropertyWriter&) const {}
};

// An area's information class: GetInfo fills the published properties and lets
// its failures escape as qor::Error.
class TInfoClass : public TPersistent {
 public:
  virtual void GetInfo() = 0;
};

}  // namespace qor
