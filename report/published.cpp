#include "report/published.h"

namespace qor::report {
namespace {

class Collector : public PropertyWriter {
 public:
  explicit Collector(std::vector<Property>& out) : out_(out) {}

  void Integer(std::string_view name, std::int64_t value) override {
    Add(name, Property::Kind::Integer).integer = value;
  }
  void Boolean(std::string_view name, bool value) override {
    Add(name, Property::Kind::Boolean).boolean = value;
  }
  void Float(std::string_view name, double value) override {
    Add(name, Property::Kind::Float).number = value;
  }
  void DateTime(std::string_view name, TDateTime value) override {
    Add(name, Property::Kind::DateTime).number = value;
  }
  void Text(std::string_view name, std::string_view value) override {
    Add(name, Property::Kind::Text).text = value;
  }
  void List(std::string_view name, const TStringList& value) override {
    Add(name, Property::Kind::List).items = value.ToVector();
  }
  void Enumeration(std::string_view name, int ordinal,
                   std::span<const char* const> members) override {
    Property& p = Add(name, Property::Kind::Enumeration);
    p.names = Names(members);
    p.integer = ordinal;
    if (ordinal >= 0 && static_cast<std::size_t>(ordinal) < members.size() && members[ordinal])
      p.text = members[ordinal];
  }
  void Set(std::string_view name, std::uint64_t bits,
           std::span<const char* const> members) override {
    Property& p = Add(name, Property::Kind::Set);
    p.names = Names(members);
    p.integer = static_cast<std::int64_t>(bits);
    for (int bit = 0; bit < 64; ++bit) {
      if (!(bits >> bit & 1)) continue;
      if (static_cast<std::size_t>(bit) < members.size() && members[bit])
        p.items.emplace_back(members[bit]);
      else
        p.unnamedBits.push_back(bit);
    }
  }
  void Object(std::string_view name, const TPersistent& value) override {
    Property& p = Add(name, Property::Kind::Object);
    p.className = value.ClassName();
    Collector nested(p.children);
    value.Publish(nested);
  }

 private:
  static std::vector<std::string> Names(std::span<const char* const> members) {
    std::vector<std::string> names;
    for (const char* member : members) names.emplace_back(member ? member : "");
    return names;
  }
  Property& Add(std::string_view name, Property::Kind kind) {
    Property& p = out_.emplace_back();
    p.name = name;
    p.kind = kind;
    return p;
  }
  std::vector<Property>& out_;
};

}  // namespace

std::vector<Property> Collect(const TPersistent& object) {
  std::vector<Property> out;
  Collector collector(out);
  object.Publish(collector);
  return out;
}

const Property* Find(const std::vector<Property>& properties, std::string_view path) {
  std::string_view head = path.substr(0, path.find('.'));
  for (const Property& p : properties) {
    if (p.name != head) continue;
    if (head.size() == path.size()) return &p;
    return Find(p.children, path.substr(head.size() + 1));
  }
  return nullptr;
}

}  // namespace qor::report
