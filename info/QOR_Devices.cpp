#include "info/QOR_Devices.h"

#include <memory>

#include "base/error.h"
#include "base/registry.h"
#include "info/QOR_Console.h"
#include "routines/Velto_Routines.h"

namespace qor {

QOR_REGISTER_AREA(iaDevices, TDevices, Devices)

namespace {

constexpr const char* kServiceRoot = "SYSTEM\\CurrentControlSet\\Services\\";

// The two families keep their enumerated hardware in different trees.
std::string EnumRoot() {
  return IsNTFamily ? "SYSTEM\\CurrentControlSet\\Enum" : "Enum";
}
std::string ClassRoot() {
  return IsNTFamily ? "SYSTEM\\CurrentControlSet\\Control\\Class"
                    : "SYSTEM\\CurrentControlSet\\Services\\Class";
}

// Each lookup uses a reader of its own so the walk's open instance key stays open.
struct MachineReader : TRegistry {
  MachineReader() { RootKey = platform::kHKeyLocalMachine; }
};

// Outputs are written only as far as the lookup gets.
void ReadClassInfo(const std::string& guid, std::string& className, std::string& classDesc,
                   std::string& classIcon) {
  MachineReader reg;
  const std::string root = ClassRoot();
  if (!reg.OpenKeyReadOnly(root)) return;
  TStringList classes;
  reg.GetKeyNames(classes);
  reg.CloseKey();
  int i = classes.IndexOf(guid);
  if (i < 0) return;
  if (!reg.OpenKeyReadOnly(root + "\\" + classes[i])) return;
  className = reg.ReadString("Class");
  if (!IsNTFamily) {
    // On the 9x family the GUID key only points at the class's named key.
    std::string link = reg.ReadString("Link");
    reg.CloseKey();
    if (!reg.OpenKeyReadOnly(root + "\\" + link)) return;
  }
  classIcon = reg.ReadString("Icon");
  classDesc = reg.ReadString("");
  reg.CloseKey();
}

void ReadDriverInfo(const std::string& driver, std::string& driverDate, std::string& driverVersion,
                    std::string& driverProvider) {
  MachineReader reg;
  // Some drivers store their key with doubled separators.
  std::string path = ClassRoot() + "\\" + ReplaceTextNoCase(driver, "\\\\", "\\");
  if (!reg.OpenKeyReadOnly(path)) return;
  driverDate = reg.ReadString("DriverDate");
  driverVersion = reg.ReadString("DriverVersion");
  driverProvider = reg.ReadString("ProviderName");
  reg.CloseKey();
}

void ReadServiceInfo(const std::string& service, std::string& displayName, std::string& group,
                     std::int32_t& type) {
  MachineReader reg;
  if (!reg.OpenKeyReadOnly(kServiceRoot + service)) return;
  group = reg.ReadString("Group");
  try {
    displayName = reg.ReadString("DisplayName");
    group = reg.ReadString("Group");
    type = reg.ReadInteger("Type");
  } catch (const Error&) {
    // A service without "Type" is not a service we can name.
    displayName.clear();
  }
  reg.CloseKey();
}

// "HardwareID" is a multi-string on most systems and a plain text on some; either
// reads as one text, and a value we cannot read leaves it empty.
std::string ReadHardwareID(const TRegistry& reg, std::uint8_t (&buffer)[255]) {
  try {
    if (!reg.ValueExists("HardwareID")) return std::string();
    int size = reg.ReadBinaryData("HardwareID", buffer, sizeof buffer);
    return StripZeroBytes(buffer, static_cast<std::size_t>(size));
  } catch (const Error&) {
    try {
      return reg.ReadString("HardwareID");
    } catch (const Error&) {
      return std::string();
    }
  }
}

}  // namespace

TDeviceClass TDevices::GetDeviceClass(std::string_view name) {
  const std::string upper = UpperAZ(name);
  for (int code = 0; code < kDeviceClassCount; ++code)
    if (upper.starts_with(UpperAZ(kDeviceClassTexts[code]))) return static_cast<TDeviceClass>(code);
  return dcUnknown;
}

void TDevices::EnumDevices(TStringList& list) {
  Clear();
  list.Clear();
  MachineReader reg;
  const std::string root = EnumRoot();
  if (!reg.OpenKeyReadOnly(root)) return;
  TStringList enumerators;
  reg.GetKeyNames(enumerators);
  reg.CloseKey();
  std::uint8_t buffer[255] = {};

  TStringList ids, instances;
  for (int e = 0; e < enumerators.Count(); ++e) {
    const std::string& enumerator = enumerators[e];
    // The 9x family lists network components as an enumerator of their own; the
    // comparison is exact so other spellings are walked.
    if (!IsNTFamily && enumerator == "Network") continue;
    const std::string enumPath = root + "\\" + enumerator;
    if (!reg.OpenKeyReadOnly(enumPath)) continue;
    reg.GetKeyNames(ids);
    reg.CloseKey();
    for (int d = 0; d < ids.Count(); ++d) {
      const std::string idPath = enumPath + "\\" + ids[d];
      if (!reg.OpenKeyReadOnly(idPath)) continue;
      reg.GetKeyNames(instances);
      reg.CloseKey();
      for (int i = 0; i < instances.Count(); ++i) {
        const std::string instancePath = idPath + "\\" + instances[i];
        if (!reg.OpenKeyReadOnly(instancePath)) continue;
        // On the NT family only devices that are present have a "Control" sub-key.
        if (IsNTFamily && !reg.KeyExists("Control")) {
          reg.CloseKey();
          continue;
        }
        auto device = std::make_unique<TBox<TDevice>>(TDevice{});
        TDevice& r = device->Value;
        r.GUID = UpperAZ(reg.ReadString("ClassGUID"));
        r.FriendlyName = reg.ReadString("FriendlyName");
        r.Description = reg.ReadString("DeviceDesc");
        r.Manufacturer = reg.ReadString("Mfg");
        r.Service = reg.ReadString("Service");
        r.Location = reg.ReadString("LocationInformation");
        // Without a location of its own a device is located by its bus: the
        // enumerator's service. Its group and type stand in until the device's own
        // service is read.
        if (r.Location.empty())
          ReadServiceInfo(enumerator, r.Location, r.ServiceGroup, r.ServiceType);
        ReadClassInfo(r.GUID, r.ClassName, r.ClassDesc, r.ClassIcon);
        if (r.ClassName.empty()) r.ClassName = reg.ReadString("Class");
        ReadDriverInfo(reg.ReadString("Driver"), r.DriverDate, r.DriverVersion, r.DriverProvider);
        ReadServiceInfo(r.Service, r.ServiceName, r.ServiceGroup, r.ServiceType);
        r.RegKey = instancePath;
        r.HardwareID = ReadHardwareID(reg, buffer);
        if (!TrimControls(r.ClassName).empty()) {
          r.DeviceClass = GetDeviceClass(r.ClassName);
          std::string name = r.ClassName;
          list.AddObject(std::move(name), std::move(device));
        }
        reg.CloseKey();
      }
    }
  }
}

void TDevices::GetInfo() {
  EnumDevices(devices_);
  // The list's sort is stable: devices of one class keep their walk order, so the
  // first media device found in the walk is the first one consumers see.
  devices_.Sort();
  DeviceCount = devices_.Count();
}

void TDevices::GetDevice(int index, TDevice& record) const {
  try {
    if (auto* box = dynamic_cast<TBox<TDevice>*>(devices_.Objects(index))) record = box->Value;
  } catch (const Error&) {
    // Consumers loop up to a DeviceCount that may be stale after a failed walk.
  }
}

void PublishDevice(const TDevice& d, PropertyWriter& w) {
  w.Text("ClassName", d.ClassName);
  w.Text("ClassDesc", d.ClassDesc);
  w.Text("ClassIcon", d.ClassIcon);
  w.Text("FriendlyName", d.FriendlyName);
  w.Text("Description", d.Description);
  w.Text("GUID", d.GUID);
  w.Text("Manufacturer", d.Manufacturer);
  w.Text("Location", d.Location);
  w.Text("HardwareID", d.HardwareID);
  w.Text("DriverDate", d.DriverDate);
  w.Text("DriverVersion", d.DriverVersion);
  w.Text("DriverProvider", d.DriverProvider);
  w.Text("Service", d.Service);
  w.Text("ServiceName", d.ServiceName);
  w.Text("ServiceGroup", d.ServiceGroup);
  w.Integer("ServiceType", d.ServiceType);
  w.Text("RegKey", d.RegKey);
  w.Enumeration("DeviceClass", d.DeviceClass, kDeviceClassNames);
}

namespace {
// Lets a record travel through PropertyWriter::Object.
class TDeviceRecord : public TPersistent {
 public:
  explicit TDeviceRecord(const TDevice& d) : device_(d) {}
  const char* ClassName() const override { return "TDevice"; }
  void Publish(PropertyWriter& w) const override { PublishDevice(device_, w); }

 private:
  const TDevice& device_;
};
}  // namespace

void TDevices::Publish(PropertyWriter& w) const {
  w.Integer("DeviceCount", DeviceCount);
  // The records themselves: the list of class names, then each record in order.
  w.List("Devices", devices_);
  for (int i = 0; i < devices_.Count(); ++i)
    if (auto* box = dynamic_cast<TBox<TDevice>*>(devices_.Objects(i)))
      w.Object("Devices[" + std::to_string(i) + "]", TDeviceRecord(box->Value));
}

}  // namespace qor
