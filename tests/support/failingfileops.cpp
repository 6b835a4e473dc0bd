#include "support/failingfileops.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>

#include "files/dirvalue.h"

namespace orvik::test {

namespace {

bool endsWith(const std::string& text, const std::string& end) {
    return !end.empty() && text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The path's code-page bytes, to compare with the names the tests give.
std::string named(const NativePathChar* path) {
    return cpPath(std::filesystem::path(path));
}

} // namespace

int FailingFileOps::unlink(const NativePathChar* path) {
    if (endsWith(named(path), failRemovalOf)) {
        errno = errorNumber_;
        return -1;
    }
    return FileOps::unlink(path);
}

int FailingFileOps::open(const NativePathChar* path, int flags, int mode) {
    const int fd = FileOps::open(path, flags, mode);
    if (fd >= 0 && endsWith(named(path), onlyFile))
        counted_.insert(fd);
    else
        counted_.erase(fd);
    return fd;
}

long FailingFileOps::write(int fd, const void* data, std::size_t size) {
    if (!onlyFile.empty() && counted_.count(fd) == 0)
        return FileOps::write(fd, data, size);
    if (budget_ <= 0) {
        errno = errorNumber_;
        return -1;
    }
    std::size_t allowed = std::min<std::size_t>(size, static_cast<std::size_t>(budget_));
    long written = FileOps::write(fd, data, allowed);
    if (written > 0)
        budget_ -= written;
    return written;
}

int FailingFileOps::fsync(int fd) {
    if (failFsync) {
        errno = errorNumber_;
        return -1;
    }
    return FileOps::fsync(fd);
}

int FailingFileOps::rename(const NativePathChar* from, const NativePathChar* to) {
    if (failRename || endsWith(named(from), failRenameOf) || endsWith(named(to), failRenameTo)) {
        errno = errorNumber_;
        return -1;
    }
    return FileOps::rename(from, to);
}

} // namespace orvik::test
