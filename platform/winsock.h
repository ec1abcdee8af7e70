#pragma once
// The sockets layer: start-up record, the local host name and its resolution.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace qor::platform {

// What starting the sockets layer reports; texts end at their first zero.
struct SocketsData {
  std::uint16_t wVersion = 0;
  // Low byte the major, high byte the minor number of the highest version supported.
  std::uint16_t wHighVersion = 0;
  std::string szDescription;   // at most 257 characters
  std::string szSystemStatus;  // at most 129 characters
};

using IPv4Address = std::array<std::uint8_t, 4>;

// 0 on success; only then must StopSockets follow.
int StartSockets(std::uint16_t version, SocketsData& data);
void StopSockets();
// The zero-terminated local host name in a buffer of `length` bytes; 0 on success.
int QueryLocalHostName(char* buffer, int length);
// The IPv4 addresses a host name resolves to, in the resolver's order; false when it
// does not resolve.
bool ResolveHostName(const char* name, std::vector<IPv4Address>& addresses);
// The dotted text of an address.
std::string IPv4Text(const IPv4Address& address);

}  // namespace qor::platform
