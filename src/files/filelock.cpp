#include "files/filelock.h"

#include <thread>

#include "files/fileops.h"
#include "files/systemfile.h"

namespace orvik {

namespace {

LockWait currentWait = kLockWait;

} // namespace

FileError lockFile(int fd, int operation) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point giveUp = Clock::now() + currentWait.limit;
    for (;;) {
        if (fileOps().tryLock(fd, operation) == 0)
            return {};
        FileError error = systemfile::lastError();
        if (!systemfile::isLockHeld(error) || Clock::now() >= giveUp)
            return error;
        std::this_thread::sleep_for(currentWait.retry);
    }
}

ScopedLockWait::ScopedLockWait(LockWait wait) : previous_(currentWait) {
    currentWait = wait;
}

ScopedLockWait::~ScopedLockWait() {
    currentWait = previous_;
}

} // namespace orvik
