#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string_view>

#include "platform/linux/proc_file.h"
#include "platform/os.h"

extern char** environ;

namespace qor::platform {
namespace {

std::string Variable(const char* name) {
  const char* v = std::getenv(name);
  return v ? std::string(v) : std::string();
}

std::string HomeFolder() {
  std::string home = Variable("HOME");
  if (!home.empty()) return home;
  passwd entry{};
  passwd* found = nullptr;
  char buffer[4096];
  if (::getpwuid_r(::getuid(), &entry, buffer, sizeof buffer, &found) == 0 && found)
    return found->pw_dir ? std::string(found->pw_dir) : std::string();
  return {};
}

// A path of the windows' length limit: longer ones count as missing there too.
bool Answer(std::string value, std::string& path) {
  if (value.empty() || value.size() > 259) return false;
  path = std::move(value);
  return true;
}

// The user's own folder named key ("XDG_DESKTOP_DIR") as the user-dirs file of the
// configuration folder sets it, else as the environment sets it. A folder set to
// the home folder itself is switched off, by that file's own convention.
std::string UserDir(const char* key) {
  const std::string home = HomeFolder();
  std::string config = Variable("XDG_CONFIG_HOME");
  if (config.empty() && !home.empty()) config = home + "/.config";
  std::string value;
  bool found = false;
  if (!config.empty()) {
    const std::string text = linux_impl::ReadSmallFile((config + "/user-dirs.dirs").c_str());
    std::string_view rest = text;
    const std::string prefix = std::string(key) + "=";
    while (!rest.empty()) {
      std::size_t end = rest.find('\n');
      std::string_view line = rest.substr(0, end);
      rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
      while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
      if (line.substr(0, prefix.size()) != prefix) continue;
      line.remove_prefix(prefix.size());
      if (line.size() >= 2 && line.front() == '"' && line.back() == '"')
        line = line.substr(1, line.size() - 2);
      // The file writes either "$HOME/..." or an absolute path.
      if (line.substr(0, 5) == "$HOME") {
        if (home.empty()) continue;
        value = home + std::string(line.substr(5));
      } else if (!line.empty() && line.front() == '/') {
        value = std::string(line);
      } else {
        continue;
      }
      found = true;  // the last assignment wins, as when the file is sourced
    }
  }
  if (!found) value = Variable(key);
  while (value.size() > 1 && value.back() == '/') value.pop_back();
  std::string homeTrimmed = home;
  while (homeTrimmed.size() > 1 && homeTrimmed.back() == '/') homeTrimmed.pop_back();
  if (value == homeTrimmed) return {};
  return value;
}

std::string DataHome() {
  std::string data = Variable("XDG_DATA_HOME");
  if (!data.empty() && data.front() == '/') return data;
  const std::string home = HomeFolder();
  return home.empty() ? std::string() : home + "/.local/share";
}

void ToName(char16_t (&name)[32], const char* text) {
  for (auto& c : name) c = 0;
  for (int i = 0; text && text[i] && i < 31; ++i) name[i] = static_cast<unsigned char>(text[i]);
}

SystemTime WallClock(std::time_t utc, long offset) {
  std::time_t wall = utc + offset;
  std::tm t{};
  ::gmtime_r(&wall, &t);
  return SystemTime{
      static_cast<std::uint16_t>(t.tm_year + 1900), static_cast<std::uint16_t>(t.tm_mon + 1),
      static_cast<std::uint16_t>(t.tm_wday),        static_cast<std::uint16_t>(t.tm_mday),
      static_cast<std::uint16_t>(t.tm_hour),        static_cast<std::uint16_t>(t.tm_min),
      static_cast<std::uint16_t>(t.tm_sec),         0};
}

}  // namespace

std::string ReadEnvironmentBlock() {
  std::string block;
  for (char** e = environ; e && *e; ++e) {
    if (**e == '\0') continue;  // an empty entry would end the block early
    block += *e;
    block += '\0';
  }
  block += '\0';
  return block;
}

// Linux has no system folder of Windows' kind.
bool QuerySystemFolder(std::string&) {
  return false;
}

// TMPDIR where the user set one, else the folder every Linux system has for it.
bool QueryTempFolder(std::string& path) {
  std::string dir = Variable("TMPDIR");
  return Answer(dir.empty() ? std::string("/tmp") : dir, path);
}

char PathDelimiter() {
  return '/';
}

// There is no desktop window to own anything.
WindowHandle DesktopWindowHandle() {
  return 0;
}

// Only the user's own folders that Linux defines have a path; the shell's virtual
// folders and the all-users folders have none here.
bool QuerySpecialFolder(WindowHandle, int folder, std::string& path) {
  switch (folder) {
    case 0x00:  // desktop
    case 0x10:  // desktop directory
      return Answer(UserDir("XDG_DESKTOP_DIR"), path);
    case 0x05:  // personal documents
      return Answer(UserDir("XDG_DOCUMENTS_DIR"), path);
    case 0x15:  // templates
      return Answer(UserDir("XDG_TEMPLATES_DIR"), path);
    case 0x1A:  // application data
      return Answer(DataHome(), path);
    default:
      return false;
  }
}

// The zone rules of the C library, walked over this year: the standard offset and
// name, and each change into and out of daylight saving time that falls in the year,
// given as the local wall-clock time just before it, as an absolute date.
void ReadTimeZone(TimeZoneRecord& zone) {
  zone = TimeZoneRecord{};
  ::tzset();
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  ::localtime_r(&now, &local);
  const int year = local.tm_year + 1900;

  std::tm first{};
  first.tm_year = year - 1900;
  first.tm_mon = 0;
  first.tm_mday = 1;
  const std::time_t yearStart = ::timegm(&first);
  first.tm_year += 1;
  const std::time_t yearEnd = ::timegm(&first);

  bool haveStandard = false, haveDaylight = false;
  long standardOffset = local.tm_gmtoff, daylightOffset = 0;
  auto note = [&](const std::tm& t) {
    if (t.tm_isdst > 0) {
      if (!haveDaylight) {
        daylightOffset = t.tm_gmtoff;
        ToName(zone.DaylightName, t.tm_zone);
        haveDaylight = true;
      }
    } else if (!haveStandard) {
      standardOffset = t.tm_gmtoff;
      ToName(zone.StandardName, t.tm_zone);
      haveStandard = true;
    }
  };

  // Steps of six hours find every change (no daylight period is shorter); a halving
  // search then finds its second. Local times stay within a day of UTC.
  constexpr std::time_t kStep = 6 * 3600;
  std::time_t t = yearStart - 86400;
  std::tm previous{};
  ::localtime_r(&t, &previous);
  note(previous);
  for (t += kStep; t <= yearEnd + 86400; t += kStep) {
    std::tm current{};
    ::localtime_r(&t, &current);
    note(current);
    if ((current.tm_isdst > 0) != (previous.tm_isdst > 0)) {
      std::time_t low = t - kStep, high = t;  // low: old state, high: new state
      while (high - low > 1) {
        std::time_t mid = low + (high - low) / 2;
        std::tm m{};
        ::localtime_r(&mid, &m);
        ((m.tm_isdst > 0) == (current.tm_isdst > 0) ? high : low) = mid;
      }
      SystemTime wall = WallClock(high, previous.tm_gmtoff);
      if (wall.wYear == year) (current.tm_isdst > 0 ? zone.DaylightDate : zone.StandardDate) = wall;
    }
    previous = current;
  }

  zone.Bias = static_cast<std::int32_t>(-standardOffset / 60);
  zone.StandardBias = 0;
  if (haveDaylight)
    zone.DaylightBias = static_cast<std::int32_t>(-(daylightOffset - standardOffset) / 60);
}

}  // namespace qor::platform
