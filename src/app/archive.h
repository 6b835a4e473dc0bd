#pragma once
// arkistoi: a dated copy of a work file left in the current directory.
#include <string>

#include "platform/clock.h"
#include "text/daydate.h"

namespace orvik {

// Copies "orvik.dat" of the current directory to its archive name there and
// deletes it when it is empty. Every failure is ignored: start-up goes on.
void archiveWorkFile(Clock& clock);

} // namespace orvik
