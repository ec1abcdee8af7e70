#include "platform/linux/ipp.h"

#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

namespace qor::platform::linux_impl {
namespace {

constexpr std::uint8_t kOperationGroup = 0x01;
constexpr std::uint8_t kEndOfAttributes = 0x03;
constexpr std::uint8_t kPrinterGroup = 0x04;
constexpr std::uint8_t kCharset = 0x47;
constexpr std::uint8_t kNaturalLanguage = 0x48;
constexpr std::uint8_t kKeyword = 0x44;

void Put16(std::string& out, unsigned v) {
  out += static_cast<char>(v >> 8 & 0xFF);
  out += static_cast<char>(v & 0xFF);
}

void PutAttribute(std::string& out, std::uint8_t tag, std::string_view name,
                  std::string_view value) {
  out += static_cast<char>(tag);
  Put16(out, static_cast<unsigned>(name.size()));
  out += name;
  Put16(out, static_cast<unsigned>(value.size()));
  out += value;
}

unsigned Get16(std::string_view s, std::size_t at) {
  return static_cast<unsigned>(static_cast<unsigned char>(s[at])) << 8 |
         static_cast<unsigned char>(s[at + 1]);
}

// Connects to the server's local socket, else to its port on this machine.
int Connect() {
  for (const char* path : {"/run/cups/cups.sock", "/var/run/cups/cups.sock"}) {
    int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return -1;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path, sizeof address.sun_path - 1);
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) return fd;
    close(fd);
  }
  int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(631);
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) return fd;
  close(fd);
  return -1;
}

}  // namespace

std::string EncodeIppRequest(std::uint16_t operation, std::uint32_t requestId,
                             const std::vector<std::string>& requestedAttributes) {
  std::string out;
  Put16(out, 0x0200);  // version 2.0
  Put16(out, operation);
  Put16(out, requestId >> 16);
  Put16(out, requestId & 0xFFFF);
  out += static_cast<char>(kOperationGroup);
  PutAttribute(out, kCharset, "attributes-charset", "utf-8");
  PutAttribute(out, kNaturalLanguage, "attributes-natural-language", "en");
  for (std::size_t i = 0; i < requestedAttributes.size(); ++i)
    PutAttribute(out, kKeyword, i == 0 ? "requested-attributes" : "", requestedAttributes[i]);
  out += static_cast<char>(kEndOfAttributes);
  return out;
}

bool DecodeIppPrinters(std::string_view body, std::vector<IppPrinter>& printers) {
  printers.clear();
  if (body.size() < 9 || Get16(body, 2) >= 0x0100) return false;  // status: successful-ok*
  std::size_t at = 8;
  IppPrinter* current = nullptr;
  std::string name;
  while (at < body.size()) {
    auto tag = static_cast<std::uint8_t>(body[at++]);
    if (tag == kEndOfAttributes) return true;
    if (tag < 0x10) {  // a group starts
      current = nullptr;
      if (tag == kPrinterGroup) {
        printers.emplace_back();
        current = &printers.back();
      }
      continue;
    }
    if (at + 2 > body.size()) return false;
    std::size_t nameLength = Get16(body, at);
    at += 2;
    if (at + nameLength + 2 > body.size()) return false;
    std::string_view attributeName = body.substr(at, nameLength);
    at += nameLength;
    std::size_t valueLength = Get16(body, at);
    at += 2;
    if (at + valueLength > body.size()) return false;
    if (nameLength > 0) {  // an empty name adds a further value to the last attribute
      name = std::string(attributeName);
      if (current && !current->count(name))
        (*current)[name] = std::string(body.substr(at, valueLength));
    }
    at += valueLength;
  }
  return false;
}

bool AskPrintServer(std::uint16_t operation, const std::vector<std::string>& requestedAttributes,
                    std::vector<IppPrinter>& printers) {
  printers.clear();
  int fd = Connect();
  if (fd < 0) return false;
  // A server that stops answering must not hold the whole run.
  timeval limit{2, 0};
  setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
  setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
  std::string body = EncodeIppRequest(operation, 1, requestedAttributes);
  // HTTP/1.0: the answer comes whole, not in chunks, and ends with the connection.
  std::string request =
      "POST / HTTP/1.0\r\nHost: localhost\r\nContent-Type: application/ipp\r\n"
      "Content-Length: " +
      std::to_string(body.size()) + "\r\n\r\n" + body;
  bool sent = send(fd, request.data(), request.size(), MSG_NOSIGNAL) ==
              static_cast<ssize_t>(request.size());
  std::string answer;
  char buffer[8192];
  ssize_t n;
  while (sent && (n = recv(fd, buffer, sizeof buffer, 0)) > 0) answer.append(buffer, n);
  close(fd);
  if (answer.compare(0, 9, "HTTP/1.1 ") != 0 && answer.compare(0, 9, "HTTP/1.0 ") != 0)
    return false;
  if (answer.compare(9, 3, "200") != 0) return false;
  std::size_t headersEnd = answer.find("\r\n\r\n");
  if (headersEnd == std::string::npos) return false;
  return DecodeIppPrinters(std::string_view(answer).substr(headersEnd + 4), printers);
}

}  // namespace qor::platform::linux_impl
