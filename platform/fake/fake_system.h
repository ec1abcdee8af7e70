#pragma once
// The fake machine's answers to the system questions of platform/system.h.
#include <cstdint>
#include <map>
#include <string>

#include "platform/system.h"

namespace qor::fake {

struct FakeVersionResource {
  bool hasFixedInfo = true;
  std::uint32_t versionMS = 0;
  std::uint32_t versionLS = 0;
  // Sub-block path -> text, e.g. "\StringFileInfo\040904E4\FileDescription".
  std::map<std::string, std::string> texts;
  bool readFails = false;  // the size is given but the read is refused
};

struct FakeShellLink {
  std::string target;
  std::string arguments;
};

struct SystemState {
  // Empty optional-like answers: set the bool to false to make the call fail.
  std::string computerName = "FAKEPC";
  bool computerNameFails = false;
  std::string userName = "fakeuser";
  bool userNameFails = false;
  std::string windowsFolder = "C:\\WINDOWS";
  bool windowsFolderFails = false;

  std::uint64_t ticks = 0;
  platform::SystemTime now{2002, 3, 5, 15, 12, 0, 0, 0};
  std::uint8_t keyState[platform::kKeyStateSize] = {};
  bool keyStateFails = false;
  // Physical address -> text, for the BIOS image reads.
  std::map<std::uint32_t, std::string> biosTexts;
  int biosReads = 0;

  // File name -> version resource.
  std::map<std::string, FakeVersionResource> versionFiles;

  // Shell links: file name -> what it resolves to. The codes make a step fail.
  std::map<std::string, FakeShellLink> links;
  platform::HResult initCode = 0;
  platform::HResult createCode = 0;
  platform::HResult queryFileCode = 0;
  platform::HResult resolveCode = 0;
  platform::HResult pathCode = 0;
  platform::HResult argumentsCode = 0;
  std::string loadedLinkFile;  // the name the last load was given
  // Every shell-link call in order ("init", "create", "query", "load", "resolve",
  // "path", "arguments", "release link", "release file", "uninit").
  std::string calls;
};

SystemState& System();

}  // namespace qor::fake
