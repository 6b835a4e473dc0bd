#pragma once
// Taking a reader count file into the work file and the import log.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "files/ownfiles.h"
#include "files/safewrite.h"
#include "journal/stepjournal.h"
#include "platform/clock.h"

namespace orvik {

struct ImportResult {
    FileError error;                      // failed() when nothing was taken
    FileError endError;                   // the lines are in, but `end` could not be done
    std::vector<RecoveredStep> blockedBy; // an earlier step that stood in the way
    std::int64_t lineCount = 0;
};

// The log's header line of one import: "dd.mm.yyyy hh:mm:ss" and CR LF, the
// date read from the clock first, then the time.
std::string logHeaderLine(Clock& clock);

// When the directory `datPolku` puts the work file in is missing (or is a
// file), what to tell the user: the value they set as "Dat-hakemisto" and
// how to mend it, rather than the first file that failed there. Empty
// otherwise.
std::string workDirMissingText(const std::string& datPolku);

// Appends every line of `source` to the work file and to the log in
// `datPolku`, the log after a dated header line; all of it or nothing, as a
// journalled step whose end is `end` (removing the source, for a caller that
// has taken it). Each line gets CR LF, whatever end it had in the source.
// The source is read in bounded blocks, whatever its size.
ImportResult tuodata(const std::filesystem::path& source, const std::string& datPolku, Clock& clock,
                     const StepEnd& end = {});

} // namespace orvik
