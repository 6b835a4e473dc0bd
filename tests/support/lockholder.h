#pragma once
// Another program holding a file: a child process that takes an exclusive
// flock on it and keeps it until it is let go, its time is up, or it is
// killed with this object.
#include <chrono>
#include <filesystem>
#include <sys/types.h>

namespace orvik::test {

class LockHolder {
public:
    // Returns once the child holds the lock. Without a time of its own the
    // child lets go after a while anyway, so that a caller that waits for
    // the lock without limit fails its test instead of hanging.
    explicit LockHolder(const std::filesystem::path& file,
                        std::chrono::milliseconds holdFor = std::chrono::seconds(20));
    ~LockHolder();
    LockHolder(const LockHolder&) = delete;
    LockHolder& operator=(const LockHolder&) = delete;

    bool holds() const { return holding_; }

private:
    pid_t child_ = -1;
    int letGo_ = -1; // closing it ends the child
    bool holding_ = false;
};

} // namespace orvik::test
