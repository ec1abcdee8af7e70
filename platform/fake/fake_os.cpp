#include "platform/fake/fake_os.h"

#include "platform/fake/fake_machine.h"

namespace qor::fake {
namespace {
OsState& Storage() {
  static OsState state;
  return state;
}
const bool registered = OnReset([] { Storage() = OsState{}; });
}  // namespace

OsState& Os() {
  return Storage();
}

void SetEnvironment(const std::vector<std::string>& entries) {
  std::string block;
  for (const auto& e : entries) {
    block += e;
    block += '\0';
  }
  block += '\0';
  Os().environment = block;
}

void SetZoneName(char16_t (&name)[32], std::string_view text) {
  for (auto& c : name) c = 0;
  for (std::size_t i = 0; i < text.size() && i < 31; ++i)
    name[i] = static_cast<unsigned char>(text[i]);
}

}  // namespace qor::fake

namespace qor::platform {

using fake::Os;

std::string ReadEnvironmentBlock() {
  return Os().environment;
}

bool QuerySystemFolder(std::string& path) {
  if (Os().systemFolder.empty()) return false;
  path = Os().systemFolder;
  return true;
}

bool QueryTempFolder(std::string& path) {
  if (Os().tempFolder.empty()) return false;
  path = Os().tempFolder;
  return true;
}

char PathDelimiter() {
  return '\\';
}

WindowHandle DesktopWindowHandle() {
  return Os().desktop;
}

bool QuerySpecialFolder(WindowHandle owner, int folder, std::string& path) {
  Os().folderQueries.emplace_back(owner, folder);
  auto it = Os().specialFolders.find(folder);
  if (it == Os().specialFolders.end()) return false;
  path = it->second;
  return true;
}

void ReadTimeZone(TimeZoneRecord& zone) {
  zone = Os().timeZone;
}

}  // namespace qor::platform
