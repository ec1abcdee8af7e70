#pragma once
// The scriptable machine tests describe: a registry loaded from REGEDIT4 text and
// settable answers for every other platform call. It counts what is still open so a
// test can prove that a refresh released everything it took.
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/memory.h"
#include "platform/registry.h"
#include "platform/version.h"

namespace qor::fake {

class FakeRegistry {
 public:
  FakeRegistry();
  ~FakeRegistry();
  void Clear();
  // REGEDIT4 text: [keys], "name"="text", @=..., dword:, hex:, hex(N): with "\"
  // continuations, "name"=- and [-key] deletions. Throws std::runtime_error on bad text.
  void Load(std::string_view regedit);
  void LoadFile(const std::string& path);
  // Opens of this key asking for any of these access bits are refused.
  void RefuseAccess(std::string_view keyPath, std::uint32_t accessBits);
  void SetValue(std::string_view keyPath, std::string_view name, std::uint32_t type,
                std::vector<std::uint8_t> data);
  void CreateKey(std::string_view keyPath);
  int OpenKeys() const;

  struct Node;
  Node* Find(platform::HKey key) const;
  Node* Root(platform::HKey root) const;
  platform::HKey NewHandle(Node* node);
  bool CloseHandle(platform::HKey key);

 private:
  Node* MakePath(std::string_view fullPath);
  std::vector<std::unique_ptr<Node>> roots_;
  std::vector<std::pair<platform::HKey, Node*>> handles_;
  platform::HKey nextHandle_ = 0x1000;
};

struct Machine {
  // Version record answers; versionExRefused fails the 156-byte request as old
  // systems do, versionRefused fails every request.
  platform::OsVersionInfo version;
  bool versionExRefused = false;
  bool versionRefused = false;
  platform::MemoryStatus memory;
  platform::SystemInfo system;
  // Console: everything written, lines still to read, and the boxes shown.
  std::string output;
  std::deque<std::string> input;
  bool isConsole = true;
  std::vector<std::string> messageBoxes;
  char decimalSeparator = '.';
  std::string lineEnd = "\r\n";
};

// The current machine; Reset() replaces it (and the registry) with a blank one.
Machine& Current();
FakeRegistry& Registry();
void Reset();
// Area fakes register how to reset their own state.
bool OnReset(void (*reset)());

// Sets the version answer: platform id, major, minor, build, service text.
void SetVersion(std::uint32_t platformId, std::uint32_t major, std::uint32_t minor,
                std::uint32_t build, std::string_view service = "");

// Registry keys and other handles still open.
int OpenHandles();
// Other fakes count their handles here.
void HandleOpened();
void HandleClosed();

}  // namespace qor::fake
