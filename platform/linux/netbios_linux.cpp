// The NetBIOS view of Linux: one adapter number per network interface that has a
// hardware address (loopback excluded), in interface order; its status answers
// that address.
#include <dirent.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/linux/proc_file.h"
#include "platform/linux/sources.h"
#include "platform/netbios.h"

namespace qor::platform {
namespace {

using linux_impl::CurrentSources;
using linux_impl::ReadSmallFile;

constexpr std::uint8_t kNoSuchAdapter = 0x23;
constexpr int kLoopbackType = 772;
constexpr std::uint16_t kAdapterStatusMinimum = 60;  // the fixed part of the status record

struct Interface {
  int index;
  std::array<std::uint8_t, 6> address;
};

std::vector<Interface> Interfaces() {
  std::vector<Interface> found;
  const std::string root = CurrentSources().sysfs + "/class/net";
  DIR* dir = opendir(root.c_str());
  if (!dir) return found;
  while (dirent* e = readdir(dir)) {
    if (e->d_name[0] == '.') continue;
    const std::string base = root + "/" + e->d_name;
    int type = 0, index = 0;
    std::sscanf(ReadSmallFile((base + "/type").c_str(), 32).c_str(), "%d", &type);
    std::sscanf(ReadSmallFile((base + "/ifindex").c_str(), 32).c_str(), "%d", &index);
    unsigned b[6];
    if (type == kLoopbackType ||
        std::sscanf(ReadSmallFile((base + "/address").c_str(), 64).c_str(),
                    "%2x:%2x:%2x:%2x:%2x:%2x", &b[0], &b[1], &b[2], &b[3], &b[4], &b[5]) != 6)
      continue;
    Interface i{index, {}};
    for (int k = 0; k < 6; ++k) i.address[k] = static_cast<std::uint8_t>(b[k]);
    if (std::all_of(i.address.begin(), i.address.end(), [](auto v) { return v == 0; })) continue;
    found.push_back(i);
  }
  closedir(dir);
  std::sort(found.begin(), found.end(), [](auto& a, auto& b) { return a.index < b.index; });
  if (found.size() > 254) found.resize(254);
  return found;
}

}  // namespace

std::uint8_t RunNetbios(NetbiosBlock& block) {
  std::vector<Interface> interfaces = Interfaces();
  switch (block.ncb_command) {
    case kNcbEnum:
      if (block.ncb_buffer == nullptr || block.ncb_length < kLanaEnumSize)
        return kNcbBufferTooSmall;
      block.ncb_buffer[0] = static_cast<std::uint8_t>(interfaces.size());
      for (std::size_t i = 0; i < interfaces.size(); ++i)
        block.ncb_buffer[1 + i] = static_cast<std::uint8_t>(i);
      return kNcbOk;
    case kNcbReset:
      return block.ncb_lana_num < interfaces.size() ? kNcbOk : kNoSuchAdapter;
    case kNcbAdapterStatus:
      if (block.ncb_lana_num >= interfaces.size()) return kNoSuchAdapter;
      if (block.ncb_buffer == nullptr || block.ncb_length < kAdapterStatusMinimum)
        return kNcbBufferTooSmall;
      std::memset(block.ncb_buffer, 0, kAdapterStatusMinimum);
      std::memcpy(block.ncb_buffer, interfaces[block.ncb_lana_num].address.data(), 6);
      return kNcbOk;
    default:
      return kNoSuchAdapter;
  }
}

}  // namespace qor::platform
