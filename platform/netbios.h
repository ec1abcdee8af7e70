#pragma once
// NetBIOS adapter commands.
#include <cstdint>

namespace qor::platform {

inline constexpr std::uint8_t kNcbReset = 0x32;
inline constexpr std::uint8_t kNcbAdapterStatus = 0x33;
inline constexpr std::uint8_t kNcbEnum = 0x37;
inline constexpr std::uint8_t kNcbOk = 0;
inline constexpr std::uint8_t kNcbBufferTooSmall = 0x01;
// The enumeration's answer: a count byte and room for 255 adapter numbers.
inline constexpr std::uint16_t kLanaEnumSize = 256;

// The fields of the 64-byte control block that the commands here use; every other
// field of the system's block is zero.
struct NetbiosBlock {
  std::uint8_t ncb_command = 0;
  std::uint8_t* ncb_buffer = nullptr;
  std::uint16_t ncb_length = 0;
  char ncb_callname[16] = {};
  std::uint8_t ncb_lana_num = 0;
};

// The block's return code: 0 for success.
std::uint8_t RunNetbios(NetbiosBlock& block);

}  // namespace qor::platform
