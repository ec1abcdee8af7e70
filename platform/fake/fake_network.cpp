#include "platform/fake/fake_network.h"

#include <cstdio>
#include <cstring>

#include "platform/fake/fake_machine.h"
#include "platform/netbios.h"

namespace qor::fake {
namespace {

struct State {
  Sockets sockets;
  NetBios netbios;
};
State& Storage() {
  static State state;
  return state;
}
const bool registered = OnReset([] { Storage() = State{}; });

constexpr std::uint8_t kBadLana = 0x23;
constexpr std::uint16_t kAdapterStatusSize = 60;

}  // namespace

Sockets& CurrentSockets() {
  return Storage().sockets;
}
NetBios& CurrentNetBios() {
  return Storage().netbios;
}

}  // namespace qor::fake

namespace qor::platform {

using fake::CurrentNetBios;
using fake::CurrentSockets;

int StartSockets(std::uint16_t version, SocketsData& data) {
  (void)version;
  auto& s = CurrentSockets();
  if (s.startResult != 0) return s.startResult;
  ++s.starts;
  fake::HandleOpened();
  data = s.data;
  return 0;
}

void StopSockets() {
  auto& s = CurrentSockets();
  ++s.stops;
  fake::HandleClosed();
}

int QueryLocalHostName(char* buffer, int length) {
  auto& s = CurrentSockets();
  if (s.hostNameResult != 0) return s.hostNameResult;
  if (static_cast<int>(s.hostName.size()) >= length) return 10014;  // the buffer is too small
  std::memcpy(buffer, s.hostName.c_str(), s.hostName.size() + 1);
  return 0;
}

bool ResolveHostName(const char* name, std::vector<IPv4Address>& addresses) {
  auto& hosts = CurrentSockets().hosts;
  auto found = hosts.find(name);
  if (found == hosts.end()) return false;
  addresses = found->second;
  return true;
}

std::string IPv4Text(const IPv4Address& a) {
  char text[16];
  std::snprintf(text, sizeof text, "%u.%u.%u.%u", a[0], a[1], a[2], a[3]);
  return text;
}

std::uint8_t RunNetbios(NetbiosBlock& block) {
  auto& nb = CurrentNetBios();
  const fake::Lana* lana = nullptr;
  for (const auto& l : nb.lanas)
    if (l.number == block.ncb_lana_num) lana = &l;
  switch (block.ncb_command) {
    case kNcbEnum: {
      nb.calls.push_back("ENUM " + std::to_string(block.ncb_length));
      if (nb.enumResult != 0) return nb.enumResult;
      // Like the system's, the fake asks for room for the whole record.
      if (block.ncb_length < kLanaEnumSize) return kNcbBufferTooSmall;
      block.ncb_buffer[0] = static_cast<std::uint8_t>(nb.lanas.size());
      for (std::size_t i = 0; i < nb.lanas.size(); ++i)
        block.ncb_buffer[1 + i] = nb.lanas[i].number;
      return 0;
    }
    case kNcbReset:
      nb.calls.push_back("RESET " + std::to_string(block.ncb_lana_num));
      return lana ? lana->resetResult : fake::kBadLana;
    case kNcbAdapterStatus: {
      nb.calls.push_back("ASTAT " + std::to_string(block.ncb_lana_num) + " " +
                         std::to_string(block.ncb_length) + " '" +
                         std::string(block.ncb_callname, sizeof block.ncb_callname) + "'");
      if (!lana) return fake::kBadLana;
      if (lana->statusResult != 0) return lana->statusResult;
      if (block.ncb_length < fake::kAdapterStatusSize) return kNcbBufferTooSmall;
      std::memcpy(block.ncb_buffer, lana->address.data(), lana->address.size());
      return 0;
    }
    default:
      return 0x03;  // invalid command
  }
}

}  // namespace qor::platform
