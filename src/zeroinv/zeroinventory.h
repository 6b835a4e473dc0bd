#pragma once
// The zero inventory run: the rows, the zero-row file and the user's notice.
#include <cstdint>
#include <vector>

#include "files/dirvalue.h"
#include "platform/clock.h"
#include "platform/messagebox.h"

namespace orvik {

// Appends the zero rows of the chosen groups to DatPolku + "nulli.dat" (the
// file is created even when no row qualifies) and shows
// " Nollainventointirivit on lisätty. ". True when done, so the caller opens
// the review; false after a stock file or the zero-row file failed, which is
// reported and leaves the zero-row file as it was. The rows are appended as a
// journalled step, so a crash leaves none of them or all.
bool nollainventointi(const Directories& directories, const std::vector<std::int32_t>& groups,
                      double cutOff, MessageBoxes& messages, Clock& clock);

} // namespace orvik
