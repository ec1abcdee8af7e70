#include "info/QOR_Console.h"

#include "base/error.h"
#include "platform/console.h"
#include "platform/registry.h"

namespace qor {
namespace {

AreaFactory* Factories() {
  static AreaFactory factories[kInfoAreaCount] = {};
  return factories;
}

constexpr TInfoArea kCreationOrder[] = {
    iaCPU,     iaMemory,  iaOS,  iaDisk,    iaMachine,   iaNetwork,  iaDisplay,  iaMedia,
    iaDevices, iaEngines, iaAPM, iaDirectX, iaProcesses, iaPrinters, iaSoftware, iaStartup};

constexpr TInfoArea kRefreshOrder[] = {
    iaDevices, iaCPU,     iaMemory, iaOS,      iaDisk,      iaMachine,  iaNetwork,  iaDisplay,
    iaMedia,   iaEngines, iaAPM,    iaDirectX, iaProcesses, iaPrinters, iaSoftware, iaStartup};

}  // namespace

bool RegisterArea(TInfoArea area, AreaFactory factory) {
  Factories()[area] = factory;
  return true;
}

AreaFactory ReplaceAreaFactory(TInfoArea area, AreaFactory factory) {
  AreaFactory old = Factories()[area];
  Factories()[area] = factory;
  return old;
}

TQOR::TQOR(TInfoAreas content) {
  About = "QOR System Information 1.0";
  ErrorAction = eaReport;
  for (TInfoArea area : kCreationOrder)
    if ((content & AreaBit(area)) && Factories()[area]) members_[area] = Factories()[area](*this);
}

TQOR::~TQOR() {
  for (TInfoArea area : kCreationOrder) {
    delete members_[area];
    members_[area] = nullptr;
  }
}

std::string ComposeGetInfoError(const std::string& name, const std::string& message) {
  return name + ": " + message;
}

void HandleGetInfoError(const std::string& name, std::uint8_t action, const std::string& message) {
  std::string text = ComposeGetInfoError(name, message);
  if (action == eaRaise) throw Error(text);
  if (action == eaReport) {
    if (platform::IsConsoleProgram())
      platform::ConsoleWriteLine(text);
    else
      platform::ShowMessageBox(text, "Error", platform::kMbIconError);
  }
}

void TQOR::Guard(const std::string& name, TInfoClass& member) {
  RunGetInfo(name, ErrorAction, [&member] { member.GetInfo(); });
}

void TQOR::Refresh() {
  platform::ForgetRegistryView();  // every refresh reads the system afresh
  for (TInfoArea area : kRefreshOrder) {
    TInfoClass* member = members_[area];
    if (member == nullptr) continue;
    Guard(std::string(member->ClassName()) + ".GetInfo", *member);
    // The disk area's drive step belongs here once TDisk exists.
  }
}

}  // namespace qor
