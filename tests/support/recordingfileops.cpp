#include "support/recordingfileops.h"
#include "files/fileops.h"

#include <fcntl.h>
#include <system_error>

namespace orvik::test {

namespace {

namespace fs = std::filesystem;

// The same file whatever the current directory later is; a directory
// without its trailing separator.
fs::path whole(const NativePathChar* path) {
    fs::path normal = fs::absolute(path).lexically_normal();
    if (!normal.has_filename() && normal.has_relative_path())
        normal = normal.parent_path();
    return normal;
}

FileCall callOf(FileCall::Kind kind, int fd = -1) {
    FileCall call;
    call.kind = kind;
    call.fd = fd;
    return call;
}

} // namespace

int RecordingFileOps::open(const NativePathChar* path, int flags, int mode) {
    std::error_code error;
    const bool existed = fs::exists(path, error);
    const int fd = ForwardingFileOps::open(path, flags, mode);
    if (fd >= 0) {
        FileCall call = callOf(FileCall::Kind::Open, fd);
        call.flags = flags;
        call.created = !existed;
        call.path = whole(path);
        calls_.push_back(std::move(call));
    }
    return fd;
}

long RecordingFileOps::write(int fd, const void* data, std::size_t size) {
    const long written = ForwardingFileOps::write(fd, data, size);
    if (written > 0) {
        FileCall call = callOf(FileCall::Kind::Write, fd);
        call.bytes.assign(static_cast<const char*>(data), static_cast<std::size_t>(written));
        calls_.push_back(std::move(call));
    }
    return written;
}

int RecordingFileOps::fsync(int fd) {
    const int result = ForwardingFileOps::fsync(fd);
    if (result == 0)
        calls_.push_back(callOf(FileCall::Kind::Fsync, fd));
    return result;
}

int RecordingFileOps::ftruncate(int fd, long long length) {
    const int result = ForwardingFileOps::ftruncate(fd, length);
    if (result == 0) {
        FileCall call = callOf(FileCall::Kind::Truncate, fd);
        call.length = length;
        calls_.push_back(std::move(call));
    }
    return result;
}

int RecordingFileOps::close(int fd) {
    // A descriptor is gone once close is called, whatever it answers.
    const int result = ForwardingFileOps::close(fd);
    calls_.push_back(callOf(FileCall::Kind::Close, fd));
    return result;
}

int RecordingFileOps::rename(const NativePathChar* from, const NativePathChar* to) {
    const int result = ForwardingFileOps::rename(from, to);
    if (result == 0) {
        FileCall call = callOf(FileCall::Kind::Rename);
        call.path = whole(from);
        call.to = whole(to);
        calls_.push_back(std::move(call));
    }
    return result;
}

int RecordingFileOps::unlink(const NativePathChar* path) {
    const int result = ForwardingFileOps::unlink(path);
    if (result == 0) {
        FileCall call = callOf(FileCall::Kind::Unlink);
        call.path = whole(path);
        calls_.push_back(std::move(call));
    }
    return result;
}

void RecordingFileOps::syncDirectory(const NativePathChar* directory) {
    ForwardingFileOps::syncDirectory(directory);
    FileCall call = callOf(FileCall::Kind::SyncDirectory);
    call.path = whole(directory);
    calls_.push_back(std::move(call));
}

void RecordingFileOps::mark(const std::string& text) {
    FileCall call = callOf(FileCall::Kind::Mark);
    call.bytes = text;
    calls_.push_back(std::move(call));
}

} // namespace orvik::test
