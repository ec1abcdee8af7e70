#pragma once

namespace qor {

// The console summary run: banner, one refresh, the summary, one line read.
// Returns the exit code.
int RunConsole();

}  // namespace qor
