#pragma once
// TQOR: the information object that owns one information class per selected area,
// refreshes them in a fixed order and decides what a failing area does.
#include <cstdint>
#include <functional>
#include <string>

#include "base/error.h"
#include "base/persistent.h"

namespace qor {

class TCPU;
class TMachine;
class TDevices;
class TDisplay;
class TNetwork;
class TMedia;
class TMemory;
class TEngines;
class TAPM;
class TDisk;
class TDirectX;
class TOperatingSystem;
class TProcesses;
class TPrinters;
class TSoftware;
class TStartup;

enum TInfoArea : int {
  iaCPU = 0,
  iaMachine = 1,
  iaDevices = 2,
  iaDisplay = 3,
  iaNetwork = 4,
  iaMedia = 5,
  iaMemory = 6,
  iaEngines = 7,
  iaAPM = 8,
  iaDisk = 9,
  iaDirectX = 10,
  iaOS = 11,
  iaProcesses = 12,
  iaPrinters = 13,
  iaSoftware = 14,
  iaStartup = 15,
};
inline constexpr int kInfoAreaCount = 16;
inline constexpr const char* kInfoAreaNames[kInfoAreaCount] = {
    "iaCPU",       "iaMachine",  "iaDevices",  "iaDisplay", "iaNetwork", "iaMedia",
    "iaMemory",    "iaEngines",  "iaAPM",      "iaDisk",    "iaDirectX", "iaOS",
    "iaProcesses", "iaPrinters", "iaSoftware", "iaStartup"};

// Bit n is area n.
using TInfoAreas = std::uint16_t;
constexpr TInfoAreas AreaBit(TInfoArea a) {
  return static_cast<TInfoAreas>(1u << a);
}
inline constexpr TInfoAreas kConsoleAreas = 0x287B;
inline constexpr TInfoAreas kAllAreas = 0xFFFF;

enum TErrorAction : std::uint8_t { eaRaise = 0, eaReport = 1, eaIgnore = 2 };

class TQOR : public TPersistent {
 public:
  explicit TQOR(TInfoAreas content);
  ~TQOR() override;
  TQOR(const TQOR&) = delete;
  TQOR& operator=(const TQOR&) = delete;

  const char* ClassName() const override { return "TQOR"; }

  // Runs every present member's GetInfo through RunGetInfo, in the fixed order.
  void Refresh();
  // The guard: an Error from getInfo is raised again, reported or ignored by action.
  template <class F>
  void RunGetInfo(const std::string& name, std::uint8_t action, F&& getInfo);

  // The member for an area, or null when it was not selected (or its class does not exist).
  TInfoClass* Member(TInfoArea area) const { return members_[area]; }

  // Owned members, null unless selected; fixed after construction.
  TCPU* CPU = nullptr;
  TMemory* Memory = nullptr;
  TOperatingSystem* OS = nullptr;
  TDisk* Disk = nullptr;
  TMachine* Machine = nullptr;
  TNetwork* Network = nullptr;
  TDisplay* Display = nullptr;
  TEngines* Engines = nullptr;
  TDevices* Devices = nullptr;
  TAPM* APM = nullptr;
  std::string About;
  TDirectX* DirectX = nullptr;
  TMedia* Media = nullptr;
  TProcesses* Processes = nullptr;
  TPrinters* Printers = nullptr;
  TSoftware* Software = nullptr;
  TStartup* Startup = nullptr;
  std::uint8_t ErrorAction = eaReport;
  // When set, a failure the guard reports (eaReport) goes here, as the guard name and the
  // composed line, instead of to the console or a box: the report program keeps the line
  // for its document rather than printing it in the middle of one.
  std::function<void(const std::string& name, const std::string& line)> ReportHook;

 private:
  void Guard(const std::string& name, TInfoClass& member);
  TInfoClass* members_[kInfoAreaCount] = {};
};

// Each area module registers how to create its member, so the information object
// needs no edit when an area lands: QOR_REGISTER_AREA(iaMemory, TMemory, Memory).
using AreaFactory = TInfoClass* (*)(TQOR&);
bool RegisterArea(TInfoArea area, AreaFactory factory);
// Swaps an area's factory and returns the one it replaces (tests stand in their own).
AreaFactory ReplaceAreaFactory(TInfoArea area, AreaFactory factory);

#define QOR_REGISTER_AREA(area, Class, member)                                    \
  namespace {                                                                     \
  const bool registered_##member = ::qor::RegisterArea(area, [](::qor::TQOR& q) { \
    auto* m = new Class;                                                          \
    q.member = m;                                                                 \
    return static_cast<::qor::TInfoClass*>(m);                                    \
  });                                                                             \
  }

// "name: message", the line the guard reports or raises.
std::string ComposeGetInfoError(const std::string& name, const std::string& message);
// Composes the line and acts on it.
void HandleGetInfoError(const std::string& name, std::uint8_t action, const std::string& message);

template <class F>
void TQOR::RunGetInfo(const std::string& name, std::uint8_t action, F&& getInfo) {
  try {
    getInfo();
  } catch (const Error& e) {
    if (action == eaReport && ReportHook)
      ReportHook(name, ComposeGetInfoError(name, e.Message()));
    else
      HandleGetInfoError(name, action, e.Message());
  }
}

}  // namespace qor
