#pragma once
#include "platform/clock.h"
#include "platform/eventpump.h"
#include "platform/messagebox.h"
#include "platform/printingservice.h"
#include "platform/programend.h"
#include "platform/settingsstore.h"
#include "platform/singlecopy.h"

namespace orvik {

// Everything the program asks of its platform, handed to each window.
struct Platform {
    SettingsStore& settings;
    SingleCopyLock& singleCopy;
    MessageBoxes& messages;
    PrintingService& printer;
    ProgramEnd& programEnd;
    EventPump& events;
    Clock& clock;
};

} // namespace orvik
