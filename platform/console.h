#pragma once
// The console: text out, one line in, and the message box a non-console program uses.
#include <string>
#include <string_view>

namespace qor::platform {

void ConsoleWrite(std::string_view text);
// The text followed by the platform's line end ("\r\n" on Windows, "\n" on Linux).
void ConsoleWriteLine(std::string_view text);
void ConsoleFlush();
// The text and the line end on standard error, at once (usage errors).
void ConsoleWriteErrorLine(std::string_view text);
// Reads up to the line end; false at the end of input.
bool ConsoleReadLine(std::string& line);
// Whether the program runs as a console program (errors go to the console, not a box).
bool IsConsoleProgram();

inline constexpr unsigned kMbIconError = 0x10;
int ShowMessageBox(std::string_view text, std::string_view caption, unsigned style);

}  // namespace qor::platform
