#pragma once
// The one seam through which every file call of the program goes: tests put
// other operations in force to make a call fail part way, to stop the
// program at any call or to record the calls for a power cut.
#include <cstddef>
#include <cstdint>

#include "files/systemfile.h"

namespace orvik {

// The system's file calls (systemfile.h); each one fails as the system's
// does, -1 with the reason for lastFileError().
class FileOps {
public:
    virtual ~FileOps() = default;
    virtual int open(const NativePathChar* path, int flags, int mode);
    virtual long write(int fd, const void* data, std::size_t size);
    virtual int fsync(int fd);
    virtual int ftruncate(int fd, long long length);
    virtual int close(int fd);
    virtual int rename(const NativePathChar* from, const NativePathChar* to);
    virtual int unlink(const NativePathChar* path);
    // Makes the directory's entries (new, renamed, removed) durable; best
    // effort, as a system may have nothing to flush.
    virtual void syncDirectory(const NativePathChar* directory);
    virtual long read(int fd, void* buffer, std::size_t size);
    virtual long readAt(int fd, void* buffer, std::size_t size, std::int64_t offset);
    virtual int tryLock(int fd, int operation);
    virtual int status(int fd, systemfile::Status& status);
    virtual int pathStatus(const NativePathChar* path, systemfile::Status& status);
};

// The failure the last file operation left (errno on POSIX).
FileError lastFileError();

// The operations currently in force.
FileOps& fileOps();

// Puts other operations in force for its lifetime (tests only).
class ScopedFileOps {
public:
    explicit ScopedFileOps(FileOps& ops);
    ~ScopedFileOps();
    ScopedFileOps(const ScopedFileOps&) = delete;
    ScopedFileOps& operator=(const ScopedFileOps&) = delete;

private:
    FileOps* previous_;
};

} // namespace orvik
