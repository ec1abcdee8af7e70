#pragma once
// TMedia: the installed multimedia drivers, the sound card and game port among
// them, and the devices of the six multimedia families.
#include <cstdint>

#include "base/persistent.h"
#include "base/string_list.h"

namespace qor {

class TMedia : public TInfoClass {
 public:
  const char* ClassName() const override { return "TMedia"; }
  // The six family lists only grow: a refresh appends the devices not yet listed.
  void GetInfo() override;
  void Publish(PropertyWriter& w) const override;

  // Descriptions of the installed multimedia drivers, distinct, in registry order.
  TStringList Devices;
  TStringList AUX;
  TStringList MIDIIn;
  TStringList Mixer;
  TStringList WAVEOut;
  TStringList WAVEIn;
  TStringList MIDIOut;
  // Indexes into Devices; -1 when none was found.
  std::int32_t SoundCardIndex = 0;
  std::int32_t GamePortIndex = 0;
};

}  // namespace qor
