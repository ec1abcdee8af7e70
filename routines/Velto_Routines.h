#pragma once
// The shared routines module: everything the information classes share.
#include "routines/calendar.h"
#include "routines/device_class.h"
#include "routines/environment_folders.h"
#include "routines/seconds_to_text.h"
#include "routines/system_queries.h"
#include "routines/text_routines.h"
#include "routines/windows_version.h"
