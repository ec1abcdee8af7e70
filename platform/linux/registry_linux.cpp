#include <cstring>
#include <memory>
#include <vector>

#include "platform/linux/registry_view.h"
#include "platform/registry.h"
#include "platform/shared_answers.h"

namespace qor::platform {
namespace {

using linux_impl::ViewKey;

struct Handle {
  HKey id;
  std::shared_ptr<const ViewKey> tree;  // keeps the view alive while the key is open
  const ViewKey* key;
};

struct State {
  std::shared_ptr<const ViewKey> machine;  // built at the first open after a forget
  std::shared_ptr<const ViewKey> empty = std::make_shared<ViewKey>();
  std::vector<Handle> handles;
  HKey next = 0x1000;
};

linux_impl::Sources& MutableSources() {
  static linux_impl::Sources sources;
  return sources;
}

State& S() {
  static State state;
  return state;
}

const Handle* Find(HKey key) {
  for (const Handle& h : S().handles)
    if (h.id == key) return &h;
  return nullptr;
}

// A predefined root or an open key, with the tree it belongs to.
bool Resolve(HKey key, std::shared_ptr<const ViewKey>& tree, const ViewKey*& node) {
  if (key == kHKeyLocalMachine) {
    if (!S().machine) S().machine = linux_impl::BuildMachineView(linux_impl::CurrentSources());
    tree = S().machine;
  } else if (key >= kHKeyClassesRoot && key <= kHKeyDynData) {
    tree = S().empty;  // the other roots hold nothing on Linux
  } else if (const Handle* h = Find(key)) {
    tree = h->tree;
    node = h->key;
    return true;
  } else {
    return false;
  }
  node = tree.get();
  return true;
}

}  // namespace

namespace linux_impl {

const Sources& CurrentSources() {
  return MutableSources();
}

void SetSources(const Sources& sources) {
  MutableSources() = sources;
  S().machine.reset();
}

}  // namespace linux_impl

void ForgetRegistryView() {
  S().machine.reset();
}

long OpenRegistryKey(HKey parent, const std::string& subKey, std::uint32_t, HKey* result) {
  *result = 0;
  std::shared_ptr<const ViewKey> tree;
  const ViewKey* node = nullptr;
  if (!Resolve(parent, tree, node)) return kErrorInvalidHandle;
  std::size_t start = 0;
  while (start < subKey.size()) {
    std::size_t slash = subKey.find('\\', start);
    if (slash == std::string::npos) slash = subKey.size();
    if (slash == start) return kErrorFileNotFound;
    node = node->Child(std::string_view(subKey).substr(start, slash - start));
    if (!node) return kErrorFileNotFound;
    start = slash + 1;
  }
  *result = S().next++;
  S().handles.push_back(Handle{*result, tree, node});
  return kErrorSuccess;
}

long CloseRegistryKey(HKey key) {
  auto& handles = S().handles;
  for (auto it = handles.begin(); it != handles.end(); ++it)
    if (it->id == key) {
      handles.erase(it);
      return kErrorSuccess;
    }
  return kErrorInvalidHandle;
}

long QueryRegistryValue(HKey key, const std::string& valueName, std::uint32_t* type,
                        std::uint8_t* data, std::uint32_t* size) {
  std::shared_ptr<const ViewKey> tree;
  const ViewKey* node = nullptr;
  if (!Resolve(key, tree, node)) return kErrorInvalidHandle;
  const linux_impl::ViewValue* v = node->Value(valueName);
  if (!v) return kErrorFileNotFound;
  return AnswerValueQuery(v->type, v->data, type, data, size);
}

long EnumRegistryKey(HKey key, std::uint32_t index, std::string& name) {
  std::shared_ptr<const ViewKey> tree;
  const ViewKey* node = nullptr;
  if (!Resolve(key, tree, node)) return kErrorInvalidHandle;
  if (index >= node->children.size()) return kErrorNoMoreItems;
  name = node->children[index]->name;
  return kErrorSuccess;
}

long EnumRegistryValue(HKey key, std::uint32_t index, std::string& name) {
  std::shared_ptr<const ViewKey> tree;
  const ViewKey* node = nullptr;
  if (!Resolve(key, tree, node)) return kErrorInvalidHandle;
  if (index >= node->values.size()) return kErrorNoMoreItems;
  name = node->values[index].name;
  return kErrorSuccess;
}

long QueryRegistryKeyInfo(HKey key, std::uint32_t* subKeys, std::uint32_t* values) {
  std::shared_ptr<const ViewKey> tree;
  const ViewKey* node = nullptr;
  if (!Resolve(key, tree, node)) return kErrorInvalidHandle;
  if (subKeys) *subKeys = static_cast<std::uint32_t>(node->children.size());
  if (values) *values = static_cast<std::uint32_t>(node->values.size());
  return kErrorSuccess;
}

}  // namespace qor::platform
