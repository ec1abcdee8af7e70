#include "info/startup.h"

#include "routines/Velto_Routines.h"

namespace qor {

void RunStartUp() {
  InitWindowsVersion();
}

}  // namespace qor
