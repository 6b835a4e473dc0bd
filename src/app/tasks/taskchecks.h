#pragma once
// The check that needs no window before the zero inventory may start.
#include "files/dirvalue.h"

namespace orvik {

// True when DatPolku + "orvik.dat" exists and holds at least one byte: its
// rows must reach the cash-register system before a zero inventory.
bool workFileHoldsRows(const Directories& directories);

} // namespace orvik
