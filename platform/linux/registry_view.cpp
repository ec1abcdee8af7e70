#include "platform/linux/registry_view.h"

#include <dirent.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <set>

#include "platform/linux/proc_file.h"
#include "platform/os.h"
#include "platform/registry.h"
#include "platform/shared_answers.h"

namespace qor::platform::linux_impl {
namespace {

bool SameText(std::string_view a, std::string_view b) {
  return CompareAsciiNoCase(a, b) == 0;
}

std::string Trimmed(std::string s) {
  while (!s.empty() && (s.back() == '\n' || s.back() == ' ' || s.back() == '\r')) s.pop_back();
  return s;
}

std::string ReadLine(const std::string& path) {
  return Trimmed(ReadSmallFile(path.c_str(), 4096));
}

unsigned Hex(const std::string& text) {
  return static_cast<unsigned>(std::strtoul(text.c_str(), nullptr, 16));
}

std::vector<std::string> ListDir(const std::string& path) {
  std::vector<std::string> names;
  if (DIR* dir = opendir(path.c_str())) {
    while (dirent* e = readdir(dir))
      if (e->d_name[0] != '.') names.emplace_back(e->d_name);
    closedir(dir);
  }
  std::sort(names.begin(), names.end());
  return names;
}

// The last component of a symbolic link's target: a bound device's driver name.
std::string LinkBase(const std::string& path) {
  char target[4096];
  ssize_t n = readlink(path.c_str(), target, sizeof target - 1);
  if (n <= 0) return {};
  target[n] = 0;
  const char* slash = std::strrchr(target, '/');
  return slash ? slash + 1 : target;
}

std::string RealPath(const std::string& path) {
  char resolved[4096];
  return realpath(path.c_str(), resolved) ? std::string(resolved) : std::string();
}

std::string Hex4(unsigned v) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%04X", v & 0xFFFF);
  return buffer;
}
std::string Hex2(unsigned v) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "%02X", v & 0xFF);
  return buffer;
}

// Vendor and device names from a hardware ID database (pci.ids or usb.ids), for the
// ids asked for only: one pass over the file.
struct IdNames {
  std::map<unsigned, std::string> vendors;
  std::map<std::pair<unsigned, unsigned>, std::string> devices;
};

IdNames LookupIds(const std::string& path, const std::set<std::pair<unsigned, unsigned>>& wanted) {
  IdNames names;
  if (wanted.empty()) return names;
  std::set<unsigned> wantedVendors;
  for (const auto& w : wanted) wantedVendors.insert(w.first);
  const unsigned lastVendor = *wantedVendors.rbegin();
  MappedFile file(path.c_str());
  std::string_view text = file.Text();
  std::size_t pos = 0;
  unsigned vendor = 0;
  bool vendorWanted = false;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string_view line(text.data() + pos, end - pos);
    pos = end + 1;
    if (line.empty() || line[0] == '#') continue;
    if (line.size() > 1 && line[0] == 'C' && line[1] == ' ') break;  // the class section
    auto isHex = [](std::string_view s) {
      return s.size() == 4 &&
             s.find_first_not_of("0123456789abcdefABCDEF") == std::string_view::npos;
    };
    if (line[0] != '\t') {
      if (line.size() < 7 || !isHex(line.substr(0, 4))) {
        vendorWanted = false;
        continue;
      }
      vendor = Hex(std::string(line.substr(0, 4)));
      if (vendor > lastVendor) break;  // vendors come in ascending order
      vendorWanted = wantedVendors.count(vendor) > 0;
      if (vendorWanted) names.vendors[vendor] = std::string(line.substr(6));
    } else if (vendorWanted && line.size() > 7 && line[1] != '\t' && isHex(line.substr(1, 4))) {
      unsigned device = Hex(std::string(line.substr(1, 4)));
      if (wanted.count({vendor, device}))
        names.devices[{vendor, device}] = std::string(line.substr(7));
    }
  }
  return names;
}

// Windows device class names by PCI base class and sub-class (sub-class 0xFF: any).
struct PciClassRow {
  unsigned base, sub;
  const char* className;
};
constexpr PciClassRow kPciClasses[] = {
    {0x01, 0x01, "hdc"},         {0x01, 0x06, "hdc"},      {0x01, 0x02, "fdc"},
    {0x01, 0xFF, "SCSIAdapter"}, {0x02, 0xFF, "Net"},      {0x03, 0xFF, "Display"},
    {0x04, 0x00, "Image"},       {0x04, 0xFF, "MEDIA"},    {0x05, 0xFF, "System"},
    {0x06, 0xFF, "System"},      {0x07, 0x03, "Modem"},    {0x07, 0xFF, "Ports"},
    {0x08, 0xFF, "System"},      {0x09, 0x00, "Keyboard"}, {0x09, 0x02, "Mouse"},
    {0x09, 0xFF, "HID"},         {0x0C, 0x00, "1394"},     {0x0C, 0x03, "USB"},
    {0x0C, 0x05, "System"},      {0x0D, 0xFF, "Net"},
};

// By USB class code (of the device, else of its first interface that states one).
struct UsbClassRow {
  unsigned code;
  const char* className;
};
constexpr UsbClassRow kUsbClasses[] = {
    {0x01, "MEDIA"},           {0x02, "Ports"}, {0x03, "HID"}, {0x06, "Image"},
    {0x07, "Printer"},         {0x08, "USB"},   {0x09, "USB"}, {0x0A, "Ports"},
    {0x0B, "SmartCardReader"}, {0x0E, "Image"}, {0xE0, "Net"},
};

const char* PciClassName(unsigned classCode) {
  unsigned base = classCode >> 16, sub = (classCode >> 8) & 0xFF;
  for (const auto& row : kPciClasses)
    if (row.base == base && (row.sub == sub || row.sub == 0xFF)) return row.className;
  return "Unknown";  // unassigned, or a class Windows has no name for
}

const char* UsbClassName(unsigned code) {
  for (const auto& row : kUsbClasses)
    if (row.code == code) return row.className;
  return nullptr;
}

struct Device {
  std::string enumerator, id, instance;  // Enum\<enumerator>\<id>\<instance>
  std::string className, description, manufacturer, service, location;
  std::vector<std::string> hardwareIds;
  std::string sysPath;    // resolved sysfs path, to match sound cards
  std::string soundCard;  // the ALSA card's name, when the device carries one
};

struct SoundCard {
  std::string name;        // the card's long name
  std::string devicePath;  // resolved sysfs path of the device it sits on
};

std::vector<SoundCard> SoundCards(const Sources& s) {
  std::vector<SoundCard> cards;
  std::string list = ReadSmallFile((s.procfs + "/asound/cards").c_str());
  std::size_t pos = 0;
  while (pos < list.size()) {
    std::size_t end = list.find('\n', pos);
    if (end == std::string::npos) end = list.size();
    std::string line = list.substr(pos, end - pos);
    pos = end + 1;
    // " 0 [PCH            ]: HDA-Intel - HDA Intel PCH", then an indented long name.
    int number = -1;
    if (std::sscanf(line.c_str(), " %d [", &number) != 1 || line.find("]: ") == std::string::npos)
      continue;
    std::string name = line.substr(line.find("]: ") + 3);
    auto dash = name.find(" - ");
    if (dash != std::string::npos) name = name.substr(dash + 3);
    SoundCard card;
    card.name = Trimmed(name);
    card.devicePath = RealPath(s.sysfs + "/class/sound/card" + std::to_string(number) + "/device");
    cards.push_back(card);
  }
  return cards;
}

void ScanPci(const Sources& s, std::vector<Device>& devices) {
  const std::string root = s.sysfs + "/bus/pci/devices";
  struct Raw {
    std::string address;
    unsigned vendor, device, subVendor, subDevice, revision, classCode;
    std::string driver;
  };
  std::vector<Raw> raws;
  std::set<std::pair<unsigned, unsigned>> wanted;
  for (const std::string& address : ListDir(root)) {
    const std::string dir = root + "/" + address;
    Raw r{address,
          Hex(ReadLine(dir + "/vendor")),
          Hex(ReadLine(dir + "/device")),
          Hex(ReadLine(dir + "/subsystem_vendor")),
          Hex(ReadLine(dir + "/subsystem_device")),
          Hex(ReadLine(dir + "/revision")),
          Hex(ReadLine(dir + "/class")),
          LinkBase(dir + "/driver")};
    wanted.insert({r.vendor, r.device});
    raws.push_back(r);
  }
  IdNames names = LookupIds(s.hwdata + "/pci.ids", wanted);
  for (const Raw& r : raws) {
    Device d;
    d.enumerator = "PCI";
    const std::string venDev = "VEN_" + Hex4(r.vendor) + "&DEV_" + Hex4(r.device);
    const std::string subsys = "&SUBSYS_" + Hex4(r.subDevice) + Hex4(r.subVendor);
    const std::string rev = "&REV_" + Hex2(r.revision);
    d.id = venDev + subsys + rev;
    unsigned domain = 0, bus = 0, slot = 0, function = 0;
    std::sscanf(r.address.c_str(), "%x:%x:%x.%x", &domain, &bus, &slot, &function);
    d.instance = (domain ? "DOMAIN_" + Hex4(domain) + "&" : std::string()) + "BUS_" + Hex2(bus) +
                 "&DEV_" + Hex2(slot) + "&FUNC_" + Hex2(function);
    d.location = "PCI bus " + std::to_string(bus) + ", device " + std::to_string(slot) +
                 ", function " + std::to_string(function);
    d.hardwareIds = {"PCI\\" + venDev + subsys + rev, "PCI\\" + venDev + subsys,
                     "PCI\\" + venDev + rev, "PCI\\" + venDev};
    d.className = PciClassName(r.classCode);
    auto device = names.devices.find({r.vendor, r.device});
    if (device != names.devices.end()) d.description = device->second;
    auto vendor = names.vendors.find(r.vendor);
    if (vendor != names.vendors.end()) d.manufacturer = vendor->second;
    d.service = r.driver;
    d.sysPath = RealPath(root + "/" + r.address);
    devices.push_back(d);
  }
}

void ScanUsb(const Sources& s, std::vector<Device>& devices) {
  const std::string root = s.sysfs + "/bus/usb/devices";
  std::vector<Device> found;
  std::vector<std::pair<unsigned, unsigned>> ids;
  std::set<std::pair<unsigned, unsigned>> wanted;
  for (const std::string& name : ListDir(root)) {
    if (name.find(':') != std::string::npos) continue;  // an interface, not a device
    const std::string dir = root + "/" + name;
    unsigned vendor = Hex(ReadLine(dir + "/idVendor")), product = Hex(ReadLine(dir + "/idProduct"));
    Device d;
    d.enumerator = "USB";
    d.id = "VID_" + Hex4(vendor) + "&PID_" + Hex4(product);
    d.instance = name;
    d.hardwareIds = {"USB\\" + d.id + "&REV_" + Hex4(Hex(ReadLine(dir + "/bcdDevice"))),
                     "USB\\" + d.id};
    d.location = "Port " + name;
    d.description = ReadLine(dir + "/product");
    d.manufacturer = ReadLine(dir + "/manufacturer");
    unsigned code = Hex(ReadLine(dir + "/bDeviceClass"));
    const char* className = UsbClassName(code);
    for (const std::string& iface : ListDir(dir)) {
      if (className || iface.find(':') == std::string::npos) continue;
      className = UsbClassName(Hex(ReadLine(dir + "/" + iface + "/bInterfaceClass")));
      if (className && d.service.empty()) d.service = LinkBase(dir + "/" + iface + "/driver");
    }
    if (className) d.className = className;
    if (d.service.empty()) d.service = LinkBase(dir + "/driver");
    d.sysPath = RealPath(dir);
    wanted.insert({vendor, product});
    ids.push_back({vendor, product});
    found.push_back(d);
  }
  IdNames names = LookupIds(s.hwdata + "/usb.ids", wanted);
  for (std::size_t i = 0; i < found.size(); ++i) {
    Device& d = found[i];
    if (d.description.empty()) {
      auto it = names.devices.find(ids[i]);
      if (it != names.devices.end()) d.description = it->second;
    }
    if (d.manufacturer.empty()) {
      auto it = names.vendors.find(ids[i].first);
      if (it != names.vendors.end()) d.manufacturer = it->second;
    }
    devices.push_back(d);
  }
}

// A field of os-release: KEY=value, the value possibly quoted.
std::string OsReleaseField(const std::string& text, const std::string& key) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(pos, end - pos);
    pos = end + 1;
    if (line.compare(0, key.size() + 1, key + "=") != 0) continue;
    std::string value = line.substr(key.size() + 1);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
      value = value.substr(1, value.size() - 2);
    return value;
  }
  return {};
}

// The local zone's name as the system states it: TZ, else the zone file
// /etc/localtime links to, else /etc/timezone. Empty when none says.
std::string LocalZoneName(const Sources& s) {
  if (const char* tz = std::getenv("TZ"); tz && *tz) return *tz == ':' ? tz + 1 : tz;
  char target[4096];
  ssize_t n = readlink((s.etc + "/localtime").c_str(), target, sizeof target - 1);
  if (n > 0) {
    std::string link(target, static_cast<std::size_t>(n));
    auto at = link.find("zoneinfo/");
    if (at != std::string::npos) return link.substr(at + 9);
  }
  return Trimmed(ReadSmallFile((s.etc + "/timezone").c_str(), 256));
}

// The zone list holds the local zone, with the record the system answers for it,
// so the zone's display name is found by matching that record.
void AddLocalZone(ViewKey& zones, const Sources& s) {
  std::string name = LocalZoneName(s);
  if (name.empty() || name.find('\\') != std::string::npos) return;
  TimeZoneRecord z;
  ReadTimeZone(z);
  std::vector<std::uint8_t> tzi(44);
  std::uint8_t* p = tzi.data();
  auto put32 = [&](std::int32_t v) {
    std::memcpy(p, &v, 4);
    p += 4;
  };
  auto putTime = [&](const SystemTime& t) {
    for (std::uint16_t v : {t.wYear, t.wMonth, t.wDayOfWeek, t.wDay, t.wHour, t.wMinute, t.wSecond,
                            t.wMilliseconds}) {
      std::memcpy(p, &v, 2);
      p += 2;
    }
  };
  put32(z.Bias);
  put32(z.StandardBias);
  put32(z.DaylightBias);
  putTime(z.StandardDate);
  putTime(z.DaylightDate);
  auto narrow = [](const char16_t* text) {
    std::string out;
    for (int i = 0; i < 32 && text[i]; ++i) out += static_cast<char>(text[i] < 256 ? text[i] : '?');
    return out;
  };
  ViewKey* zone = zones.AddChild(name);
  zone->SetText("Display", name);
  zone->SetText("Std", narrow(z.StandardName));
  zone->SetText("Dlt", narrow(z.DaylightName));
  zone->values.push_back(ViewValue{"TZI", kRegBinary, std::move(tzi)});
}

std::string MemberName(int index) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "%04d", index);
  return buffer;
}

}  // namespace

ViewKey* ViewKey::Child(std::string_view n) const {
  for (const auto& c : children)
    if (SameText(c->name, n)) return c.get();
  return nullptr;
}

ViewKey* ViewKey::AddChild(std::string_view n) {
  if (ViewKey* c = Child(n)) return c;
  children.push_back(std::make_unique<ViewKey>());
  children.back()->name = std::string(n);
  return children.back().get();
}

const ViewValue* ViewKey::Value(std::string_view n) const {
  for (const auto& v : values)
    if (SameText(v.name, n)) return &v;
  return nullptr;
}

void ViewKey::SetText(std::string_view n, std::string_view text) {
  ViewValue v{std::string(n), kRegSz, {text.begin(), text.end()}};
  v.data.push_back(0);
  values.push_back(std::move(v));
}

void ViewKey::SetDword(std::string_view n, std::uint32_t value) {
  ViewValue v{std::string(n), kRegDword, std::vector<std::uint8_t>(4)};
  std::memcpy(v.data.data(), &value, 4);
  values.push_back(std::move(v));
}

void ViewKey::SetMultiText(std::string_view n, const std::vector<std::string>& texts) {
  ViewValue v{std::string(n), kRegMultiSz, {}};
  for (const auto& t : texts) {
    v.data.insert(v.data.end(), t.begin(), t.end());
    v.data.push_back(0);
  }
  v.data.push_back(0);
  values.push_back(std::move(v));
}

std::unique_ptr<ViewKey> BuildMachineView(const Sources& sources) {
  auto machine = std::make_unique<ViewKey>();
  std::vector<Device> devices;
  ScanPci(sources, devices);
  ScanUsb(sources, devices);

  // A sound card names the device it sits on.
  std::vector<SoundCard> cards = SoundCards(sources);
  std::vector<bool> cardUsed(cards.size(), false);
  for (Device& d : devices)
    for (std::size_t c = 0; c < cards.size(); ++c)
      if (!cardUsed[c] && !cards[c].devicePath.empty() && cards[c].devicePath == d.sysPath) {
        d.soundCard = cards[c].name;
        d.className = "MEDIA";
        cardUsed[c] = true;
      }

  ViewKey* enumRoot = machine->AddChild("Enum");
  ViewKey* system = machine->AddChild("System")->AddChild("CurrentControlSet");
  ViewKey* services = system->AddChild("Services");
  ViewKey* classes = services->AddChild("Class");
  std::map<std::string, int> memberCount;
  auto addMember = [&](const std::string& className, const std::string& description) {
    ViewKey* classKey = classes->Child(className);
    if (!classKey) {
      classKey = classes->AddChild(className);
      classKey->SetText("Class", className);
      classKey->SetText("Link", className);  // the class key holds its own members
    }
    std::string member = MemberName(memberCount[className]++);
    ViewKey* m = classKey->AddChild(member);
    if (!description.empty()) m->SetText("DriverDesc", description);
    return className + "\\" + member;
  };

  for (const Device& d : devices) {
    ViewKey* key = enumRoot->AddChild(d.enumerator)->AddChild(d.id)->AddChild(d.instance);
    if (!d.className.empty()) key->SetText("Class", d.className);
    if (!d.description.empty()) key->SetText("DeviceDesc", d.description);
    if (!d.soundCard.empty()) key->SetText("FriendlyName", d.soundCard);
    if (!d.manufacturer.empty()) key->SetText("Mfg", d.manufacturer);
    key->SetMultiText("HardwareID", d.hardwareIds);
    if (!d.location.empty()) key->SetText("LocationInformation", d.location);
    if (!d.service.empty()) {
      key->SetText("Service", d.service);
      ViewKey* service = services->AddChild(d.service);
      if (!service->Value("Type")) {
        service->SetText("DisplayName", d.service);
        service->SetDword("Type", 1);  // a kernel driver
      }
    }
    if (!d.className.empty())
      key->SetText("Driver",
                   addMember(d.className, d.soundCard.empty() ? d.description : d.soundCard));
  }
  // Cards on no enumerated device still belong to the multimedia class.
  for (std::size_t c = 0; c < cards.size(); ++c)
    if (!cardUsed[c]) addMember("MEDIA", cards[c].name);

  // The version key: the distribution's name and version.
  std::string osRelease = ReadSmallFile((sources.etc + "/os-release").c_str());
  if (osRelease.empty()) osRelease = ReadSmallFile("/usr/lib/os-release");
  std::string version = OsReleaseField(osRelease, "PRETTY_NAME");
  if (version.empty())
    version =
        Trimmed(OsReleaseField(osRelease, "NAME") + " " + OsReleaseField(osRelease, "VERSION"));
  ViewKey* current = machine->AddChild("SOFTWARE")
                         ->AddChild("Microsoft")
                         ->AddChild("Windows")
                         ->AddChild("CurrentVersion");
  if (!version.empty()) current->SetText("Version", version);
  AddLocalZone(*current->AddChild("Time Zones"), sources);

  // The computer's own class: its model as the firmware states it.
  std::string product = ReadLine(sources.sysfs + "/class/dmi/id/product_name");
  if (!product.empty()) addMember("Computer", product);
  return machine;
}

}  // namespace qor::platform::linux_impl
