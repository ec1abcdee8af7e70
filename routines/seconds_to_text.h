#pragma once
#include <cstdint>
#include <string>

namespace qor {

// A count of seconds as words ("1 Day, 1 Hour, 1 Minute, 1 Second.") or digits.
std::string SecondsToText(std::int64_t seconds, bool wholeSeconds, bool allUnits, bool numeric);

}  // namespace qor
