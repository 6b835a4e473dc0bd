#include "common/blockcopy.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <string>
#include <unistd.h>

namespace orvik {

namespace {

constexpr int kNewFileMode = 0666; // narrowed by the user's umask

FileError lastError() {
    return FileError::fromErrno(errno);
}

std::filesystem::path temporaryBeside(const std::filesystem::path& target) {
    static std::atomic<unsigned> counter{0};
    const std::string name = "." + target.filename().string() + ".copy-" +
                             std::to_string(::getpid()) + "-" + std::to_string(++counter);
    const std::filesystem::path directory = target.parent_path();
    return directory.empty() ? std::filesystem::path(name) : directory / name;
}

FileError writeAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const long written = fileOps().write(fd, data, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            return lastError();
        if (written == 0)
            return FileError::fromErrno(EIO);
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return {};
}

// Reads block after block of `source` and writes each to `target`.
FileError copyBlocks(int source, int target) {
    const auto block = std::make_unique<char[]>(kCopyBlockSize);
    for (;;) {
        const ssize_t got = ::read(source, block.get(), kCopyBlockSize);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return lastError();
        if (got == 0)
            return {};
        if (FileError error = writeAll(target, block.get(), static_cast<std::size_t>(got));
            error.failed())
            return error;
    }
}

FileError copyToNewFile(int source, const std::filesystem::path& temporary) {
    const int target =
        fileOps().open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kNewFileMode);
    if (target < 0)
        return lastError();
    FileError error = copyBlocks(source, target);
    if (!error.failed() && fileOps().fsync(target) != 0)
        error = lastError();
    if (fileOps().close(target) != 0 && !error.failed())
        error = lastError();
    if (error.failed())
        fileOps().unlink(temporary.c_str());
    return error;
}

} // namespace

FileError copyFileReplacing(const std::filesystem::path& from, const std::filesystem::path& to) {
    const int source = fileOps().open(from.c_str(), O_RDONLY | O_CLOEXEC, 0);
    if (source < 0)
        return lastError();
    const std::filesystem::path temporary = temporaryBeside(to);
    FileError error = copyToNewFile(source, temporary);
    fileOps().close(source);
    if (error.failed())
        return error;
    if (fileOps().rename(temporary.c_str(), to.c_str()) != 0) {
        error = lastError();
        fileOps().unlink(temporary.c_str());
    }
    return error;
}

} // namespace orvik
