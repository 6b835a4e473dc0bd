#include "support/forwardingfileops.h"

namespace orvik::test {

int ForwardingFileOps::open(const NativePathChar* path, int flags, int mode) {
    return inner_ ? inner_->open(path, flags, mode) : FileOps::open(path, flags, mode);
}
long ForwardingFileOps::write(int fd, const void* data, std::size_t size) {
    return inner_ ? inner_->write(fd, data, size) : FileOps::write(fd, data, size);
}
int ForwardingFileOps::fsync(int fd) {
    return inner_ ? inner_->fsync(fd) : FileOps::fsync(fd);
}
int ForwardingFileOps::ftruncate(int fd, long long length) {
    return inner_ ? inner_->ftruncate(fd, length) : FileOps::ftruncate(fd, length);
}
int ForwardingFileOps::close(int fd) {
    return inner_ ? inner_->close(fd) : FileOps::close(fd);
}
int ForwardingFileOps::rename(const NativePathChar* from, const NativePathChar* to) {
    return inner_ ? inner_->rename(from, to) : FileOps::rename(from, to);
}
int ForwardingFileOps::unlink(const NativePathChar* path) {
    return inner_ ? inner_->unlink(path) : FileOps::unlink(path);
}
void ForwardingFileOps::syncDirectory(const NativePathChar* directory) {
    if (inner_)
        inner_->syncDirectory(directory);
    else
        FileOps::syncDirectory(directory);
}
long ForwardingFileOps::read(int fd, void* buffer, std::size_t size) {
    return inner_ ? inner_->read(fd, buffer, size) : FileOps::read(fd, buffer, size);
}
long ForwardingFileOps::readAt(int fd, void* buffer, std::size_t size, std::int64_t offset) {
    return inner_ ? inner_->readAt(fd, buffer, size, offset)
                  : FileOps::readAt(fd, buffer, size, offset);
}
int ForwardingFileOps::tryLock(int fd, int operation) {
    return inner_ ? inner_->tryLock(fd, operation) : FileOps::tryLock(fd, operation);
}
int ForwardingFileOps::status(int fd, systemfile::Status& status) {
    return inner_ ? inner_->status(fd, status) : FileOps::status(fd, status);
}
int ForwardingFileOps::pathStatus(const NativePathChar* path, systemfile::Status& status) {
    return inner_ ? inner_->pathStatus(path, status) : FileOps::pathStatus(path, status);
}

} // namespace orvik::test
