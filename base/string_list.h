#pragma once
// The ordered text list behind every multi-valued property.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace qor {

// Base of values a list entry can own (a device record, a process id, a command).
class TObject {
 public:
  virtual ~TObject() = default;
};

// An owned value carrying any copyable payload.
template <class T>
class TBox : public TObject {
 public:
  explicit TBox(T v) : Value(std::move(v)) {}
  T Value;
};

class TStringList {
 public:
  TStringList() = default;
  TStringList(std::initializer_list<std::string> entries);
  ~TStringList() { Clear(); }
  TStringList(const TStringList&) = delete;
  TStringList& operator=(const TStringList&) = delete;

  int Count() const { return static_cast<int>(items_.size()); }
  bool Empty() const { return items_.empty(); }

  // Raise "List index out of bounds (%d)" outside 0..Count-1.
  const std::string& operator[](int index) const;
  const std::string& Strings(int index) const { return (*this)[index]; }
  TObject* Objects(int index) const;
  void Put(int index, std::string text);

  int Add(std::string text);
  int AddObject(std::string text, std::unique_ptr<TObject> object);
  void Delete(int index);
  // Releases the owned values from the last entry to the first.
  void Clear();

  // Case-insensitive, through the platform's locale-aware comparison; -1 when absent.
  int IndexOf(std::string_view text) const;
  // Entries of the form name=value.
  std::string Names(int index) const;
  std::string ValueFromIndex(int index) const;
  int IndexOfName(std::string_view name) const;
  std::string Values(std::string_view name) const;

  // Replaces the entries by the pieces between the commas.
  void SetCommaText(std::string_view text);
  // Entries joined by commas, each as it stands.
  std::string CommaText() const;

  // Stable: entries that compare equal keep their order.
  void Sort();

  std::vector<std::string> ToVector() const;

 private:
  struct Item {
    std::string text;
    std::unique_ptr<TObject> object;
  };
  void Check(int index) const;
  std::vector<Item> items_;
};

}  // namespace qor
