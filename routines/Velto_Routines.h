#pragma once
// The shared routines module: everything the information classes share.
#include "routines/seconds_to_text.h"
#include "routines/windows_version.h"
