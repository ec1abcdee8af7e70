#pragma once
// A small client of the print server's own protocol (IPP over HTTP) on its local
// socket: the two questions the printer list asks, without the print library and
// the thirty shared libraries it loads.
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace qor::platform::linux_impl {

inline constexpr std::uint16_t kIppGetDefault = 0x4001;
inline constexpr std::uint16_t kIppGetPrinters = 0x4002;

// One printer group of an answer: attribute name to its first value.
using IppPrinter = std::map<std::string, std::string>;

std::string EncodeIppRequest(std::uint16_t operation, std::uint32_t requestId,
                             const std::vector<std::string>& requestedAttributes);
// The printer groups of an IPP answer body; false when the body is malformed or the
// status is not a success.
bool DecodeIppPrinters(std::string_view body, std::vector<IppPrinter>& printers);

// Asks the print server; false when there is none or it does not answer.
bool AskPrintServer(std::uint16_t operation, const std::vector<std::string>& requestedAttributes,
                    std::vector<IppPrinter>& printers);

}  // namespace qor::platform::linux_impl
