#include "routines/system_queries.h"

#include <gtest/gtest.h>

#include "base/error.h"
#include "fake_test.h"
#include "platform/fake/fake_system.h"

namespace qor {
namespace {

class SystemQueriesTest : public test::FakeMachineTest {
 protected:
  fake::SystemState& system() { return fake::System(); }
};

constexpr const char* kDescriptionBlock = "\\StringFileInfo\\040904E4\\FileDescription";

TEST_F(SystemQueriesTest, FileVersionReadsFourNumbersAndTheUsEnglishDescription) {
  auto& file = system().versionFiles["C:\\WINDOWS\\SYSTEM\\IDAPI32.DLL"];
  file.versionMS = 0x00050001;
  file.versionLS = 0x0A280000;
  file.texts[kDescriptionBlock] = "Engine";
  std::string description, version;
  ReadFileVersion("C:\\WINDOWS\\SYSTEM\\IDAPI32.DLL", description, version);
  EXPECT_EQ(version, "5.1.2600.0");
  EXPECT_EQ(description, "Engine");
}

TEST_F(SystemQueriesTest, FileVersionOutputsStayEmptyWhereTheResourceFallsShort) {
  auto& german = system().versionFiles["german.dll"];
  german.versionMS = 0x00040000;
  german.versionLS = 0x00000001;
  german.texts["\\StringFileInfo\\040704E4\\FileDescription"] = "Maschine";
  system().versionFiles["refused.dll"].readFails = true;
  system().versionFiles["nofixed.dll"].hasFixedInfo = false;
  system().versionFiles["nofixed.dll"].texts[kDescriptionBlock] = "Only text";

  struct Case {
    const char* file;
    const char* description;
    const char* version;
  } cases[] = {
      {"german.dll", "", "4.0.0.1"},  // only another language's string table
      {"missing.dll", "", ""},        // no version resource at all
      {"refused.dll", "", ""},        // the resource cannot be read
      {"", "", ""},                   // no file name
      {"nofixed.dll", "Only text", ""},
  };
  for (const auto& c : cases) {
    std::string description = "old", version = "old";
    ReadFileVersion(c.file, description, version);
    EXPECT_EQ(description, c.description) << c.file;
    EXPECT_EQ(version, c.version) << c.file;
  }
}

TEST_F(SystemQueriesTest, FileVersionPassesAtMost259Characters) {
  const std::string longName(300, 'a');
  system().versionFiles[longName.substr(0, 259)].versionMS = 0x00010002;
  std::string description, version;
  ReadFileVersion(longName, description, version);
  EXPECT_EQ(version, "1.2.0.0");
}

constexpr const char* kComputerNameKey =
    "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\ComputerName\\ComputerName]\n";

TEST_F(SystemQueriesTest, ComputerNameFromTheRegistryReplacesTheSystemsAnswer) {
  struct Case {
    const char* registry;
    bool systemFails;
    const char* expected;
  } cases[] = {
      {"", false, "FAKEPC"},                   // no key
      {"", true, ""},                          // nothing at all
      {"\"Other\"=\"x\"\n", false, "FAKEPC"},  // key without the value
      {"\"ComputerName\"=\"REGISTRYPC\"\n", false, "REGISTRYPC"},
      {"\"ComputerName\"=\"\"\n", false, ""},  // empty wins too
      {"\"ComputerName\"=\"REGISTRYPC\"\n", true, "REGISTRYPC"},
  };
  for (const auto& c : cases) {
    fake::Reset();
    if (*c.registry) registry().Load(std::string(kComputerNameKey) + c.registry);
    system().computerNameFails = c.systemFails;
    EXPECT_EQ(ReadComputerName(), c.expected) << c.registry;
    EXPECT_EQ(fake::OpenHandles(), 0);
  }
}

TEST_F(SystemQueriesTest, ComputerNameThatIsNoTextRaisesAndClosesTheKey) {
  registry().Load(std::string(kComputerNameKey) + "\"ComputerName\"=dword:00000001\n");
  try {
    ReadComputerName();
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.Message(), "Invalid data type for 'ComputerName'");
  }
  EXPECT_EQ(fake::OpenHandles(), 0);
}

TEST_F(SystemQueriesTest, UserNameAndWindowsFolderAreEmptyWhenTheSystemCannotTell) {
  EXPECT_EQ(ReadUserName(), "fakeuser");
  EXPECT_EQ(GetWindowsFolder(), "C:\\WINDOWS");
  system().userNameFails = true;
  system().windowsFolderFails = true;
  EXPECT_EQ(ReadUserName(), "");
  EXPECT_EQ(GetWindowsFolder(), "");
}

TEST_F(SystemQueriesTest, ShellLinkGivesTargetAndArguments) {
  system().links["C:\\Start\\Tool.lnk"] = {"C:\\TOOLS\\TOOL.EXE", "/quiet"};
  std::string target = "x", arguments = "y";
  EXPECT_EQ(ResolveShellLink("C:\\Start\\Tool.lnk", target, arguments), 0);
  EXPECT_EQ(target, "C:\\TOOLS\\TOOL.EXE");
  EXPECT_EQ(arguments, "/quiet");
  EXPECT_EQ(system().calls,
            "init,create,query,load,resolve,path,arguments,release file,release link,uninit");
  EXPECT_EQ(fake::OpenHandles(), 0);
}

TEST_F(SystemQueriesTest, ShellLinkStopsAtTheFirstFailingStepAndReleasesWhatItTook) {
  constexpr platform::HResult kFail = static_cast<platform::HResult>(0x80004005u);
  constexpr platform::HResult kDenied = static_cast<platform::HResult>(0x80070005u);
  struct Case {
    platform::HResult fake::SystemState::*step;  // null: the load fails (no such link)
    const char* calls;
    const char* target;
    const char* arguments;
  } cases[] = {
      {&fake::SystemState::initCode, "init", "x", "y"},
      {&fake::SystemState::createCode, "init,create,uninit", "x", "y"},
      {&fake::SystemState::queryFileCode, "init,create,query,release link,uninit", "x", "y"},
      {nullptr, "init,create,query,load,release file,release link,uninit", "x", "y"},
      {&fake::SystemState::resolveCode,
       "init,create,query,load,resolve,release file,release link,uninit", "x", "y"},
      {&fake::SystemState::pathCode,
       "init,create,query,load,resolve,path,release file,release link,uninit", "x", "y"},
      {&fake::SystemState::argumentsCode,
       "init,create,query,load,resolve,path,arguments,release file,release link,uninit",
       "C:\\T.EXE", "y"},
  };
  for (const auto& c : cases) {
    fake::Reset();
    std::string file = "C:\\Start\\T.lnk";
    if (c.step) {
      system().links[file] = {"C:\\T.EXE", "-a"};
      system().*c.step = kDenied;
    }
    std::string target = "x", arguments = "y";
    const platform::HResult code = ResolveShellLink(file, target, arguments);
    EXPECT_EQ(code, c.step ? kDenied : kFail) << c.calls;
    EXPECT_EQ(system().calls, c.calls);
    EXPECT_EQ(target, c.target) << c.calls;
    EXPECT_EQ(arguments, c.arguments) << c.calls;
    EXPECT_EQ(fake::OpenHandles(), 0) << c.calls;
  }
}

TEST_F(SystemQueriesTest, ShellLinkReturnsTheLastSuccessCodeItGot) {
  system().links["a.lnk"] = {"T", "A"};
  system().argumentsCode = 1;  // S_FALSE still succeeds
  std::string target, arguments;
  EXPECT_EQ(ResolveShellLink("a.lnk", target, arguments), 1);
  EXPECT_EQ(arguments, "A");
}

}  // namespace
}  // namespace qor
