#pragma once
// The import behind "Hae tiedot": the count file that the reader's own
// software leaves in its directory is moved to "pnqty.dat" in the current
// directory, taken into the work file and the log, and removed.
#include <cstdint>
#include <string>

#include "files/ownfiles.h"
#include "platform/clock.h"

namespace orvik {

struct ReaderSoftwareImport {
    enum class Outcome { NothingToImport, Imported, Failed };
    Outcome outcome = Outcome::NothingToImport;
    std::int64_t lineCount = 0; // lines taken in, when Imported
    std::string message;        // what to tell the user otherwise
    std::string warning;        // Imported, but something to tell the user
};

// `readerDir` is the reader-software directory value as the user sees it
// (Text1); `datPolku` the work directory value read at start-up. A waiting
// "pnqty.dat" is taken first; when the new file then fails, the import is
// still Imported, and the warning says which file was not taken and why.
// A step that cannot be settled refuses before any file is touched.
ReaderSoftwareImport importReaderSoftwareCount(const std::string& readerDir,
                                               const std::string& datPolku, Clock& clock);

// "Rivejä käsitelty: <count> kpl".
std::string importedCountCaption(std::int64_t lineCount);

} // namespace orvik
