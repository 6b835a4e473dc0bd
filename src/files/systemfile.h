#pragma once
// The operating system's file calls under the file layer, one implementation
// per system (systemfile_posix.cpp, systemfile_windows.cpp): descriptors are
// small numbers, flags are the POSIX open flags, and a call that fails
// returns -1 and leaves its reason for lastError().
#include <cstddef>
#include <cstdint>
#include <fcntl.h>
#include <filesystem>

#include "files/fileerror.h"

#ifdef _WIN32
// Windows handles are never inherited unless asked for; the lock operations
// are those of flock.
#ifndef O_CLOEXEC
#define O_CLOEXEC 0
#endif
#ifndef LOCK_SH
#define LOCK_SH 1
#define LOCK_EX 2
#endif
#else
#include <sys/file.h>
#endif

namespace orvik::systemfile {

using PathChar = NativePathChar;

// Every file is opened shared for reading, writing and removal, as on POSIX:
// the locks, not the sharing, keep our own writers apart.
int open(const PathChar* path, int flags, int mode);
long write(int fd, const void* data, std::size_t size);
// 0 at the end of the file.
long read(int fd, void* buffer, std::size_t size);
long readAt(int fd, void* buffer, std::size_t size, std::int64_t offset);
int sync(int fd);
// Starts writing the file's unwritten bytes to disk without waiting, so that
// a later sync finds less to do; a hint, which may do nothing.
void startWriteBack(int fd);
int truncate(int fd, long long length);
int close(int fd);
// Renames `from` over `to`, replacing it, durably where the system can say so.
int rename(const PathChar* from, const PathChar* to);
int unlink(const PathChar* path);
// Takes a shared (LOCK_SH) or exclusive (LOCK_EX) lock on the whole file, or
// fails at once when another holds one that excludes it (isLockHeld). On
// POSIX it keeps out only those who lock too; on Windows it keeps every other
// handle from writing (shared) or from reading and writing (exclusive).
int tryLock(int fd, int operation);

struct Status {
    bool regular = false;
    bool directory = false;
    std::int64_t size = 0;
    // Together they tell one file from another, whatever its names.
    std::uint64_t device = 0;
    std::uint64_t id = 0;
    // The content's last change, and the last change of anything about the
    // file (on Windows the content's again), in nanoseconds since 1970.
    std::int64_t modifiedNs = 0;
    std::int64_t changedNs = 0;
};
int status(int fd, Status& status);
int pathStatus(const PathChar* path, Status& status);

// A new file takes the permissions of the file it replaces (POSIX; on
// Windows it inherits the directory's, as any new file there does).
void copyPermissions(const PathChar* model, int fd);
// Makes a directory's entries durable; best effort.
void syncDirectory(const PathChar* directory);
unsigned long processId();

// The reason of the last failure: the system's number and text.
FileError lastError();
// Whether a failure on `path` says that it is not there (nor perhaps its
// directory), rather than that a file stands where a directory should be.
bool isMissing(const FileError& error, const std::filesystem::path& path);
// Whether a failure to look at a path says that nothing is there, a file
// standing where a directory of the path should be included.
bool isAbsent(const FileError& error);
// Whether a failure says that another holds a lock on the file.
bool isLockHeld(const FileError& error);

} // namespace orvik::systemfile
