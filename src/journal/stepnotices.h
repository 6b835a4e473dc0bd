#pragma once
// What the user is told about journalled steps: one that recovery settled
// after a crash, one it could not settle, and a taken source that could not
// be removed.
#include <string>
#include <vector>

#include "journal/stepjournal.h"

namespace orvik {

struct StepNotice {
    std::string text;
    bool warning = false; // needs the user's action: shown with the exclamation icon
};

// One notice per recovered step, and one per file it left as found.
std::vector<StepNotice> recoveryNotices(const std::vector<RecoveredStep>& recovered);

// Why a new step cannot run while `pending` is unsettled.
std::string unsettledStepText(const RecoveredStep& pending);

// The lines of a source are in the work file, but the source could not be
// removed: it will not be taken again.
std::string takenSourceLeftText(const FileError& removal);

} // namespace orvik
