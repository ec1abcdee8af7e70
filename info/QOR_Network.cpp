#include "info/QOR_Network.h"

#include <cstring>
#include <vector>

#include "base/format.h"
#include "info/QOR_Console.h"
#include "info/QOR_Devices.h"
#include "platform/netbios.h"
#include "platform/winsock.h"
#include "routines/Velto_Routines.h"

namespace qor {

QOR_REGISTER_AREA(iaNetwork, TNetwork, Network)

namespace {

constexpr std::uint16_t kSocketsVersion = 0x0101;
constexpr int kHostNameSize = 64;
// The whole enumeration record: a count and up to 255 numbers. A shorter buffer is
// refused as too small by implementations that check the record's size.
using platform::kLanaEnumSize;
// The adapter status with room for 16 name entries.
constexpr std::uint16_t kAdapterStatusSize = 348;

}  // namespace

void TWinsock::GetInfo() {
  platform::SocketsData data;
  if (platform::StartSockets(kSocketsVersion, data) != 0) {
    Status = "Winsock cannot be initialized.";
    return;
  }
  Description = data.szDescription;
  Status = data.szSystemStatus;
  MajorVersion = data.wHighVersion & 0xFF;
  MinorVersion = data.wHighVersion >> 8;
  platform::StopSockets();
}

void TWinsock::Publish(PropertyWriter& w) const {
  w.Text("Description", Description);
  w.Integer("MajorVersion", MajorVersion);
  w.Integer("MinorVersion", MinorVersion);
  w.Text("Status", Status);
}

std::string GetIPAddressText() {
  platform::SocketsData data;
  // Resolution may work without a started layer; a layer that started is always
  // stopped again, and one that did not is never stopped.
  const bool started = platform::StartSockets(kSocketsVersion, data) == 0;
  std::string text;
  char name[kHostNameSize] = {};
  std::vector<platform::IPv4Address> addresses;
  if (platform::QueryLocalHostName(name, kHostNameSize) == 0) {
    name[kHostNameSize - 1] = 0;
    if (platform::ResolveHostName(name, addresses))
      for (const auto& address : addresses) text += platform::IPv4Text(address) + ",";
  }
  if (!text.empty()) text.pop_back();
  if (started) platform::StopSockets();
  return text;
}

void GetMACAddressList(TStringList& list) {
  list.Clear();
  std::uint8_t lanas[kLanaEnumSize] = {};
  platform::NetbiosBlock enumerate;
  enumerate.ncb_command = platform::kNcbEnum;
  enumerate.ncb_buffer = lanas;
  enumerate.ncb_length = kLanaEnumSize;
  if (platform::RunNetbios(enumerate) != platform::kNcbOk) lanas[0] = 0;
  const int count = lanas[0];
  for (int i = 1; i <= count; ++i) {
    platform::NetbiosBlock reset;
    reset.ncb_command = platform::kNcbReset;
    reset.ncb_lana_num = lanas[i];
    if (platform::RunNetbios(reset) != platform::kNcbOk) continue;

    std::uint8_t status[kAdapterStatusSize] = {};
    platform::NetbiosBlock query;
    query.ncb_command = platform::kNcbAdapterStatus;
    query.ncb_buffer = status;
    query.ncb_length = kAdapterStatusSize;
    std::memset(query.ncb_callname, ' ', sizeof query.ncb_callname);
    query.ncb_callname[0] = '*';
    query.ncb_lana_num = lanas[i];
    std::string text = "??:??:??:??:??:??";
    if (platform::RunNetbios(query) == platform::kNcbOk)
      text = Format("%2.2x:%2.2x:%2.2x:%2.2x:%2.2x:%2.2x",
                    {status[0], status[1], status[2], status[3], status[4], status[5]});
    if (list.IndexOf(text) < 0) list.Add(text);
  }
}

}  // namespace qor

namespace qor {

void TNetwork::GetInfo() {
  WinSock.GetInfo();
  // The list's comma text turns "" into one empty entry; no address means no entry.
  const std::string addresses = GetIPAddressText();
  if (addresses.empty())
    IPAddresses.Clear();
  else
    IPAddresses.SetCommaText(addresses);

  Adapters.Clear();
  CardAdapterIndex = -1;
  {
    TDevices inventory;
    inventory.GetInfo();
    for (int i = 0; i < inventory.DeviceCount; ++i) {
      TDevice device;
      inventory.GetDevice(i, device);
      if (device.DeviceClass != dcNet) continue;
      const int added =
          Adapters.Add(device.FriendlyName.empty() ? device.Description : device.FriendlyName);
      // The first adapter with a location is the physical card.
      if (!device.Location.empty() && CardAdapterIndex == -1) CardAdapterIndex = added;
    }
  }

  // Windows 2000 keeps its network components under a key of their own.
  const std::string key = IsWin2000 ? "SYSTEM\\CurrentControlSet\\Control\\Network" : ClassKeyRoot;
  const char* valueName = IsWin2000 ? "Description" : "DriverDesc";
  std::string classKey;
  LookupDeviceClass(key, "NetTrans", valueName, classKey, Protocols);
  LookupDeviceClass(key, "NetService", valueName, classKey, Services);
  LookupDeviceClass(key, "NetClient", valueName, classKey, Clients);

  GetMACAddressList(MACAddresses);
}

void TNetwork::Publish(PropertyWriter& w) const {
  w.List("IPAddresses", IPAddresses);
  w.List("MACAddresses", MACAddresses);
  w.List("Adapters", Adapters);
  w.Integer("CardAdapterIndex", CardAdapterIndex);
  w.List("Protocols", Protocols);
  w.List("Services", Services);
  w.List("Clients", Clients);
  w.Object("WinSock", WinSock);
}

}  // namespace qor
