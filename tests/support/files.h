#pragma once
// Whole-file helpers for tests, byte for byte.
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "common/safewrite.h"

namespace orvik::test {

void writeFile(const std::filesystem::path& path, const std::string& bytes);
// The file's bytes; "<missing>" when there is no such file.
std::string readFile(const std::filesystem::path& path);
bool exists(const std::filesystem::path& path);
// Every name in the directory, sorted: to see that no temporary is left.
std::vector<std::string> namesIn(const std::filesystem::path& dir);

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
