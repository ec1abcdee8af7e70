// The registry reader and the win32 registry calls against the real registry API
// (Wine's, when the suite runs them). The keys are made with the API itself, under a
// key of their own that every test removes again.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/error.h"
#include "base/registry.h"
#include "platform/registry.h"

namespace qor {
namespace {

using platform::HKey;
using platform::kHKeyCurrentUser;
using platform::kHKeyLocalMachine;

constexpr const char* kTestKey = "Software\\qor-win32-tests";

void SetValue(HKEY key, const char* name, DWORD type, const std::vector<std::uint8_t>& data) {
  // Never a null pointer, not even for an empty value: the API may refuse one.
  static const BYTE kNothing = 0;
  const BYTE* bytes = data.empty() ? &kNothing : data.data();
  ASSERT_EQ(RegSetValueExA(key, name, 0, type, bytes, static_cast<DWORD>(data.size())),
            ERROR_SUCCESS)
      << name;
}

std::vector<std::uint8_t> Bytes(std::string_view text) {
  return {text.begin(), text.end()};
}

class RegistryWin32Test : public ::testing::Test {
 protected:
  void SetUp() override {
    RegDeleteTreeA(HKEY_CURRENT_USER, kTestKey);
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kTestKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    SetValue(key, "Text", REG_SZ, Bytes(std::string_view("hello", 6)));
    SetValue(key, "Empty", REG_SZ, {});
    SetValue(key, "Cut", REG_SZ, Bytes(std::string_view("ab\0c", 5)));
    // The API counts a zero just past the given size into a text value ("the caller
    // forgot it"), so the byte after this one is not a zero.
    ASSERT_EQ(RegSetValueExA(key, "NoZero", 0, REG_SZ, reinterpret_cast<const BYTE*>("abX"), 2),
              ERROR_SUCCESS);
    SetValue(key, "Expand", REG_EXPAND_SZ, Bytes(std::string_view("%TEMP%\\x", 9)));
    SetValue(key, "Number", REG_DWORD, {0x2a, 0, 0, 0});
    SetValue(key, "Negative", REG_DWORD, {0xff, 0xff, 0xff, 0xff});
    SetValue(key, "Bytes", REG_BINARY, {1, 2, 3});
    SetValue(key, "Multi", REG_MULTI_SZ, Bytes(std::string_view("a\0b\0", 5)));
    SetValue(key, "Odd", 99, {0xff});
    SetValue(key, "Long", REG_DWORD, {1, 2, 3, 4, 5});
    SetValue(key, "Quad", REG_QWORD, {1, 0, 0, 0, 0, 0, 0, 0});
    SetValue(key, "", REG_SZ, Bytes(std::string_view("default", 8)));
    HKEY child = nullptr;
    ASSERT_EQ(
        RegCreateKeyExA(key, "Child", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &child, nullptr),
        ERROR_SUCCESS);
    SetValue(child, "Inner", REG_SZ, Bytes(std::string_view("in", 3)));
    RegCloseKey(child);
    RegCloseKey(key);
  }
  void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, kTestKey); }

  static std::string ErrorOf(const std::function<void()>& f) {
    try {
      f();
    } catch (const Error& e) {
      return e.Message();
    }
    return "no error";
  }
};

TEST_F(RegistryWin32Test, ReaderReadsEachTypeByItsRules) {
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey(kTestKey));
  EXPECT_EQ(reg.ReadString("Text"), "hello");
  EXPECT_EQ(reg.ReadString("Empty"), "");
  EXPECT_EQ(reg.ReadString("Missing"), "");
  EXPECT_EQ(reg.ReadString("Cut"), "ab");            // ends at the first zero
  EXPECT_EQ(reg.ReadString("NoZero"), "ab");         // stored without a terminating zero
  EXPECT_EQ(reg.ReadString("Expand"), "%TEMP%\\x");  // not expanded
  EXPECT_EQ(reg.ReadString(""), "default");
  EXPECT_EQ(reg.ReadInteger("Number"), 42);
  EXPECT_EQ(reg.ReadInteger("Negative"), -1);
  std::uint8_t buffer[8] = {9, 9, 9, 9, 9, 9, 9, 9};
  EXPECT_EQ(reg.ReadBinaryData("Missing", buffer, 8), 0);
  EXPECT_EQ(buffer[0], 9);  // left alone
  EXPECT_EQ(reg.ReadBinaryData("Bytes", buffer, 3), 3);
  EXPECT_EQ(buffer[2], 3);
  EXPECT_EQ(buffer[3], 9);
  // Types the reader does not name read as raw bytes.
  EXPECT_EQ(reg.ReadBinaryData("Multi", buffer, 8), 5);
  EXPECT_EQ(reg.ReadBinaryData("Odd", buffer, 1), 1);
  EXPECT_EQ(reg.ReadBinaryData("Quad", buffer, 8), 8);
  EXPECT_EQ(reg.GetDataSize("Text"), 6);
  EXPECT_EQ(reg.GetDataSize("Empty"), 0);
  EXPECT_EQ(reg.GetDataSize("Missing"), -1);
  EXPECT_EQ(reg.GetDataType("Multi"), REG_MULTI_SZ);
  EXPECT_EQ(reg.GetDataType("Odd"), 99);
  EXPECT_EQ(reg.GetDataType("Missing"), -1);
  EXPECT_TRUE(reg.ValueExists("Empty"));
  EXPECT_FALSE(reg.ValueExists("Missing"));
}

TEST_F(RegistryWin32Test, ReaderFailuresNameTheValue) {
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey(kTestKey));
  std::uint8_t small[2];
  struct Case {
    std::function<void()> read;
    const char* message;
  } cases[] = {
      {[&] { reg.ReadString("Number"); }, "Invalid data type for 'Number'"},
      {[&] { reg.ReadString("Multi"); }, "Invalid data type for 'Multi'"},
      {[&] { reg.ReadInteger("Missing"); }, "Failed to get data for 'Missing'"},
      {[&] { reg.ReadInteger("Text"); }, "Failed to get data for 'Text'"},  // 6 bytes
      {[&] { reg.ReadInteger("Long"); }, "Failed to get data for 'Long'"},
      {[&] { reg.ReadInteger("Quad"); }, "Failed to get data for 'Quad'"},
      {[&] { reg.ReadInteger("Bytes"); }, "Invalid data type for 'Bytes'"},
      {[&] { reg.ReadBinaryData("Text", small, 2); }, "Invalid data type for 'Text'"},
      {[&] { reg.ReadBinaryData("Number", small, 2); }, "Invalid data type for 'Number'"},
      {[&] { reg.ReadBinaryData("Bytes", small, 2); }, "Invalid data type for 'Bytes'"},
  };
  for (auto& c : cases) EXPECT_EQ(ErrorOf(c.read), c.message);
}

TEST_F(RegistryWin32Test, ReaderPathsKeysAndNames) {
  TRegistry reg;
  TStringList names{"stale"};
  reg.GetValueNames(names);
  EXPECT_TRUE(names.Empty());  // no key open
  EXPECT_FALSE(reg.OpenKey("Software\\qor-win32-tests\\Nothing"));
  ASSERT_TRUE(reg.OpenKey("SOFTWARE\\QOR-WIN32-TESTS"));
  reg.GetKeyNames(names);
  EXPECT_EQ(names.ToVector(), std::vector<std::string>{"Child"});
  reg.GetValueNames(names);
  EXPECT_EQ(names.Count(), 13);
  EXPECT_GE(names.IndexOf("Quad"), 0);
  ASSERT_TRUE(reg.OpenKey("Child"));  // relative to the open key
  EXPECT_EQ(reg.ReadString("Inner"), "in");
  EXPECT_FALSE(reg.OpenKey("Software"));     // relative again: not there
  EXPECT_EQ(reg.ReadString("Inner"), "in");  // a failed open keeps the open key
  EXPECT_TRUE(reg.KeyExists("\\Software\\qor-win32-tests\\Child"));
  EXPECT_FALSE(reg.KeyExists("\\Software\\qor-win32-tests\\Nothing"));
  reg.CloseKey();
  EXPECT_FALSE(reg.HasOpenKey());
  reg.GetKeyNames(names);
  EXPECT_TRUE(names.Empty());
}

TEST_F(RegistryWin32Test, ReaderOpensMachineKeys) {
  // The predefined roots are 32-bit values the 64-bit API wants sign-extended.
  TRegistry reg;
  reg.RootKey = kHKeyLocalMachine;
  EXPECT_TRUE(reg.OpenKeyReadOnly("Software\\Microsoft\\Windows NT\\CurrentVersion"));
  EXPECT_TRUE(reg.ValueExists("CurrentVersion"));
}

// The reader never writes, so its opens ask for read access only (the fake machine's
// tests show that a key refusing write access still opens; Wine grants every access
// to its keys, so only the handle's own rights can be seen here): such a handle
// cannot write.
TEST_F(RegistryWin32Test, ReadOnlyOpenGivesAHandleThatCannotWrite) {
  const BYTE one[4] = {1, 0, 0, 0};
  HKey raw = 0;
  ASSERT_EQ(platform::OpenRegistryKey(kHKeyCurrentUser, kTestKey, platform::kKeyRead, &raw),
            platform::kErrorSuccess);
  EXPECT_EQ(RegSetValueExA(reinterpret_cast<HKEY>(raw), "Written", 0, REG_DWORD, one, 4),
            ERROR_ACCESS_DENIED);
  EXPECT_EQ(platform::CloseRegistryKey(raw), platform::kErrorSuccess);

  ASSERT_EQ(platform::OpenRegistryKey(kHKeyCurrentUser, kTestKey, platform::kKeyAllAccess, &raw),
            platform::kErrorSuccess);
  EXPECT_EQ(RegSetValueExA(reinterpret_cast<HKEY>(raw), "Written", 0, REG_DWORD, one, 4),
            ERROR_SUCCESS);
  EXPECT_EQ(platform::CloseRegistryKey(raw), platform::kErrorSuccess);
}

TEST_F(RegistryWin32Test, RawCallsReportTheSystemsCodes) {
  HKey key = 0;
  EXPECT_EQ(platform::OpenRegistryKey(kHKeyCurrentUser, "Software\\qor-win32-tests\\Nothing",
                                      platform::kKeyRead, &key),
            platform::kErrorFileNotFound);
  EXPECT_EQ(key, 0u);
  ASSERT_EQ(platform::OpenRegistryKey(kHKeyCurrentUser, kTestKey, platform::kKeyRead, &key),
            platform::kErrorSuccess);

  std::uint32_t type = 0, size = 0;
  EXPECT_EQ(platform::QueryRegistryValue(key, "Text", &type, nullptr, &size),
            platform::kErrorSuccess);
  EXPECT_EQ(type, platform::kRegSz);
  EXPECT_EQ(size, 6u);
  std::uint8_t small[2];
  size = sizeof small;
  EXPECT_EQ(platform::QueryRegistryValue(key, "Text", &type, small, &size),
            platform::kErrorMoreData);
  EXPECT_EQ(size, 6u);  // the size it needs
  EXPECT_EQ(platform::QueryRegistryValue(key, "Missing", &type, nullptr, &size),
            platform::kErrorFileNotFound);

  std::uint32_t subKeys = 0, values = 0;
  EXPECT_EQ(platform::QueryRegistryKeyInfo(key, &subKeys, &values), platform::kErrorSuccess);
  EXPECT_EQ(subKeys, 1u);
  EXPECT_EQ(values, 13u);
  std::string name;
  EXPECT_EQ(platform::EnumRegistryKey(key, 0, name), platform::kErrorSuccess);
  EXPECT_EQ(name, "Child");
  EXPECT_EQ(platform::EnumRegistryKey(key, 1, name), platform::kErrorNoMoreItems);
  EXPECT_EQ(name, "");
  EXPECT_EQ(platform::EnumRegistryValue(key, 13, name), platform::kErrorNoMoreItems);
  EXPECT_EQ(platform::CloseRegistryKey(key), platform::kErrorSuccess);
}

}  // namespace
}  // namespace qor
