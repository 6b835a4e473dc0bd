#include "support/killingfileops.h"
#include "files/fileops.h"

#include <algorithm>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace orvik::test {

KillingFileOps KillingFileOps::beforeOperation(std::int64_t n) {
    KillingFileOps ops;
    ops.killBeforeOperation_ = n;
    return ops;
}

KillingFileOps KillingFileOps::atByte(std::int64_t n) {
    KillingFileOps ops;
    ops.killAtByte_ = n;
    return ops;
}

void KillingFileOps::count() {
    if (operations_++ == killBeforeOperation_)
        ::kill(::getpid(), SIGKILL);
}

int KillingFileOps::open(const char* path, int flags, int mode) {
    count();
    return FileOps::open(path, flags, mode);
}

long KillingFileOps::write(int fd, const void* data, std::size_t size) {
    count();
    if (killAtByte_ >= 0 && bytes_ + static_cast<std::int64_t>(size) > killAtByte_) {
        const auto part = static_cast<std::size_t>(std::max<std::int64_t>(0, killAtByte_ - bytes_));
        FileOps::write(fd, data, part);
        ::kill(::getpid(), SIGKILL);
    }
    const long written = FileOps::write(fd, data, size);
    if (written > 0)
        bytes_ += written;
    return written;
}

int KillingFileOps::fsync(int fd) {
    count();
    return FileOps::fsync(fd);
}

int KillingFileOps::ftruncate(int fd, long long length) {
    count();
    return FileOps::ftruncate(fd, length);
}

int KillingFileOps::close(int fd) {
    count();
    return FileOps::close(fd);
}

int KillingFileOps::rename(const char* from, const char* to) {
    count();
    return FileOps::rename(from, to);
}

int KillingFileOps::unlink(const char* path) {
    count();
    return FileOps::unlink(path);
}

void KillingFileOps::syncDirectory(const char* directory) {
    count();
    FileOps::syncDirectory(directory);
}

bool killedInChild(FileOps& ops, const std::function<void()>& work) {
    const pid_t child = ::fork();
    if (child == 0) {
        ScopedFileOps scoped(ops);
        work();
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

} // namespace orvik::test
