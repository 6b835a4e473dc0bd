#include "app/tasks/taskchecks.h"
#include "files/ownfiles.h"

#include <filesystem>
#include <system_error>

namespace orvik {

bool workFileHoldsRows(const Directories& directories) {
    const std::filesystem::path path = fsPath(workFilePath(directories.datPolku));
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return false;
    const auto length = std::filesystem::file_size(path, error);
    return !error && length > 0;
}

} // namespace orvik
