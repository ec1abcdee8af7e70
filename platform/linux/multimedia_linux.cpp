// The sound devices as ALSA states them: every PCM device that plays is a wave
// output, every one that records a wave input, every raw MIDI device both a MIDI
// output and input, and every card a mixer. Linux has no auxiliary audio devices.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/linux/proc_file.h"
#include "platform/linux/sources.h"
#include "platform/multimedia.h"

namespace qor::platform {
namespace {

using linux_impl::CurrentSources;
using linux_impl::ReadSmallFile;

constexpr unsigned kBadDeviceId = 2;  // the answer for a device that does not exist

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(pos, end - pos));
    pos = end + 1;
  }
  return lines;
}

std::string Trim(std::string s) {
  while (!s.empty() && s.front() == ' ') s.erase(s.begin());
  while (!s.empty() && (s.back() == ' ' || s.back() == '\n')) s.pop_back();
  return s;
}

// "Advanced Linux Sound Architecture Driver Version k6.1.0." as major and minor.
std::uint32_t DriverVersion() {
  std::string text = ReadSmallFile((CurrentSources().procfs + "/asound/version").c_str(), 256);
  auto at = text.find("Version ");
  if (at == std::string::npos) return 0;
  const char* p = text.c_str() + at + 8;
  if (*p == 'k') ++p;
  unsigned major = 0, minor = 0;
  if (std::sscanf(p, "%u.%u", &major, &minor) < 1) return 0;
  return (major & 0xFF) << 8 | (minor & 0xFF);
}

struct Card {
  int number;
  std::string name;
};

std::vector<Card> Cards() {
  std::vector<Card> cards;
  for (const std::string& line :
       Lines(ReadSmallFile((CurrentSources().procfs + "/asound/cards").c_str()))) {
    int number = -1;
    auto colon = line.find("]: ");
    if (std::sscanf(line.c_str(), " %d [", &number) != 1 || colon == std::string::npos) continue;
    std::string name = line.substr(colon + 3);
    auto dash = name.find(" - ");
    cards.push_back({number, Trim(dash == std::string::npos ? name : name.substr(dash + 3))});
  }
  return cards;
}

std::vector<std::string> Devices(MediaFamily family) {
  std::vector<std::string> names;
  const std::string& proc = CurrentSources().procfs;
  if (family == MediaFamily::WaveOut || family == MediaFamily::WaveIn) {
    // "00-00: ALC892 Analog : ALC892 Analog : playback 1 : capture 1"
    const char* wanted = family == MediaFamily::WaveOut ? ": playback " : ": capture ";
    for (const std::string& line : Lines(ReadSmallFile((proc + "/asound/pcm").c_str()))) {
      if (line.find(wanted) == std::string::npos) continue;
      auto first = line.find(": "), second = line.find(" : ", first + 2);
      if (first == std::string::npos || second == std::string::npos) continue;
      auto third = line.find(" : ", second + 3);
      names.push_back(Trim(line.substr(second + 3, third - second - 3)));
    }
  } else if (family == MediaFamily::MidiOut || family == MediaFamily::MidiIn) {
    for (const Card& card : Cards())
      for (int d = 0; d < 8; ++d) {
        std::string path =
            proc + "/asound/card" + std::to_string(card.number) + "/midi" + std::to_string(d);
        if (!ReadSmallFile(path.c_str(), 64).empty()) names.push_back(card.name);
      }
  } else if (family == MediaFamily::Mixer) {
    for (const Card& card : Cards()) names.push_back(card.name);
  }
  return names;
}

}  // namespace

unsigned MediaDeviceCount(MediaFamily family) {
  return static_cast<unsigned>(Devices(family).size());
}

unsigned QueryMediaDeviceCaps(MediaFamily family, unsigned id, MediaCaps& caps) {
  std::vector<std::string> names = Devices(family);
  if (id >= names.size()) return kBadDeviceId;
  caps = MediaCaps{};
  caps.vDriverVersion = DriverVersion();
  std::strncpy(caps.szPname, names[id].c_str(), sizeof caps.szPname - 1);
  return 0;
}

}  // namespace qor::platform
