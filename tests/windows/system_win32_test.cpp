// The win32 system queries against the real API (Wine's, when the suite runs them).
#include <gtest/gtest.h>
#include <windows.h>
// Must follow windows.h.
#include <objidl.h>
#include <shlobj.h>

#include <regex>
#include <string>

#include "platform/system.h"
#include "routines/system_queries.h"

namespace qor {
namespace {

// Saves a shortcut with the shell link object itself, so resolving it goes the
// whole way through the component library.
bool SaveShortcut(const std::string& file, const char* target, const char* arguments) {
  if (FAILED(CoInitialize(nullptr))) return false;
  bool saved = false;
  IShellLinkA* link = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                 reinterpret_cast<void**>(&link)))) {
    IPersistFile* persist = nullptr;
    link->SetPath(target);
    link->SetArguments(arguments);
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist)))) {
      WCHAR wide[MAX_PATH];
      MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, wide, MAX_PATH);
      saved = SUCCEEDED(persist->Save(wide, TRUE));
      persist->Release();
    }
    link->Release();
  }
  CoUninitialize();
  return saved;
}

TEST(SystemWin32Test, ShellLinkResolvesASavedShortcut) {
  char folder[MAX_PATH];
  ASSERT_GT(GetTempPathA(MAX_PATH, folder), 0u);
  const std::string file = std::string(folder) + "qor_system_test.lnk";
  char system[MAX_PATH];
  ASSERT_GT(GetSystemDirectoryA(system, MAX_PATH), 0u);
  const std::string target = std::string(system) + "\\notepad.exe";
  ASSERT_TRUE(SaveShortcut(file, target.c_str(), "/p readme.txt"));

  std::string resolved = "x", arguments = "y";
  const platform::HResult code = ResolveShellLink(file, resolved, arguments);
  DeleteFileA(file.c_str());
  EXPECT_GE(code, 0);
  EXPECT_EQ(CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, resolved.c_str(), -1,
                           target.c_str(), -1),
            CSTR_EQUAL)
      << resolved;
  EXPECT_EQ(arguments, "/p readme.txt");
}

TEST(SystemWin32Test, ShellLinkToNoFileKeepsTheCallersTexts) {
  std::string target = "x", arguments = "y";
  EXPECT_LT(ResolveShellLink("C:\\no such folder\\none.lnk", target, arguments), 0);
  EXPECT_EQ(target, "x");
  EXPECT_EQ(arguments, "y");
}

TEST(SystemWin32Test, FileVersionOfASystemLibrary) {
  char system[MAX_PATH];
  ASSERT_GT(GetSystemDirectoryA(system, MAX_PATH), 0u);
  std::string description = "old", version = "old";
  ReadFileVersion(std::string(system) + "\\kernel32.dll", description, version);
  EXPECT_TRUE(std::regex_match(version, std::regex(R"(\d+\.\d+\.\d+\.\d+)"))) << version;
  ReadFileVersion(std::string(system) + "\\no such file.dll", description, version);
  EXPECT_EQ(description, "");
  EXPECT_EQ(version, "");
}

TEST(SystemWin32Test, BiosImageIsNotReadWhereTheKernelDoesNotMapIt) {
  // Every process of an NT-like kernel (Wine's included) has ntdll.dll loaded.
  ASSERT_NE(GetModuleHandleA("ntdll.dll"), nullptr);
  EXPECT_EQ(platform::ReadBiosText(platform::kBiosNameAddress), "");
  EXPECT_EQ(platform::ReadBiosText(platform::kBiosDateAddress), "");
}

TEST(SystemWin32Test, NamesFolderAndClockComeFromTheSystem) {
  char buffer[MAX_PATH];
  DWORD size = sizeof buffer;
  ASSERT_TRUE(GetComputerNameA(buffer, &size));
  std::string name;
  ASSERT_TRUE(platform::QueryComputerName(name));
  EXPECT_EQ(name, buffer);
  ASSERT_GT(GetWindowsDirectoryA(buffer, MAX_PATH), 0u);
  EXPECT_EQ(GetWindowsFolder(), buffer);
  EXPECT_FALSE(ReadUserName().empty());
  const ULONGLONG before = GetTickCount64();
  const std::uint64_t ticks = platform::MillisecondsSinceBoot();
  EXPECT_GE(ticks, before);
  EXPECT_LT(ticks, before + 1000);
}

}  // namespace
}  // namespace qor
