#pragma once

// The GDI bitmap functions the bench relies on, under their Windows names and with Windows'
// argument order and results. A Windows build gets the real gdi32; every other build gets this
// library's emulation. Both offer the same overloads, so nothing above this header can tell.
#if defined(_WIN32)
#include "gdi/native_gdi.h"
#else
#include "gdi/emulated_gdi.h"
#endif

#include "gdi/move_memory.h"
