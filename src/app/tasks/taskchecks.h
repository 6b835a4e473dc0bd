#pragma once
// The decisions of the tasks that need no window: whether the zero
// inventory may start, and how the reader clearing is reported.
#include <cstdint>
#include <string>

#include "common/dirvalue.h"
#include "platform/messagebox.h"

namespace orvik {

// True when DatPolku + "orvik.dat" exists and holds at least one byte: its
// rows must reach the cash-register system before a zero inventory.
bool workFileHoldsRows(const Directories& directories);

struct TaskMessage {
    std::string text;
    std::string title;
    MsgIcon icon;
};

// The clearing's report for the reader result `tulos`: 0 and 48 (nothing to
// delete) are success, anything else an error with its number in the title.
TaskMessage clearingReport(std::int32_t tulos);

} // namespace orvik
