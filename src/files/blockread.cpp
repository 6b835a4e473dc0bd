#include "files/blockread.h"

#include <cerrno>
#include <string>

#include "files/filelock.h"
#include "files/fileops.h"
#include "files/rawfile.h"

namespace orvik {

FileError readInBlocks(const std::filesystem::path& path, const BlockHandler& block,
                       bool denyWriters, std::size_t blockSize) {
    const int fd = fileOps().open(path.c_str(), O_RDONLY | O_CLOEXEC, 0);
    if (fd < 0)
        return lastFileError().about(FileOperation::Read, path);
    FileError error;
    if (denyWriters)
        error = lockFile(fd, LOCK_SH).about(FileOperation::Read, path);
    std::string buffer(blockSize, '\0');
    while (!error.failed()) {
        const long got = fileOps().read(fd, buffer.data(), buffer.size());
        if (got < 0) {
            if (errno != EINTR)
                error = lastFileError().about(FileOperation::Read, path);
        } else if (got == 0) {
            break;
        } else {
            error = block(std::string_view(buffer.data(), static_cast<std::size_t>(got)));
        }
    }
    fileOps().close(fd);
    return error;
}

} // namespace orvik
