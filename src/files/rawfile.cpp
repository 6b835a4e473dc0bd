#include "files/rawfile.h"
#include "files/dirvalue.h"

#include <atomic>
#include <cerrno>
#include <string>

#include "files/fileops.h"
#include "files/systemfile.h"

namespace orvik {

FileError writeAll(int fd, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const long written = fileOps().write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return lastFileError();
        }
        if (written == 0)
            return FileError::fromErrno(EIO);
        done += static_cast<std::size_t>(written);
    }
    return {};
}

std::filesystem::path temporaryBeside(const std::filesystem::path& target) {
    static std::atomic<unsigned> counter{0};
    std::filesystem::path name = ".";
    name += target.filename();
    name += ".tmp-" + std::to_string(systemfile::processId()) + "-" + std::to_string(++counter);
    return directoryOf(target) / name;
}

void syncDirectory(const std::filesystem::path& directory) {
    fileOps().syncDirectory(directory.c_str());
}

} // namespace orvik
