#pragma once
// Texts as UTF-8 for the report.
//
// The system's own texts (the processor code names with the micro sign as the byte 0xB5,
// and every other constant) are single-byte Windows-1252 on every platform. What the
// platform returns depends on the platform, so the platform answers that question
// (platform::PlatformTextsAreUtf8): Windows's ANSI calls give Windows-1252, and every byte
// is converted; Linux's sources give UTF-8, which passes through as it is, while the
// bytes that are not part of a well-formed UTF-8 sequence (our own 0xB5, a stray byte
// from a driver) are taken as Windows-1252. Either way the result is well-formed UTF-8.
#include <string>
#include <string_view>

namespace qor::report {

// Every byte taken as Windows-1252 (its five unassigned bytes map to U+0081 and so on).
std::string Utf8FromWindows1252(std::string_view text);
// Well-formed UTF-8 sequences kept; every other byte taken as Windows-1252.
std::string Utf8FromMixed(std::string_view text);
// By what the platform returns.
std::string Utf8FromPlatform(std::string_view text, bool platformTextsAreUtf8);

}  // namespace qor::report
