#include "platform/fake/fake_system.h"

#include <cstring>

#include "platform/fake/fake_machine.h"

namespace qor::fake {

SystemState& System() {
  static SystemState state;
  return state;
}

namespace {
const bool registered = OnReset([] { System() = SystemState{}; });

constexpr platform::HResult kFail = static_cast<platform::HResult>(0x80004005u);  // E_FAIL
constexpr platform::ComObject kLinkObject = 0x51;
constexpr platform::ComObject kFileObject = 0x52;

void Call(const char* name) {
  auto& calls = System().calls;
  if (!calls.empty()) calls += ",";
  calls += name;
}

// The fake's version block holds the file name it was read from.
const FakeVersionResource* BlockFile(const std::vector<std::uint8_t>& block) {
  std::string name(block.begin(), block.end());
  name = name.c_str();
  auto it = System().versionFiles.find(name);
  return it == System().versionFiles.end() ? nullptr : &it->second;
}

}  // namespace
}  // namespace qor::fake

namespace qor::platform {

using fake::System;

bool QueryComputerName(std::string& name) {
  if (System().computerNameFails) return false;
  name = System().computerName;
  return true;
}

bool QueryUserName(std::string& name) {
  if (System().userNameFails) return false;
  name = System().userName;
  return true;
}

bool QueryWindowsFolder(std::string& path) {
  if (System().windowsFolderFails) return false;
  path = System().windowsFolder;
  return true;
}

std::uint64_t MillisecondsSinceBoot() {
  return System().ticks;
}

void ReadLocalClock(SystemTime& now) {
  now = System().now;
}

bool ReadKeyboardState(std::uint8_t (&state)[kKeyStateSize]) {
  if (System().keyStateFails) return false;
  std::memcpy(state, System().keyState, kKeyStateSize);
  return true;
}

std::string ReadBiosText(std::uint32_t physicalAddress) {
  ++System().biosReads;
  auto it = System().biosTexts.find(physicalAddress);
  return it == System().biosTexts.end() ? std::string() : it->second;
}

std::uint32_t FileVersionInfoSize(const char* fileName) {
  if (System().versionFiles.count(fileName) == 0) return 0;
  return static_cast<std::uint32_t>(std::strlen(fileName) + 1);
}

bool ReadFileVersionInfo(const char* fileName, std::vector<std::uint8_t>& block) {
  auto it = System().versionFiles.find(fileName);
  if (it == System().versionFiles.end() || it->second.readFails) return false;
  std::size_t n = std::strlen(fileName) + 1;
  if (block.size() < n) return false;
  std::memcpy(block.data(), fileName, n);
  return true;
}

bool QueryFixedFileVersion(const std::vector<std::uint8_t>& block, std::uint32_t& versionMS,
                           std::uint32_t& versionLS) {
  const auto* file = fake::BlockFile(block);
  if (!file || !file->hasFixedInfo) return false;
  versionMS = file->versionMS;
  versionLS = file->versionLS;
  return true;
}

bool QueryVersionText(const std::vector<std::uint8_t>& block, const char* subBlock,
                      std::string& text) {
  const auto* file = fake::BlockFile(block);
  if (!file) return false;
  auto it = file->texts.find(subBlock);
  if (it == file->texts.end()) return false;
  text = it->second;
  return true;
}

HResult ComInitialize() {
  fake::Call("init");
  if (System().initCode < 0) return System().initCode;
  fake::HandleOpened();
  return System().initCode;
}

void ComUninitialize() {
  fake::Call("uninit");
  fake::HandleClosed();
}

HResult CreateShellLinkObject(ComObject* link) {
  fake::Call("create");
  *link = 0;
  if (System().createCode < 0) return System().createCode;
  fake::HandleOpened();
  *link = fake::kLinkObject;
  return System().createCode;
}

HResult QueryPersistFile(ComObject link, ComObject* file) {
  fake::Call("query");
  *file = 0;
  if (link != fake::kLinkObject) return fake::kFail;
  if (System().queryFileCode < 0) return System().queryFileCode;
  fake::HandleOpened();
  *file = fake::kFileObject;
  return System().queryFileCode;
}

void ReleaseComObject(ComObject object) {
  fake::Call(object == fake::kLinkObject ? "release link" : "release file");
  fake::HandleClosed();
}

HResult LoadPersistFile(ComObject file, const std::string& fileName) {
  fake::Call("load");
  if (file != fake::kFileObject) return fake::kFail;
  System().loadedLinkFile = fileName;
  // The name is converted to at most 520 UTF-16 characters.
  if (System().links.count(fileName.substr(0, 520)) == 0) return fake::kFail;
  return 0;
}

HResult ResolveLinkTarget(ComObject link, std::uint32_t flags) {
  fake::Call("resolve");
  if (link != fake::kLinkObject || flags != 1) return fake::kFail;
  return System().resolveCode;
}

HResult ReadLinkPath(ComObject link, std::uint32_t flags, std::string& path) {
  fake::Call("path");
  if (link != fake::kLinkObject || flags != 2) return fake::kFail;
  if (System().pathCode < 0) return System().pathCode;
  path = System().links[System().loadedLinkFile.substr(0, 520)].target;
  return System().pathCode;
}

HResult ReadLinkArguments(ComObject link, std::string& arguments) {
  fake::Call("arguments");
  if (link != fake::kLinkObject) return fake::kFail;
  if (System().argumentsCode < 0) return System().argumentsCode;
  arguments = System().links[System().loadedLinkFile.substr(0, 520)].arguments;
  return System().argumentsCode;
}

}  // namespace qor::platform
