#include "platform/multimedia.h"

namespace qor::platform {

// Linux's sound devices are not read yet: every family is empty.
unsigned MediaDeviceCount(MediaFamily) {
  return 0;
}
// The "bad device id" answer a query for a device that does not exist gets.
unsigned QueryMediaDeviceCaps(MediaFamily, unsigned, MediaCaps&) {
  return 2;
}

}  // namespace qor::platform
