#include "files/systemfile.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace orvik::systemfile {

namespace {

void fill(const struct stat& info, Status& status) {
    status.regular = S_ISREG(info.st_mode);
    status.directory = S_ISDIR(info.st_mode);
    status.size = static_cast<std::int64_t>(info.st_size);
    status.device = static_cast<std::uint64_t>(info.st_dev);
    status.id = static_cast<std::uint64_t>(info.st_ino);
    status.modifiedNs = std::int64_t{info.st_mtim.tv_sec} * 1000000000 + info.st_mtim.tv_nsec;
    status.changedNs = std::int64_t{info.st_ctim.tv_sec} * 1000000000 + info.st_ctim.tv_nsec;
}

} // namespace

int open(const PathChar* path, int flags, int mode) {
    return ::open(path, flags, static_cast<mode_t>(mode));
}

long write(int fd, const void* data, std::size_t size) {
    return static_cast<long>(::write(fd, data, size));
}

long read(int fd, void* buffer, std::size_t size) {
    return static_cast<long>(::read(fd, buffer, size));
}

long readAt(int fd, void* buffer, std::size_t size, std::int64_t offset) {
    return static_cast<long>(::pread(fd, buffer, size, static_cast<off_t>(offset)));
}

int sync(int fd) {
    return ::fsync(fd);
}

void startWriteBack(int fd) {
#ifdef __linux__
    ::sync_file_range(fd, 0, 0, SYNC_FILE_RANGE_WRITE);
#else
    (void)fd;
#endif
}

int truncate(int fd, long long length) {
    return ::ftruncate(fd, static_cast<off_t>(length));
}

int close(int fd) {
    return ::close(fd);
}

int rename(const PathChar* from, const PathChar* to) {
    return ::rename(from, to);
}

int unlink(const PathChar* path) {
    return ::unlink(path);
}

int tryLock(int fd, int operation) {
    int result;
    do {
        result = ::flock(fd, operation | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    return result;
}

int status(int fd, Status& status) {
    struct stat info {};
    if (::fstat(fd, &info) != 0)
        return -1;
    fill(info, status);
    return 0;
}

int pathStatus(const PathChar* path, Status& status) {
    struct stat info {};
    if (::stat(path, &info) != 0)
        return -1;
    fill(info, status);
    return 0;
}

void copyPermissions(const PathChar* model, int fd) {
    struct stat info {};
    if (::stat(model, &info) == 0 && S_ISREG(info.st_mode))
        ::fchmod(fd, info.st_mode & 07777);
}

void syncDirectory(const PathChar* directory) {
    const int fd = ::open(directory, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

unsigned long processId() {
    return static_cast<unsigned long>(::getpid());
}

FileError lastError() {
    return FileError::fromErrno(errno);
}

bool isMissing(const FileError& error, const std::filesystem::path&) {
    return error.number == ENOENT;
}

bool isAbsent(const FileError& error) {
    return error.number == ENOENT || error.number == ENOTDIR;
}

bool isLockHeld(const FileError& error) {
    return error.number == EWOULDBLOCK;
}

} // namespace orvik::systemfile
