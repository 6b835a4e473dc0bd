#include "files/fileidentity.h"

#include <fcntl.h>

#include "files/fileops.h"

namespace orvik {

// Through an open file: on Windows only a handle tells the file's id.
std::optional<FileIdentity> identityOf(const std::filesystem::path& path) {
    const int fd = fileOps().open(path.c_str(), O_RDONLY | O_CLOEXEC, 0);
    if (fd < 0)
        return std::nullopt;
    systemfile::Status status;
    const bool known = fileOps().status(fd, status) == 0;
    fileOps().close(fd);
    if (!known)
        return std::nullopt;
    return FileIdentity{status.device, status.id, status.size, status.modifiedNs, status.changedNs};
}

} // namespace orvik
