#include <windows.h>
// mmsystem.h needs the types windows.h declares.
#include <mmsystem.h>

#include <cstring>

#include "platform/multimedia.h"

namespace qor::platform {
namespace {

// Every family's record starts with the shared fields; only those are copied out.
template <class Caps>
void CopyShared(const Caps& raw, MediaCaps& caps) {
  caps.wMid = raw.wMid;
  caps.wPid = raw.wPid;
  caps.vDriverVersion = raw.vDriverVersion;
  std::memcpy(caps.szPname, raw.szPname, sizeof caps.szPname);
}

template <class Caps, class Query>
unsigned Ask(Query query, unsigned id, MediaCaps& caps) {
  Caps raw = {};
  MMRESULT result = query(id, &raw, sizeof raw);
  if (result == MMSYSERR_NOERROR) CopyShared(raw, caps);
  return result;
}

}  // namespace

unsigned MediaDeviceCount(MediaFamily family) {
  switch (family) {
    case MediaFamily::WaveOut:
      return waveOutGetNumDevs();
    case MediaFamily::WaveIn:
      return waveInGetNumDevs();
    case MediaFamily::MidiOut:
      return midiOutGetNumDevs();
    case MediaFamily::MidiIn:
      return midiInGetNumDevs();
    case MediaFamily::Aux:
      return auxGetNumDevs();
    case MediaFamily::Mixer:
      return mixerGetNumDevs();
  }
  return 0;
}

unsigned QueryMediaDeviceCaps(MediaFamily family, unsigned id, MediaCaps& caps) {
  switch (family) {
    case MediaFamily::WaveOut:
      return Ask<WAVEOUTCAPSA>(waveOutGetDevCapsA, id, caps);
    case MediaFamily::WaveIn:
      return Ask<WAVEINCAPSA>(waveInGetDevCapsA, id, caps);
    case MediaFamily::MidiOut:
      return Ask<MIDIOUTCAPSA>(midiOutGetDevCapsA, id, caps);
    case MediaFamily::MidiIn:
      return Ask<MIDIINCAPSA>(midiInGetDevCapsA, id, caps);
    case MediaFamily::Aux:
      return Ask<AUXCAPSA>(auxGetDevCapsA, id, caps);
    case MediaFamily::Mixer:
      return Ask<MIXERCAPSA>(mixerGetDevCapsA, id, caps);
  }
  return MMSYSERR_BADDEVICEID;
}

}  // namespace qor::platform
