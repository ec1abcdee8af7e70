#pragma once
// TMachine: the computer as a whole — its name, the user, up time and last boot,
// the BIOS texts, the lock keys and the computer's own device description.
#include <string>

#include "base/date_time.h"
#include "base/persistent.h"

namespace qor {

class TMachine : public TInfoClass {
 public:
  const char* ClassName() const override { return "TMachine"; }
  void GetInfo() override;
  void Publish(PropertyWriter& w) const override;

  std::string Name;
  TDateTime LastBoot = 0;
  std::string User;
  // Seconds, milliseconds as the fraction.
  long double SystemUpTime = 0;
  std::string BIOSExtendedInfo;
  std::string BIOSCopyright;
  std::string BIOSName;
  std::string BIOSDate;
  bool ScrollLock = false;
  bool NumLock = false;
  bool CapsLock = false;
  std::string Computer;
};

}  // namespace qor
