#include <cstdio>
#include <iostream>

#include "platform/console.h"

namespace qor::platform {

void ConsoleWrite(std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
}

void ConsoleWriteLine(std::string_view text) {
  ConsoleWrite(text);
  std::fputc('\n', stdout);
}

void ConsoleFlush() {
  std::fflush(stdout);
}

void ConsoleWriteErrorLine(std::string_view text) {
  std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
}

bool ConsoleReadLine(std::string& line) {
  line.clear();
  int c;
  while ((c = std::fgetc(stdin)) != EOF) {
    if (c == '\n') return true;
    line += static_cast<char>(c);
  }
  return !line.empty();
}

bool IsConsoleProgram() {
  return true;
}

// A console program never shows the box; the message goes to standard error instead.
int ShowMessageBox(std::string_view text, std::string_view caption, unsigned) {
  std::fprintf(stderr, "%.*s: %.*s\n", static_cast<int>(caption.size()), caption.data(),
               static_cast<int>(text.size()), text.data());
  return 1;
}

}  // namespace qor::platform
