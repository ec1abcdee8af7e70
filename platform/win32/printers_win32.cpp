#include <windows.h>
// windows.h first: the spooler's header needs it.
#include <winspool.h>

#include <cstring>
#include <vector>

#include "platform/printers.h"

namespace qor::platform {
namespace {

// Level 5 names each printer and its port, and every Windows from 95 and NT 4 on
// answers it without opening the printers.
bool Enumerate(DWORD flags, std::vector<BYTE>& buffer, DWORD& count) {
  DWORD needed = 0;
  count = 0;
  if (EnumPrintersA(flags, nullptr, 5, nullptr, 0, &needed, &count)) return true;  // none
  if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed == 0) return false;
  buffer.assign(needed, 0);
  return EnumPrintersA(flags, nullptr, 5, buffer.data(), needed, &needed, &count) != 0;
}

std::string FirstPiece(const std::string& text) {
  return text.substr(0, text.find(','));
}

// The profile's "devices" section, "name=driver,port" per printer, read once.
std::vector<std::string> DevicesSection() {
  std::vector<char> text(32768, 0);
  DWORD size = GetProfileSectionA("devices", text.data(), static_cast<DWORD>(text.size()));
  std::vector<std::string> lines;
  for (DWORD pos = 0; pos < size && text[pos] != 0;) {
    std::size_t length = strnlen(text.data() + pos, size - pos);
    lines.emplace_back(text.data() + pos, length);
    pos += static_cast<DWORD>(length) + 1;
  }
  return lines;
}

std::string DriverOf(const std::vector<std::string>& devices, const std::string& device) {
  for (const auto& line : devices) {
    std::size_t equals = line.find('=');
    if (equals != std::string::npos &&
        CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, line.data(), static_cast<int>(equals),
                       device.data(), static_cast<int>(device.size())) == CSTR_EQUAL)
      return FirstPiece(line.substr(equals + 1));
  }
  return {};
}

}  // namespace

PrinterSetup ReadPrinterSetup() {
  PrinterSetup setup;
  // "device" holds "name,driver,port"; every version keeps it current.
  char device[1024] = {};
  GetProfileStringA("windows", "device", "", device, sizeof device);
  setup.defaultDevice = FirstPiece(device);

  std::vector<BYTE> buffer;
  DWORD count = 0;
  // The 9x family knows no connections apart: its local list holds them all.
  if (!Enumerate(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, buffer, count) &&
      !Enumerate(PRINTER_ENUM_LOCAL, buffer, count))
    return setup;
  const auto devices = DevicesSection();
  const auto* info = reinterpret_cast<const PRINTER_INFO_5A*>(buffer.data());
  for (DWORD i = 0; i < count; ++i) {
    PrinterEntry entry;
    entry.device = info[i].pPrinterName ? info[i].pPrinterName : "";
    entry.port = info[i].pPortName ? info[i].pPortName : "";
    entry.driver = DriverOf(devices, entry.device);
    setup.printers.push_back(std::move(entry));
  }
  return setup;
}

}  // namespace qor::platform
