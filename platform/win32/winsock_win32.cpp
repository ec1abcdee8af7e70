#include <winsock.h>
// winsock.h first: it brings windows.h.
#include <nb30.h>

#include <cstring>

#include "platform/netbios.h"
#include "platform/winsock.h"

namespace qor::platform {
namespace {

std::string Bounded(const char* text, std::size_t max) {
  return std::string(text, strnlen(text, max));
}

}  // namespace

int StartSockets(std::uint16_t version, SocketsData& data) {
  WSADATA raw;
  std::memset(&raw, 0, sizeof raw);
  int result = WSAStartup(version, &raw);
  if (result != 0) return result;
  data.wVersion = raw.wVersion;
  data.wHighVersion = raw.wHighVersion;
  data.szDescription = Bounded(raw.szDescription, WSADESCRIPTION_LEN + 1);
  data.szSystemStatus = Bounded(raw.szSystemStatus, WSASYS_STATUS_LEN + 1);
  return 0;
}

void StopSockets() {
  WSACleanup();
}

int QueryLocalHostName(char* buffer, int length) {
  return gethostname(buffer, length) == 0 ? 0 : WSAGetLastError();
}

bool ResolveHostName(const char* name, std::vector<IPv4Address>& addresses) {
  addresses.clear();
  const hostent* host = gethostbyname(name);
  if (host == nullptr) return false;
  if (host->h_addrtype != AF_INET || host->h_length != 4) return true;
  for (char** a = host->h_addr_list; *a != nullptr; ++a) {
    IPv4Address address;
    std::memcpy(address.data(), *a, 4);
    addresses.push_back(address);
  }
  return true;
}

std::string IPv4Text(const IPv4Address& address) {
  in_addr raw;
  std::memcpy(&raw, address.data(), 4);
  const char* text = inet_ntoa(raw);
  return text ? text : "";
}

std::uint8_t RunNetbios(NetbiosBlock& block) {
  NCB raw;
  std::memset(&raw, 0, sizeof raw);
  raw.ncb_command = block.ncb_command;
  raw.ncb_buffer = block.ncb_buffer;
  raw.ncb_length = block.ncb_length;
  std::memcpy(raw.ncb_callname, block.ncb_callname, sizeof raw.ncb_callname);
  raw.ncb_lana_num = block.ncb_lana_num;
  return Netbios(&raw);
}

}  // namespace qor::platform
