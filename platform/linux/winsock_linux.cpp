#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netdb.h>
#include <netinet/in.h>
#include <strings.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/winsock.h"

namespace qor::platform {
namespace {

IPv4Address FromSockaddr(const sockaddr* a) {
  IPv4Address address;
  std::memcpy(address.data(), &reinterpret_cast<const sockaddr_in*>(a)->sin_addr, 4);
  return address;
}

// The machine's own name stands for the addresses of its interfaces that are up, as
// it does on Windows; the loopback ones only when there is nothing else.
bool OwnAddresses(std::vector<IPv4Address>& addresses) {
  ifaddrs* list = nullptr;
  if (getifaddrs(&list) != 0) return false;
  std::vector<IPv4Address> loopback;
  for (const ifaddrs* i = list; i != nullptr; i = i->ifa_next) {
    if (i->ifa_addr == nullptr || i->ifa_addr->sa_family != AF_INET) continue;
    if (!(i->ifa_flags & IFF_UP)) continue;
    (i->ifa_flags & IFF_LOOPBACK ? loopback : addresses).push_back(FromSockaddr(i->ifa_addr));
  }
  freeifaddrs(list);
  if (addresses.empty()) addresses = loopback;
  return !addresses.empty();
}

bool SystemResolve(const char* name, std::vector<IPv4Address>& addresses) {
  addrinfo hints;
  std::memset(&hints, 0, sizeof hints);
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;  // one answer per address, not one per socket type
  addrinfo* result = nullptr;
  if (getaddrinfo(name, nullptr, &hints, &result) != 0) return false;
  for (const addrinfo* a = result; a != nullptr; a = a->ai_next)
    if (a->ai_addr != nullptr && a->ai_family == AF_INET)
      addresses.push_back(FromSockaddr(a->ai_addr));
  freeaddrinfo(result);
  return true;
}

}  // namespace

// Linux's sockets need no start-up; the record describes them as the system's own do.
int StartSockets(std::uint16_t version, SocketsData& data) {
  data.wVersion = version;
  data.wHighVersion = 0x0202;
  data.szDescription = "Linux sockets";
  data.szSystemStatus = "Running";
  return 0;
}

void StopSockets() {}

int QueryLocalHostName(char* buffer, int length) {
  if (length <= 0) return EINVAL;
  return gethostname(buffer, static_cast<std::size_t>(length)) == 0 ? 0 : errno;
}

bool ResolveHostName(const char* name, std::vector<IPv4Address>& addresses) {
  addresses.clear();
  char own[256] = {};
  if (gethostname(own, sizeof own - 1) == 0 && strcasecmp(name, own) == 0 &&
      OwnAddresses(addresses))
    return true;
  return SystemResolve(name, addresses);
}

std::string IPv4Text(const IPv4Address& address) {
  char text[INET_ADDRSTRLEN] = {};
  inet_ntop(AF_INET, address.data(), text, sizeof text);
  return text;
}

}  // namespace qor::platform
