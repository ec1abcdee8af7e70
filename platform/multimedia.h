#pragma once
// The multimedia drivers' device counts and capability records, one family at a time.
#include <cstdint>

namespace qor::platform {

enum class MediaFamily { WaveOut, WaveIn, MidiOut, MidiIn, Aux, Mixer };

// The part every family's capability record shares: two 16-bit identifiers, the
// driver version, then the product name (zero-terminated when shorter than 32).
struct MediaCaps {
  std::uint16_t wMid = 0;
  std::uint16_t wPid = 0;
  std::uint32_t vDriverVersion = 0;
  char szPname[32] = {};
};

unsigned MediaDeviceCount(MediaFamily family);
// The system's result code: 0 when the record was filled.
unsigned QueryMediaDeviceCaps(MediaFamily family, unsigned id, MediaCaps& caps);

}  // namespace qor::platform
