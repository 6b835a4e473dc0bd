#pragma once
// "Sulje" (and the window's close box): the list back into the work file.
#include <string>

#include "platform/platform.h"
#include "results/resultsview.h"
#include "review/reviewlist.h"

namespace orvik {

// Replaces the work file and the list export file in `datPolku` with the
// list, hides the window, gives the notice when there were rows and ends the
// program. Both files are replaced together or not at all. Returns false, with
// the user told why, when a count cannot be saved or the files cannot be
// written: then nothing has changed and the window stays open.
bool saveListAndEnd(const ReviewList& list, const std::string& datPolku, Platform& platform,
                    ResultsView& view);

} // namespace orvik
