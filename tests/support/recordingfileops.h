#pragma once
// File operations that keep a record of every call that changed a file or
// made a change durable, for the power-cut replay (powercutreplay.h). Only
// calls that succeeded are kept, a write with the bytes it wrote.
#include <filesystem>
#include <string>
#include <vector>

#include "files/safewrite.h"
#include "support/forwardingfileops.h"

namespace orvik::test {

// Flushes that do nothing: what they would make durable is the power-cut
// replay's business, and in a run that is recorded or checked they cost only
// time.
class NoFlushFileOps : public ForwardingFileOps {
public:
    using ForwardingFileOps::ForwardingFileOps;
    int fsync(int) override { return 0; }
    void syncDirectory(const NativePathChar*) override {}
};

struct FileCall {
    enum class Kind { Open, Write, Fsync, Truncate, Close, Rename, Unlink, SyncDirectory, Mark };
    Kind kind = Kind::Mark;
    int fd = -1;
    int flags = 0;              // Open
    bool created = false;       // Open: the call made the file
    std::filesystem::path path; // Open, Unlink, SyncDirectory; Rename: from
    std::filesystem::path to;   // Rename
    std::string bytes;          // Write: what was written; Mark: its text
    long long length = 0;       // Truncate
};

class RecordingFileOps : public ForwardingFileOps {
public:
    using ForwardingFileOps::ForwardingFileOps;
    int open(const NativePathChar* path, int flags, int mode) override;
    long write(int fd, const void* data, std::size_t size) override;
    int fsync(int fd) override;
    int ftruncate(int fd, long long length) override;
    int close(int fd) override;
    int rename(const NativePathChar* from, const NativePathChar* to) override;
    int unlink(const NativePathChar* path) override;
    void syncDirectory(const NativePathChar* directory) override;

    // Something that happened outside the files at this point (the reader
    // cleared, say), for the checks to know which side of it a cut fell.
    void mark(const std::string& text);

    const std::vector<FileCall>& calls() const { return calls_; }

private:
    std::vector<FileCall> calls_;
};

} // namespace orvik::test
