#include <algorithm>
#include <cctype>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "platform/fake/fake_machine.h"
#include "platform/shared_answers.h"

namespace qor::fake {

struct FakeRegistry::Node {
  std::string name;
  struct Value {
    std::string name;
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
  };
  std::vector<std::unique_ptr<Node>> children;
  std::vector<Value> values;
  std::uint32_t refused = 0;

  static bool Same(std::string_view a, std::string_view b) {
    return platform::CompareAsciiNoCase(a, b) == 0;
  }
  Node* Child(std::string_view n) const {
    for (const auto& c : children)
      if (Same(c->name, n)) return c.get();
    return nullptr;
  }
  Node* AddChild(std::string_view n) {
    if (Node* c = Child(n)) return c;
    children.push_back(std::make_unique<Node>());
    children.back()->name = std::string(n);
    return children.back().get();
  }
  Value* FindValue(std::string_view n) {
    for (auto& v : values)
      if (Same(v.name, n)) return &v;
    return nullptr;
  }
};

namespace {

struct RootName {
  const char* name;
  platform::HKey key;
};
constexpr RootName kRoots[] = {
    {"HKEY_CLASSES_ROOT", platform::kHKeyClassesRoot},
    {"HKEY_CURRENT_USER", platform::kHKeyCurrentUser},
    {"HKEY_LOCAL_MACHINE", platform::kHKeyLocalMachine},
    {"HKEY_USERS", platform::kHKeyUsers},
    {"HKEY_CURRENT_CONFIG", platform::kHKeyCurrentConfig},
    {"HKEY_DYN_DATA", platform::kHKeyDynData},
    {"HKLM", platform::kHKeyLocalMachine},
    {"HKCU", platform::kHKeyCurrentUser},
};

std::vector<std::string_view> SplitPath(std::string_view path) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  while (start <= path.size()) {
    auto slash = path.find('\\', start);
    if (slash == std::string_view::npos) slash = path.size();
    parts.push_back(path.substr(start, slash - start));
    start = slash + 1;
  }
  return parts;
}

[[noreturn]] void Bad(int line, const std::string& why) {
  throw std::runtime_error("REGEDIT4 line " + std::to_string(line) + ": " + why);
}

// Reads a quoted string at s[pos] (which is '"'); returns the text, advances pos.
std::string Quoted(const std::string& s, std::size_t& pos, int line) {
  std::string out;
  ++pos;
  while (pos < s.size() && s[pos] != '"') {
    if (s[pos] == '\\' && pos + 1 < s.size()) ++pos;
    out += s[pos++];
  }
  if (pos >= s.size()) Bad(line, "unterminated string");
  ++pos;
  return out;
}

std::vector<std::uint8_t> HexBytes(std::string_view text, int line) {
  std::vector<std::uint8_t> bytes;
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && (text[i] == ',' || text[i] == ' ' || text[i] == '\t')) ++i;
    if (i >= text.size()) break;
    std::size_t j = i;
    while (j < text.size() && std::isxdigit(static_cast<unsigned char>(text[j]))) ++j;
    if (j == i || j - i > 2) Bad(line, "bad hex byte");
    bytes.push_back(
        static_cast<std::uint8_t>(std::stoul(std::string(text.substr(i, j - i)), nullptr, 16)));
    i = j;
  }
  return bytes;
}

}  // namespace

FakeRegistry::FakeRegistry() {
  Clear();
}
FakeRegistry::~FakeRegistry() = default;

void FakeRegistry::Clear() {
  roots_.clear();
  handles_.clear();
  for (int i = 0; i < 7; ++i) roots_.push_back(std::make_unique<Node>());
}

FakeRegistry::Node* FakeRegistry::Root(platform::HKey root) const {
  if (root < platform::kHKeyClassesRoot || root > platform::kHKeyDynData) return nullptr;
  return roots_[root - platform::kHKeyClassesRoot].get();
}

FakeRegistry::Node* FakeRegistry::Find(platform::HKey key) const {
  if (Node* r = Root(key)) return r;
  for (const auto& [h, n] : handles_)
    if (h == key) return n;
  return nullptr;
}

platform::HKey FakeRegistry::NewHandle(Node* node) {
  platform::HKey h = nextHandle_++;
  handles_.emplace_back(h, node);
  return h;
}

bool FakeRegistry::CloseHandle(platform::HKey key) {
  auto it = std::find_if(handles_.begin(), handles_.end(), [&](auto& p) { return p.first == key; });
  if (it == handles_.end()) return false;
  handles_.erase(it);
  return true;
}

int FakeRegistry::OpenKeys() const {
  return static_cast<int>(handles_.size());
}

FakeRegistry::Node* FakeRegistry::MakePath(std::string_view fullPath) {
  auto parts = SplitPath(fullPath);
  Node* node = nullptr;
  for (const auto& r : kRoots)
    if (Node::Same(parts[0], r.name)) node = Root(r.key);
  if (!node) throw std::runtime_error("unknown registry root in '" + std::string(fullPath) + "'");
  for (std::size_t i = 1; i < parts.size(); ++i)
    if (!parts[i].empty()) node = node->AddChild(parts[i]);
  return node;
}

void FakeRegistry::CreateKey(std::string_view keyPath) {
  MakePath(keyPath);
}

void FakeRegistry::RefuseAccess(std::string_view keyPath, std::uint32_t accessBits) {
  MakePath(keyPath)->refused |= accessBits;
}

void FakeRegistry::SetValue(std::string_view keyPath, std::string_view name, std::uint32_t type,
                            std::vector<std::uint8_t> data) {
  Node* node = MakePath(keyPath);
  Node::Value* v = node->FindValue(name);
  if (!v) {
    node->values.push_back({std::string(name), 0, {}});
    v = &node->values.back();
  }
  v->type = type;
  v->data = std::move(data);
}

void FakeRegistry::LoadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::stringstream s;
  s << in.rdbuf();
  Load(s.str());
}

void FakeRegistry::Load(std::string_view regedit) {
  std::vector<std::string> lines;
  {
    std::string current;
    std::istringstream in{std::string(regedit)};
    std::string raw;
    while (std::getline(in, raw)) {
      if (!raw.empty() && raw.back() == '\r') raw.pop_back();
      // A trailing backslash continues hex data on the next line.
      if (!raw.empty() && raw.back() == '\\' && raw.find("=hex") != std::string::npos) {
        current += raw.substr(0, raw.size() - 1);
        continue;
      }
      if (!current.empty()) {
        std::size_t first = raw.find_first_not_of(" \t");
        current += first == std::string::npos ? "" : raw.substr(first);
        if (!current.empty() && current.back() == '\\') {
          current.pop_back();
          continue;
        }
        lines.push_back(current);
        current.clear();
        continue;
      }
      lines.push_back(raw);
    }
    if (!current.empty()) lines.push_back(current);
  }
  Node* key = nullptr;
  int number = 0;
  for (const std::string& line : lines) {
    ++number;
    std::size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos || line[first] == ';') continue;
    if (line == "REGEDIT4" || line.rfind("Windows Registry Editor", 0) == 0) continue;
    if (line[first] == '[') {
      auto close = line.rfind(']');
      if (close == std::string::npos) Bad(number, "missing ]");
      std::string path = line.substr(first + 1, close - first - 1);
      if (!path.empty() && path[0] == '-') {
        // The views point into this string, which must outlive them.
        const std::string deleted = path.substr(1);
        auto parts = SplitPath(deleted);
        Node* parent = MakePath(deleted.substr(0, deleted.rfind('\\')));
        auto& kids = parent->children;
        kids.erase(std::remove_if(kids.begin(), kids.end(),
                                  [&](auto& c) { return Node::Same(c->name, parts.back()); }),
                   kids.end());
        key = nullptr;
        continue;
      }
      key = MakePath(path);
      continue;
    }
    if (!key) Bad(number, "value outside a key");
    std::size_t pos = first;
    std::string name;
    if (line[pos] == '@') {
      ++pos;
    } else if (line[pos] == '"') {
      name = Quoted(line, pos, number);
    } else {
      Bad(number, "expected a value name");
    }
    if (pos >= line.size() || line[pos] != '=') Bad(number, "expected =");
    ++pos;
    std::string data = line.substr(pos);
    std::uint32_t type;
    std::vector<std::uint8_t> bytes;
    if (data == "-") {
      auto& vals = key->values;
      vals.erase(std::remove_if(vals.begin(), vals.end(),
                                [&](auto& v) { return Node::Same(v.name, name); }),
                 vals.end());
      continue;
    } else if (!data.empty() && data[0] == '"') {
      std::size_t p = 0;
      std::string text = Quoted(data, p, number);
      type = platform::kRegSz;
      bytes.assign(text.begin(), text.end());
      bytes.push_back(0);
    } else if (data.rfind("dword:", 0) == 0) {
      std::string digits = data.substr(6);
      if (digits.empty() || digits.size() > 8 ||
          digits.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
        Bad(number, "bad dword");
      std::uint32_t v = static_cast<std::uint32_t>(std::stoul(digits, nullptr, 16));
      type = platform::kRegDword;
      bytes.resize(4);
      std::memcpy(bytes.data(), &v, 4);
    } else if (data.rfind("hex:", 0) == 0) {
      type = platform::kRegBinary;
      bytes = HexBytes(std::string_view(data).substr(4), number);
    } else if (data.rfind("hex(", 0) == 0) {
      auto close = data.find("):");
      if (close == std::string::npos) Bad(number, "bad hex(type)");
      type = static_cast<std::uint32_t>(std::stoul(data.substr(4, close - 4), nullptr, 16));
      bytes = HexBytes(std::string_view(data).substr(close + 2), number);
    } else {
      Bad(number, "bad value data");
    }
    Node::Value* v = key->FindValue(name);
    if (!v) {
      key->values.push_back({name, 0, {}});
      v = &key->values.back();
    }
    v->type = type;
    v->data = std::move(bytes);
  }
}

}  // namespace qor::fake

namespace qor::platform {

using fake::FakeRegistry;

long OpenRegistryKey(HKey parent, const std::string& subKey, std::uint32_t access, HKey* result) {
  *result = 0;
  FakeRegistry& reg = fake::Registry();
  FakeRegistry::Node* node = reg.Find(parent);
  if (!node) return kErrorInvalidHandle;
  if (!subKey.empty()) {
    std::size_t start = 0;
    while (start <= subKey.size()) {
      auto slash = subKey.find('\\', start);
      if (slash == std::string::npos) slash = subKey.size();
      std::string_view part(subKey.data() + start, slash - start);
      // A trailing backslash is allowed; empty parts elsewhere are not.
      if (part.empty()) {
        if (slash != subKey.size()) return kErrorFileNotFound;
        break;
      }
      node = node->Child(part);
      if (!node) return kErrorFileNotFound;
      start = slash + 1;
    }
  }
  if (node->refused & access) return kErrorAccessDenied;
  *result = reg.NewHandle(node);
  return kErrorSuccess;
}

long CloseRegistryKey(HKey key) {
  return fake::Registry().CloseHandle(key) ? kErrorSuccess : kErrorInvalidHandle;
}

long QueryRegistryValue(HKey key, const std::string& valueName, std::uint32_t* type,
                        std::uint8_t* data, std::uint32_t* size) {
  FakeRegistry::Node* node = fake::Registry().Find(key);
  if (!node) return kErrorInvalidHandle;
  auto* v = node->FindValue(valueName);
  if (!v) return kErrorFileNotFound;
  return AnswerValueQuery(v->type, v->data, type, data, size);
}

long EnumRegistryKey(HKey key, std::uint32_t index, std::string& name) {
  FakeRegistry::Node* node = fake::Registry().Find(key);
  if (!node) return kErrorInvalidHandle;
  if (index >= node->children.size()) return kErrorNoMoreItems;
  name = node->children[index]->name;
  return kErrorSuccess;
}

long EnumRegistryValue(HKey key, std::uint32_t index, std::string& name) {
  FakeRegistry::Node* node = fake::Registry().Find(key);
  if (!node) return kErrorInvalidHandle;
  if (index >= node->values.size()) return kErrorNoMoreItems;
  name = node->values[index].name;
  return kErrorSuccess;
}

long QueryRegistryKeyInfo(HKey key, std::uint32_t* subKeys, std::uint32_t* values) {
  FakeRegistry::Node* node = fake::Registry().Find(key);
  if (!node) return kErrorInvalidHandle;
  if (subKeys) *subKeys = static_cast<std::uint32_t>(node->children.size());
  if (values) *values = static_cast<std::uint32_t>(node->values.size());
  return kErrorSuccess;
}

void ForgetRegistryView() {}

}  // namespace qor::platform
