#include "files/fileops.h"

namespace orvik {

int FileOps::open(const NativePathChar* path, int flags, int mode) {
    return systemfile::open(path, flags, mode);
}
long FileOps::write(int fd, const void* data, std::size_t size) {
    return systemfile::write(fd, data, size);
}
int FileOps::fsync(int fd) {
    return systemfile::sync(fd);
}
int FileOps::ftruncate(int fd, long long length) {
    return systemfile::truncate(fd, length);
}
int FileOps::close(int fd) {
    return systemfile::close(fd);
}
int FileOps::rename(const NativePathChar* from, const NativePathChar* to) {
    return systemfile::rename(from, to);
}
int FileOps::unlink(const NativePathChar* path) {
    return systemfile::unlink(path);
}
void FileOps::syncDirectory(const NativePathChar* directory) {
    systemfile::syncDirectory(directory);
}

long FileOps::read(int fd, void* buffer, std::size_t size) {
    return systemfile::read(fd, buffer, size);
}
long FileOps::readAt(int fd, void* buffer, std::size_t size, std::int64_t offset) {
    return systemfile::readAt(fd, buffer, size, offset);
}
int FileOps::tryLock(int fd, int operation) {
    return systemfile::tryLock(fd, operation);
}
int FileOps::status(int fd, systemfile::Status& status) {
    return systemfile::status(fd, status);
}
int FileOps::pathStatus(const NativePathChar* path, systemfile::Status& status) {
    return systemfile::pathStatus(path, status);
}

FileError lastFileError() {
    return systemfile::lastError();
}

namespace {

FileOps& systemOps() {
    static FileOps ops;
    return ops;
}

FileOps* currentOps = nullptr;

} // namespace

FileOps& fileOps() {
    return currentOps ? *currentOps : systemOps();
}

ScopedFileOps::ScopedFileOps(FileOps& ops) : previous_(currentOps) {
    currentOps = &ops;
}

ScopedFileOps::~ScopedFileOps() {
    currentOps = previous_;
}

} // namespace orvik
