#pragma once
// "Hyväksy": hands the counted quantities over to the cash-register system
// through the transfer file, then retires the work file.
#include <string>

#include "files/dirvalue.h"
#include "files/ownfiles.h"
#include "platform/platform.h"
#include "results/resultsview.h"
#include "review/reviewlist.h"

namespace orvik {

// The row's transfer line: the code cut or padded to 13, one blank, the
// counted-quantity cell exactly as held, CR LF.
std::string transferLine(const ReviewRow& row);

// Every row's transfer line, in the order shown.
std::string transferLines(const ReviewList& list);

enum class HandOverResult {
    NothingToHandOver, // empty list: told so, nothing written
    Declined,          // the user answered No: nothing written
    TransferFailed,    // nothing appended, work file untouched, window open
    Done,              // appended, work file retired, program ended
    DoneWorkFileLeft,  // appended, but the work file could not be retired;
                       // the user was told not to hand it over again
};

// Asks, appends the transfer lines in one piece to the transfer file in
// `dirs.invPolku`, hides the window, then deletes the work file in
// `dirs.datPolku` (or rewrites it to hold just the lines the review could not
// read), gives the closing notice and ends the program.
HandOverResult handOver(const ReviewList& list, const Directories& dirs, Platform& platform,
                        ResultsView& view);

} // namespace orvik
