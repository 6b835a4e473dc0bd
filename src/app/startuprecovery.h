#pragma once
// What a crash or a power cut left behind, settled at start-up before the
// user can do anything: the journals of interrupted steps, and the temporary
// files of interrupted saves.
#include <string>
#include <vector>

#include "journal/stepnotices.h"

namespace orvik {

// Recovers the journals in the work-file directory `datPolku` and removes
// the program's own temporary files there and in the current directory.
// Answers what the user must be told.
std::vector<StepNotice> recoverAtStartUp(const std::string& datPolku);

// Whether a file name is one of the program's temporary files: "." and one
// of its file names, then ".tmp-" and anything.
bool isLeftoverTemporary(const std::string& fileName);

} // namespace orvik
