#pragma once
// The fake machine's sockets layer and NetBIOS adapters.
#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/winsock.h"

namespace qor::fake {

struct Sockets {
  // What starting the layer answers; non-zero refuses it.
  int startResult = 0;
  platform::SocketsData data{0x0101, 0x0202, "WinSock 2.0", "Running"};
  int hostNameResult = 0;
  std::string hostName = "FAKEHOST";
  // Names that resolve (compared exactly); every other name does not.
  std::map<std::string, std::vector<platform::IPv4Address>> hosts;
  int starts = 0;
  int stops = 0;
};

struct Lana {
  std::uint8_t number = 0;
  std::uint8_t resetResult = 0;
  std::uint8_t statusResult = 0;
  std::array<std::uint8_t, 6> address{};
};

struct NetBios {
  // The enumeration's return code; non-zero leaves the buffer alone.
  std::uint8_t enumResult = 0;
  std::vector<Lana> lanas;
  // Every command run, as "ENUM length", "RESET lana" or "ASTAT lana length 'callname'".
  std::vector<std::string> calls;
};

Sockets& CurrentSockets();
NetBios& CurrentNetBios();

}  // namespace qor::fake
