#include "files/appendsession.h"
#include "files/dirvalue.h"

#include <cerrno>
#include <set>

#include "files/filelock.h"
#include "files/fileops.h"
#include "files/rawfile.h"
#include "files/systemfile.h"

namespace orvik {

namespace {

constexpr std::size_t kWriteBackFrom = 1 << 20;

// One file, whatever its names.
struct SameFile {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
};

bool identityOf(int fd, SameFile& identity) {
    systemfile::Status info;
    if (fileOps().status(fd, info) != 0)
        return false;
    identity = {info.device, info.id};
    return true;
}

bool sameIdentity(const SameFile& a, const SameFile& b) {
    return a.device == b.device && a.inode == b.inode;
}

// The last two bytes of an open file of `length` bytes.
FileError lastTwoBytes(int fd, long long length, std::string& tail) {
    const long long from = length >= 2 ? length - 2 : 0;
    char bytes[2];
    const long got = fileOps().readAt(fd, bytes, static_cast<std::size_t>(length - from), from);
    if (got < 0)
        return lastFileError();
    tail.assign(bytes, static_cast<std::size_t>(got));
    return {};
}

// What a file's end needs so that the next line starts a line of its own.
std::string_view missingLineEnd(const std::string& tail) {
    if (tail.empty() || (tail.size() == 2 && tail[0] == '\r' && tail[1] == '\n'))
        return {};
    if (tail.back() == '\r')
        return "\n";
    return "\r\n";
}

} // namespace

AppendSession::AppendSession(const std::vector<std::filesystem::path>& files) {
    for (const std::filesystem::path& file : files) {
        std::size_t found = targets_.size();
        for (std::size_t i = 0; i < targets_.size(); ++i)
            if (targets_[i].path.lexically_normal() == file.lexically_normal())
                found = i;
        if (found == targets_.size())
            targets_.push_back({file});
        targetOfName_.push_back(found);
    }
}

AppendSession::~AppendSession() {
    closeAll();
}

FileError AppendSession::openFile(Target& target, bool create) {
    // Read as well as append: the last line's end is looked at first.
    const int flags = O_RDWR | O_APPEND | O_CLOEXEC | (create ? O_CREAT | O_EXCL : 0);
    target.fd = fileOps().open(target.path.c_str(), flags, kNewFileMode);
    if (target.fd < 0)
        return lastFileError().about(FileOperation::Write, target.path);
    target.created = create;
    if (FileError error = lockFile(target.fd, LOCK_EX); error.failed())
        return error.about(FileOperation::Write, target.path);
    systemfile::Status info;
    if (fileOps().status(target.fd, info) != 0)
        return lastFileError().about(FileOperation::Write, target.path);
    target.oldLength = info.size;
    return {};
}

FileError AppendSession::openExisting() {
    std::vector<SameFile> identities;
    for (std::size_t i = 0; i < targets_.size(); ++i) {
        Target& target = targets_[i];
        FileError error = openFile(target, false);
        if (target.fd < 0) {
            if (!systemfile::isMissing(error, target.path))
                return error;
            target.oldLength = -1;
            identities.push_back({});
            continue;
        }
        if (error.failed())
            return error;
        SameFile identity;
        identityOf(target.fd, identity);
        // A second exclusive lock on the same file would wait for ourselves.
        for (std::size_t earlier = 0; earlier < identities.size(); ++earlier) {
            if (targets_[earlier].fd >= 0 && sameIdentity(identities[earlier], identity)) {
                fileOps().close(target.fd);
                target.fd = -1;
                for (std::size_t& mapped : targetOfName_)
                    if (mapped == i)
                        mapped = earlier;
            }
        }
        identities.push_back(identity);
    }
    return {};
}

FileError AppendSession::createMissing() {
    for (Target& target : targets_) {
        if (target.fd >= 0 || target.oldLength >= 0) // open, or the same file as another
            continue;
        if (FileError error = openFile(target, true); error.failed())
            return error;
        target.oldLength = 0;
    }
    return {};
}

void AppendSession::entriesFlushedIn(const std::filesystem::path& directory) {
    for (Target& target : targets_)
        if (target.created &&
            directoryOf(target.path).lexically_normal() == directory.lexically_normal())
            target.entryFlushed = true;
}

FileError AppendSession::endOpenLastLines() {
    for (Target& target : targets_) {
        if (target.fd < 0 || target.created || target.oldLength <= 0)
            continue;
        std::string tail;
        if (FileError error = lastTwoBytes(target.fd, target.oldLength, tail); error.failed())
            return error.about(FileOperation::Read, target.path);
        const std::string_view end = missingLineEnd(tail);
        if (FileError error = writeAll(target.fd, end); error.failed())
            return error.about(FileOperation::Write, target.path);
    }
    return {};
}

FileError AppendSession::append(std::size_t index, std::string_view bytes) {
    Target& target = targets_[targetOfName_[index]];
    FileError error = writeAll(target.fd, bytes);
    // A large append goes to disk while the next one is made, rather than
    // all of it at the sync.
    if (!error.failed() && bytes.size() >= kWriteBackFrom)
        systemfile::startWriteBack(target.fd);
    return error.about(FileOperation::Write, target.path);
}

FileError AppendSession::sync() {
    // Every file's bytes go out together, so that the flushes overlap.
    for (const Target& target : targets_)
        if (target.fd >= 0)
            systemfile::startWriteBack(target.fd);
    std::set<std::filesystem::path> newEntries;
    for (const Target& target : targets_) {
        if (target.fd < 0)
            continue;
        if (fileOps().fsync(target.fd) != 0)
            return lastFileError().about(FileOperation::Write, target.path);
        if (target.created && !target.entryFlushed)
            newEntries.insert(directoryOf(target.path));
    }
    // One flush of a directory makes all its new entries durable: two new
    // files side by side need it once, not once each.
    for (const std::filesystem::path& directory : newEntries)
        syncDirectory(directory);
    return {};
}

FileError AppendSession::rollBack() {
    FileError first;
    std::set<std::filesystem::path> removedFrom;
    for (Target& target : targets_) {
        if (target.fd < 0)
            continue;
        const bool undone = target.created
                                ? fileOps().unlink(target.path.c_str()) == 0
                                : fileOps().ftruncate(target.fd, target.oldLength) == 0 &&
                                      fileOps().fsync(target.fd) == 0;
        if (!undone && !first.failed())
            first = lastFileError().about(FileOperation::Write, target.path);
        if (undone && target.created)
            removedFrom.insert(directoryOf(target.path));
    }
    // The journal goes once this returns: a removal still unflushed could
    // bring back, after a power cut, a file holding a part of the lines.
    for (const std::filesystem::path& directory : removedFrom)
        syncDirectory(directory);
    return first;
}

void AppendSession::closeAll() {
    for (Target& target : targets_) {
        if (target.fd >= 0)
            fileOps().close(target.fd);
        target.fd = -1;
    }
}

} // namespace orvik
