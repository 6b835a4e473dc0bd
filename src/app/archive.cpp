#include "app/archive.h"
#include "files/ownfiles.h"

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

bool isEmptyFile(const std::filesystem::path& path) {
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    return !error && size == 0;
}

} // namespace

void archiveWorkFile(Clock& clock) {
    // The name alone: the archive looks only where the program runs.
    const std::filesystem::path workFile = kWorkFileName;
    std::error_code error;
    if (!std::filesystem::is_regular_file(workFile, error))
        return;
    copyToArchive(workFile, clock);
    if (isEmptyFile(workFile))
        removeFile(workFile);
}

} // namespace orvik
