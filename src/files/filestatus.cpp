#include "files/filestatus.h"

#include "files/fileops.h"

namespace orvik {

std::optional<systemfile::Status> statusOf(const std::filesystem::path& path) {
    systemfile::Status status;
    if (fileOps().pathStatus(path.c_str(), status) != 0)
        return std::nullopt;
    return status;
}

bool isRegularFile(const std::filesystem::path& path) {
    const std::optional<systemfile::Status> status = statusOf(path);
    return status && status->regular;
}

bool knownNotADirectory(const std::filesystem::path& path) {
    if (const std::optional<systemfile::Status> status = statusOf(path))
        return !status->directory;
    return systemfile::isAbsent(lastFileError());
}

bool isEmptyRegularFile(const std::filesystem::path& path) {
    const std::optional<systemfile::Status> status = statusOf(path);
    return status && status->regular && status->size == 0;
}

} // namespace orvik
