#include <gtest/gtest.h>

#include "base/error.h"
#include "base/registry.h"
#include "fake_test.h"

namespace qor {
namespace {

using platform::kHKeyLocalMachine;

class RegistryReaderTest : public test::FakeMachineTest {
 protected:
  void SetUp() override {
    FakeMachineTest::SetUp();
    registry().Load(R"(REGEDIT4

[HKEY_LOCAL_MACHINE\Software\Test]
"Text"="hello"
"Empty"=""
"Cut"=hex(1):61,62,00,63,00
"NoZero"=hex(1):61,62
"Number"=dword:0000002a
"Bytes"=hex:01,02,03
"Multi"=hex(7):61,00,62,00,00
"Odd"=hex(99):ff
"Long"=hex(4):01,02,03,04,05
@="default"

[HKEY_LOCAL_MACHINE\Software\Test\Child]
"Inner"="in"

[HKEY_LOCAL_MACHINE\Software\Other]
)");
  }
  std::string ErrorOf(auto f) {
    try {
      f();
    } catch (const Error& e) {
      return e.Message();
    }
    return "no error";
  }
};

TEST_F(RegistryReaderTest, ReadsEachTypeByItsRules) {
  TRegistry reg;
  reg.RootKey = kHKeyLocalMachine;
  ASSERT_TRUE(reg.OpenKey("Software\\Test"));
  EXPECT_EQ(reg.ReadString("Text"), "hello");
  EXPECT_EQ(reg.ReadString("Empty"), "");
  EXPECT_EQ(reg.ReadString("Missing"), "");
  EXPECT_EQ(reg.ReadString("Cut"), "ab");  // ends at the first zero
  EXPECT_EQ(reg.ReadString("NoZero"), "ab");
  EXPECT_EQ(reg.ReadString(""), "default");
  EXPECT_EQ(reg.ReadInteger("Number"), 42);
  std::uint8_t buffer[4] = {9, 9, 9, 9};
  EXPECT_EQ(reg.ReadBinaryData("Bytes", buffer, 4), 3);
  EXPECT_EQ(buffer[2], 3);
  EXPECT_EQ(reg.ReadBinaryData("Missing", buffer, 4), 0);
  EXPECT_EQ(reg.ReadBinaryData("Multi", buffer, 5), 5);  // a type the reader does not name
  EXPECT_EQ(reg.ReadBinaryData("Odd", buffer, 4), 1);
  EXPECT_EQ(reg.GetDataSize("Bytes"), 3);
  EXPECT_EQ(reg.GetDataSize("Missing"), -1);
  EXPECT_TRUE(reg.ValueExists("Empty"));
  EXPECT_FALSE(reg.ValueExists("Missing"));
}

TEST_F(RegistryReaderTest, FailuresNameTheValue) {
  TRegistry reg;
  reg.RootKey = kHKeyLocalMachine;
  ASSERT_TRUE(reg.OpenKey("Software\\Test"));
  std::uint8_t small[2];
  struct Case {
    std::function<void()> read;
    const char* message;
  } cases[] = {
      {[&] { reg.ReadString("Number"); }, "Invalid data type for 'Number'"},
      {[&] { reg.ReadString("Bytes"); }, "Invalid data type for 'Bytes'"},
      {[&] { reg.ReadInteger("Missing"); }, "Failed to get data for 'Missing'"},
      {[&] { reg.ReadInteger("Text"); }, "Failed to get data for 'Text'"},  // 6 bytes
      {[&] { reg.ReadInteger("Bytes"); }, "Invalid data type for 'Bytes'"},
      {[&] { reg.ReadInteger("Long"); }, "Failed to get data for 'Long'"},
      {[&] { reg.ReadBinaryData("Text", small, 2); }, "Invalid data type for 'Text'"},
      {[&] { reg.ReadBinaryData("Number", small, 2); }, "Invalid data type for 'Number'"},
      {[&] { reg.ReadBinaryData("Bytes", small, 2); }, "Invalid data type for 'Bytes'"},
  };
  for (auto& c : cases) EXPECT_EQ(ErrorOf(c.read), c.message);
}

TEST_F(RegistryReaderTest, PathsAreRelativeUnlessTheyStartWithABackslash) {
  TRegistry reg;
  reg.RootKey = kHKeyLocalMachine;
  ASSERT_TRUE(reg.OpenKey("Software\\Test"));
  ASSERT_TRUE(reg.OpenKey("Child"));  // relative to the open key, which it then closes
  EXPECT_EQ(reg.ReadString("Inner"), "in");
  EXPECT_EQ(fake::OpenHandles(), 1);
  EXPECT_FALSE(reg.OpenKey("Software\\Other"));  // relative again: not there
  EXPECT_EQ(reg.ReadString("Inner"), "in");      // a failed open keeps the open key
  ASSERT_TRUE(reg.OpenKey("\\Software\\Other"));
  EXPECT_TRUE(reg.KeyExists("\\Software\\Test\\Child"));
  EXPECT_FALSE(reg.KeyExists("\\Software\\Nothing"));
  EXPECT_EQ(fake::OpenHandles(), 1);
  reg.CloseKey();
  EXPECT_EQ(fake::OpenHandles(), 0);
}

TEST_F(RegistryReaderTest, ListsNamesAndClearsFirst) {
  TRegistry reg;
  reg.RootKey = kHKeyLocalMachine;
  TStringList names{"stale"};
  reg.GetKeyNames(names);
  EXPECT_TRUE(names.Empty());  // no key open
  ASSERT_TRUE(reg.OpenKey("Software"));
  reg.GetKeyNames(names);
  EXPECT_EQ(names.ToVector(), (std::vector<std::string>{"Test", "Other"}));
  ASSERT_TRUE(reg.OpenKey("Test"));
  reg.GetValueNames(names);
  EXPECT_EQ(names.Count(), 10);
  EXPECT_EQ(names[0], "Text");
}

TEST_F(RegistryReaderTest, NamesIgnoreCaseAndKeepTheirSpelling) {
  TRegistry reg;
  reg.RootKey = kHKeyLocalMachine;
  ASSERT_TRUE(reg.OpenKey("SOFTWARE\\test"));
  EXPECT_EQ(reg.ReadString("TEXT"), "hello");
  TStringList names;
  ASSERT_TRUE(reg.OpenKey("\\software"));
  reg.GetKeyNames(names);
  EXPECT_EQ(names[0], "Test");
}

// The program never writes, so it must not ask for write access: a key that refuses
// it (a machine key seen by an account without administrative rights) still opens.
TEST_F(RegistryReaderTest, OpensAskForReadAccessOnly) {
  registry().RefuseAccess("HKEY_LOCAL_MACHINE\\Software\\Test", platform::kKeySetValue);
  TRegistry reg;
  reg.RootKey = kHKeyLocalMachine;
  EXPECT_TRUE(reg.OpenKey("Software\\Test"));
  EXPECT_TRUE(reg.OpenKeyReadOnly("\\Software\\Test"));
  EXPECT_TRUE(reg.KeyExists("\\Software\\Test"));
  registry().RefuseAccess("HKEY_LOCAL_MACHINE\\Software\\Other", platform::kKeyRead);
  EXPECT_FALSE(reg.OpenKey("\\Software\\Other"));  // a refused key counts as missing
}

TEST_F(RegistryReaderTest, BadRegeditTextFailsLoudly) {
  EXPECT_THROW(registry().Load("REGEDIT4\n\"orphan\"=\"x\"\n"), std::runtime_error);
  EXPECT_THROW(registry().Load("REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"v\"=dword:xyz\n"),
               std::runtime_error);
}

}  // namespace
}  // namespace qor
