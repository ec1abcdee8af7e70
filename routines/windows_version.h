#pragma once
// Classification of the running Windows and the start-up values derived from it.
#include <string>

namespace qor {

enum TWindowsKind : int {
  wkUnknown = 0,
  wkWin95 = 1,
  wkWin95OSR2 = 2,
  wkWin98 = 3,
  wkWin98SE = 4,
  wkWinNT3 = 5,
  wkWinNT4 = 6,
  wkWin2000 = 7,
  wkWinME = 8,
  wkWinXP = 9,
};
inline constexpr const char* kWindowsKindNames[] = {
    "wkUnknown", "wkWin95",  "wkWin95OSR2", "wkWin98", "wkWin98SE",
    "wkWinNT3",  "wkWinNT4", "wkWin2000",   "wkWinME", "wkWinXP"};

// Asks the platform afresh on every call.
TWindowsKind GetWindowsKind();

// Read-only start-up values, set by InitWindowsVersion().
extern const TWindowsKind& WindowsKind;
extern const bool& IsNTFamily;
extern const bool& IsWin2000;
extern const std::string& WindowsName;
extern const std::string& ClassKeyRoot;

// The module's start-up step; tests re-run it over a fake machine.
void InitWindowsVersion();

}  // namespace qor
