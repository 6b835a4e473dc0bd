#pragma once
// File operations that fail where a test asks: a disk that fills up, a
// refused removal or rename, a flush that fails.
#include <set>
#include <string>

#include "files/fileops.h"

namespace orvik::test {

// File operations that fail with `errorNumber` once `bytesBeforeFailure`
// bytes have been written in all (or at the first fsync/rename when asked).
class FailingFileOps : public FileOps {
public:
    explicit FailingFileOps(long bytesBeforeFailure, int errorNumber = 28 /* ENOSPC */)
        : budget_(bytesBeforeFailure), errorNumber_(errorNumber) {}
    bool failRename = false;
    bool failFsync = false;
    // When set, only writes to files whose path ends with it count and fail.
    std::string onlyFile;
    // When set, removing a file whose path ends with it fails.
    std::string failRemovalOf;
    // When set, renaming a file whose path ends with it fails.
    std::string failRenameOf;
    // When set, renaming a file to a path that ends with it fails.
    std::string failRenameTo;
    int unlink(const NativePathChar* path) override;
    int open(const NativePathChar* path, int flags, int mode) override;
    long write(int fd, const void* data, std::size_t size) override;
    int fsync(int fd) override;
    int rename(const NativePathChar* from, const NativePathChar* to) override;

private:
    long budget_;
    std::set<int> counted_; // descriptors of the files the budget applies to
    int errorNumber_;
};

} // namespace orvik::test
