#include "app/archive.h"
#include "files/ownfiles.h"

#include "files/filestatus.h"

#include <filesystem>
#include <system_error>

#include "files/blockcopy.h"
#include "files/safewrite.h"

namespace orvik {
namespace {

// In blocks: a work file of any size is copied without holding it in memory.
void copyToArchive(const std::filesystem::path& workFile, Clock& clock) {
    const CalendarDate date = clock.today();
    const TimeOfDay time = clock.now();
    copyFileReplacing(workFile, archiveName(date, time));
}

} // namespace

void archiveWorkFile(Clock& clock) {
    // The name alone: the archive looks only where the program runs.
    const std::filesystem::path workFile = kWorkFileName;
    if (!isRegularFile(workFile))
        return;
    copyToArchive(workFile, clock);
    if (isEmptyRegularFile(workFile))
        removeFile(workFile);
}

} // namespace orvik
