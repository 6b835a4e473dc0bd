#pragma once
// Locks on whole files that never wait for ever: a lock another program
// holds is tried again for a bounded time, then the file counts as in use.
#include <chrono>

#include "files/fileerror.h"

namespace orvik {

// How long a lock held by another is waited for, and how often it is tried
// meanwhile. Another program's own append holds its lock for a moment; one
// that still holds it after a few seconds keeps the file open for longer,
// and the user is better told than left under the busy cursor.
struct LockWait {
    std::chrono::milliseconds limit;
    std::chrono::milliseconds retry;
};
inline constexpr LockWait kLockWait{std::chrono::seconds(3), std::chrono::milliseconds(50)};

// A shared (LOCK_SH) or exclusive (LOCK_EX) lock on the whole file. A lock
// still held by another after the wait fails as systemfile::isLockHeld says.
FileError lockFile(int fd, int operation);

// Puts another wait in force for its lifetime (tests only).
class ScopedLockWait {
public:
    explicit ScopedLockWait(LockWait wait);
    ~ScopedLockWait();
    ScopedLockWait(const ScopedLockWait&) = delete;
    ScopedLockWait& operator=(const ScopedLockWait&) = delete;

private:
    LockWait previous_;
};

} // namespace orvik
