#pragma once
// File operations that pass every call on, for doubles that change a few.
#include "files/fileops.h"

namespace orvik::test {

// Passes every call on to other operations (the system's when none).
class ForwardingFileOps : public FileOps {
public:
    explicit ForwardingFileOps(FileOps* inner = nullptr) : inner_(inner) {}
    int open(const NativePathChar* path, int flags, int mode) override;
    long write(int fd, const void* data, std::size_t size) override;
    int fsync(int fd) override;
    int ftruncate(int fd, long long length) override;
    int close(int fd) override;
    int rename(const NativePathChar* from, const NativePathChar* to) override;
    int unlink(const NativePathChar* path) override;
    void syncDirectory(const NativePathChar* directory) override;
    long read(int fd, void* buffer, std::size_t size) override;
    long readAt(int fd, void* buffer, std::size_t size, std::int64_t offset) override;
    int tryLock(int fd, int operation) override;
    int status(int fd, systemfile::Status& status) override;
    int pathStatus(const NativePathChar* path, systemfile::Status& status) override;

private:
    FileOps* inner_;
};

} // namespace orvik::test
