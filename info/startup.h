#pragma once

namespace qor {

// Every module's start-up step, in module order. Runs once before the console
// run; tests run it again after describing a fake machine.
void RunStartUp();

}  // namespace qor
