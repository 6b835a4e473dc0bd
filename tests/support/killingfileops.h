#pragma once
// File operations that end the process with SIGKILL at a chosen moment: before
// the n-th operation of any kind, or part way through the write that reaches
// the n-th byte (a torn write). Run under fork, it is a crash or a power cut at
// that instant, as far as the files can tell.
#include <cstdint>
#include <functional>

#include "files/fileops.h"
#include "files/safewrite.h"

namespace orvik::test {

class KillingFileOps : public FileOps {
public:
    // Counts only, kills never: to learn how many operations and bytes a run has.
    KillingFileOps() = default;
    static KillingFileOps beforeOperation(std::int64_t n);
    static KillingFileOps atByte(std::int64_t n);

    int open(const char* path, int flags, int mode) override;
    long write(int fd, const void* data, std::size_t size) override;
    int fsync(int fd) override;
    int ftruncate(int fd, long long length) override;
    int close(int fd) override;
    int rename(const char* from, const char* to) override;
    int unlink(const char* path) override;
    void syncDirectory(const char* directory) override;

    std::int64_t operations() const { return operations_; }
    std::int64_t bytes() const { return bytes_; }

private:
    void count();

    std::int64_t killBeforeOperation_ = -1;
    std::int64_t killAtByte_ = -1;
    std::int64_t operations_ = 0;
    std::int64_t bytes_ = 0;
};

// Runs `work` in a child process under `ops`; true when the child was killed.
bool killedInChild(FileOps& ops, const std::function<void()>& work);

} // namespace orvik::test
