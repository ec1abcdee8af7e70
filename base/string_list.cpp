#include "base/string_list.h"

#include <algorithm>

#include "base/error.h"
#include "base/format.h"
#include "platform/text.h"

namespace qor {

TStringList::TStringList(std::initializer_list<std::string> entries) {
  for (const auto& e : entries) Add(e);
}

void TStringList::Check(int index) const {
  if (index < 0 || index >= Count()) throw Error(Format("List index out of bounds (%d)", {index}));
}

const std::string& TStringList::operator[](int index) const {
  Check(index);
  return items_[index].text;
}

TObject* TStringList::Objects(int index) const {
  Check(index);
  return items_[index].object.get();
}

void TStringList::Put(int index, std::string text) {
  Check(index);
  items_[index].text = std::move(text);
}

int TStringList::Add(std::string text) {
  return AddObject(std::move(text), nullptr);
}

int TStringList::AddObject(std::string text, std::unique_ptr<TObject> object) {
  items_.push_back(Item{std::move(text), std::move(object)});
  return Count() - 1;
}

void TStringList::Delete(int index) {
  Check(index);
  items_.erase(items_.begin() + index);
}

void TStringList::Clear() {
  while (!items_.empty()) items_.pop_back();
}

int TStringList::IndexOf(std::string_view text) const {
  for (int i = 0; i < Count(); ++i)
    if (platform::CompareTextNoCase(items_[i].text, text) == 0) return i;
  return -1;
}

std::string TStringList::Names(int index) const {
  const std::string& s = (*this)[index];
  auto eq = s.find('=');
  return eq == std::string::npos ? std::string() : s.substr(0, eq);
}

std::string TStringList::ValueFromIndex(int index) const {
  const std::string& s = (*this)[index];
  auto eq = s.find('=');
  return eq == std::string::npos ? std::string() : s.substr(eq + 1);
}

int TStringList::IndexOfName(std::string_view name) const {
  for (int i = 0; i < Count(); ++i) {
    auto eq = items_[i].text.find('=');
    if (eq != std::string::npos &&
        platform::CompareTextNoCase(std::string_view(items_[i].text).substr(0, eq), name) == 0)
      return i;
  }
  return -1;
}

std::string TStringList::Values(std::string_view name) const {
  int i = IndexOfName(name);
  return i < 0 ? std::string() : ValueFromIndex(i);
}

void TStringList::SetCommaText(std::string_view text) {
  Clear();
  std::size_t start = 0;
  for (;;) {
    auto comma = text.find(',', start);
    Add(std::string(text.substr(start, comma - start)));
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
}

std::string TStringList::CommaText() const {
  std::string out;
  for (int i = 0; i < Count(); ++i) {
    if (i) out += ',';
    out += items_[i].text;
  }
  return out;
}

void TStringList::Sort() {
  std::stable_sort(items_.begin(), items_.end(), [](const Item& a, const Item& b) {
    return platform::CompareTextNoCase(a.text, b.text) < 0;
  });
}

std::vector<std::string> TStringList::ToVector() const {
  std::vector<std::string> out;
  out.reserve(items_.size());
  for (const auto& i : items_) out.push_back(i.text);
  return out;
}

}  // namespace qor
