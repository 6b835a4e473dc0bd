#include "app/tasks/taskchecks.h"
#include "files/ownfiles.h"

#include "files/filestatus.h"

#include <filesystem>
#include <system_error>

namespace orvik {

bool workFileHoldsRows(const Directories& directories) {
    const std::filesystem::path path = fsPath(workFilePath(directories.datPolku));
    return isRegularFile(path) && !isEmptyRegularFile(path);
}

} // namespace orvik
