#pragma once
// The network area: the sockets layer, the machine's IP and hardware addresses,
// and (TNetwork) the adapters, protocols, services and clients.
#include <cstdint>
#include <string>

#include "base/persistent.h"

namespace qor {

class TWinsock : public TInfoClass {
 public:
  const char* ClassName() const override { return "TWinsock"; }
  // Never fails: a sockets layer that does not start shows in Status.
  void GetInfo() override;
  void Publish(PropertyWriter& w) const override;

  std::string Description;
  std::string Status;
  std::uint16_t MajorVersion = 0;
  std::uint16_t MinorVersion = 0;
};

class TNetwork : public TInfoClass {
 public:
  const char* ClassName() const override { return "TNetwork"; }
  void GetInfo() override;
  void Publish(PropertyWriter& w) const override;

  TStringList Adapters;
  TWinsock WinSock;
  TStringList IPAddresses;
  TStringList MACAddresses;
  TStringList Clients;
  TStringList Services;
  TStringList Protocols;
  // Index into Adapters of the first adapter with a location; -1 when none.
  std::int32_t CardAdapterIndex = 0;
};

// The addresses the local host name resolves to, dotted, joined by single commas, in
// the resolver's order; empty when the name does not resolve.
std::string GetIPAddressText();
// Refills the list with the distinct hardware addresses of the NetBIOS adapters
// ("00:a0:c9:12:34:56"; "??:??:??:??:??:??" for an adapter that does not answer).
void GetMACAddressList(TStringList& list);

}  // namespace qor
