#include <windows.h>

#include "platform/console.h"

namespace qor::platform {
namespace {

// Output is collected and written at each flush: one system call per flush.
std::string& Pending() {
  static std::string pending;
  return pending;
}

struct FlushAtExit {
  ~FlushAtExit() { ConsoleFlush(); }
} flushAtExit;

}  // namespace

void ConsoleWrite(std::string_view text) {
  Pending().append(text);
}

void ConsoleWriteLine(std::string_view text) {
  Pending().append(text);
  Pending().append("\r\n");
}

void ConsoleFlush() {
  std::string& pending = Pending();
  if (pending.empty()) return;
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  if (out != INVALID_HANDLE_VALUE && out != nullptr) {
    const char* p = pending.data();
    DWORD left = static_cast<DWORD>(pending.size());
    while (left > 0) {
      DWORD written = 0;
      if (!WriteFile(out, p, left, &written, nullptr) || written == 0) break;
      p += written;
      left -= written;
    }
  }
  pending.clear();
}

void ConsoleWriteErrorLine(std::string_view text) {
  std::string line(text);
  line += "\r\n";
  HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
  if (err == INVALID_HANDLE_VALUE || err == nullptr) return;
  DWORD written = 0;
  WriteFile(err, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

bool ConsoleReadLine(std::string& line) {
  ConsoleFlush();
  line.clear();
  HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
  if (in == INVALID_HANDLE_VALUE || in == nullptr) return false;
  for (;;) {
    char c;
    DWORD got = 0;
    if (!ReadFile(in, &c, 1, &got, nullptr) || got == 0) return !line.empty();
    if (c == '\n') {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      return true;
    }
    line += c;
  }
}

bool IsConsoleProgram() {
  return true;
}

int ShowMessageBox(std::string_view text, std::string_view caption, unsigned style) {
  std::string t(text), c(caption);
  return MessageBoxA(nullptr, t.c_str(), c.c_str(), style);
}

}  // namespace qor::platform
