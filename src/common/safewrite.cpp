#include "common/safewrite.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <set>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvik {

// ---- the seam -------------------------------------------------------------

int FileOps::open(const char* path, int flags, int mode) {
    return ::open(path, flags, static_cast<mode_t>(mode));
}
long FileOps::write(int fd, const void* data, std::size_t size) {
    return static_cast<long>(::write(fd, data, size));
}
int FileOps::fsync(int fd) {
    return ::fsync(fd);
}
int FileOps::ftruncate(int fd, long long length) {
    return ::ftruncate(fd, static_cast<off_t>(length));
}
int FileOps::close(int fd) {
    return ::close(fd);
}
int FileOps::rename(const char* from, const char* to) {
    return ::rename(from, to);
}
int FileOps::unlink(const char* path) {
    return ::unlink(path);
}

namespace {

FileOps& systemOps() {
    static FileOps ops;
    return ops;
}

FileOps* currentOps = nullptr;

FileError lastError() {
    return FileError::fromErrno(errno);
}

constexpr int kNewFileMode = 0666; // narrowed by the user's umask

// Writes every byte, going on after partial writes and interruptions.
FileError writeAll(int fd, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const long written = fileOps().write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return lastError();
        }
        if (written == 0)
            return FileError::fromErrno(EIO);
        done += static_cast<std::size_t>(written);
    }
    return {};
}

int lockFile(int fd, int operation) {
    int result;
    do {
        result = ::flock(fd, operation);
    } while (result != 0 && errno == EINTR);
    return result;
}

std::filesystem::path directoryOf(const std::filesystem::path& path) {
    const std::filesystem::path parent = path.parent_path();
    return parent.empty() ? std::filesystem::path(".") : parent;
}

// Makes a rename or a new directory entry durable; best effort, since the
// content itself is already on disk.
void syncDirectory(const std::filesystem::path& directory) {
    const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

// ---- appending ------------------------------------------------------------

struct AppendTarget {
    std::filesystem::path path;
    int fd = -1;
    long long oldLength = 0;
    bool created = false;
    dev_t device = 0;
    ino_t inode = 0;
    std::vector<std::string_view> pieces; // the callers' bytes, written in order
};

// Opens the file for appending, creating it when missing, and notes whether
// this call created it (so a rollback can remove it again).
FileError openForAppend(AppendTarget& target) {
    const int flags = O_WRONLY | O_APPEND | O_CLOEXEC;
    for (;;) {
        target.fd = fileOps().open(target.path.c_str(), flags, 0);
        if (target.fd >= 0)
            return {};
        if (errno != ENOENT)
            return lastError();
        target.fd = fileOps().open(target.path.c_str(), flags | O_CREAT | O_EXCL, kNewFileMode);
        if (target.fd >= 0) {
            target.created = true;
            return {};
        }
        if (errno != EEXIST) // someone else created it meanwhile: open it again
            return lastError();
    }
}

FileError lockAndMeasure(AppendTarget& target) {
    if (lockFile(target.fd, LOCK_EX) != 0)
        return lastError();
    struct stat info {};
    if (::fstat(target.fd, &info) != 0)
        return lastError();
    target.oldLength = info.st_size;
    target.device = info.st_dev;
    target.inode = info.st_ino;
    return {};
}

// The same file named twice (even by two spellings) must get one descriptor:
// a second exclusive lock on it would wait for ourselves.
AppendTarget* sameFile(std::vector<AppendTarget>& targets, int fd) {
    struct stat info {};
    if (::fstat(fd, &info) != 0)
        return nullptr;
    for (AppendTarget& target : targets)
        if (target.fd >= 0 && target.device == info.st_dev && target.inode == info.st_ino)
            return &target;
    return nullptr;
}

void rollBack(std::vector<AppendTarget>& targets) {
    for (AppendTarget& target : targets) {
        if (target.fd < 0)
            continue;
        if (target.created)
            fileOps().unlink(target.path.c_str());
        else
            fileOps().ftruncate(target.fd, target.oldLength);
    }
}

void closeAll(std::vector<AppendTarget>& targets) {
    for (AppendTarget& target : targets) {
        if (target.fd >= 0)
            fileOps().close(target.fd);
        target.fd = -1;
    }
}

FileError openAppendTargets(const std::vector<FileSlice>& parts,
                            std::vector<AppendTarget>& targets) {
    targets.reserve(parts.size());
    for (const FileSlice& part : parts) {
        AppendTarget target;
        target.path = part.path;
        if (FileError error = openForAppend(target); error.failed())
            return error;
        if (AppendTarget* earlier = sameFile(targets, target.fd)) {
            fileOps().close(target.fd);
            earlier->pieces.push_back(part.bytes);
            continue;
        }
        target.pieces.push_back(part.bytes);
        targets.push_back(std::move(target));
        if (FileError error = lockAndMeasure(targets.back()); error.failed())
            return error;
    }
    return {};
}

FileError writeAndSyncAppends(std::vector<AppendTarget>& targets) {
    for (AppendTarget& target : targets)
        for (std::string_view piece : target.pieces)
            if (FileError error = writeAll(target.fd, piece); error.failed())
                return error;
    for (AppendTarget& target : targets) {
        if (fileOps().fsync(target.fd) != 0)
            return lastError();
        if (target.created)
            syncDirectory(directoryOf(target.path));
    }
    return {};
}

// ---- replacing ------------------------------------------------------------

struct Replacement {
    std::filesystem::path target;
    std::filesystem::path temporary;
    bool written = false;
};

std::filesystem::path temporaryBeside(const std::filesystem::path& target) {
    static std::atomic<unsigned> counter{0};
    const std::string name = "." + target.filename().string() + ".tmp-" +
                             std::to_string(::getpid()) + "-" + std::to_string(++counter);
    return directoryOf(target) / name;
}

// A symbolic link is kept: the file it points to gets the new content.
std::filesystem::path linkedFile(const std::filesystem::path& path) {
    std::error_code error;
    if (!std::filesystem::is_symlink(path, error))
        return path;
    const std::filesystem::path target = std::filesystem::weakly_canonical(path, error);
    return error ? path : target;
}

// A replaced file keeps the permissions it had.
void copyModeOf(const std::filesystem::path& target, int fd) {
    struct stat info {};
    if (::stat(target.c_str(), &info) == 0 && S_ISREG(info.st_mode))
        ::fchmod(fd, info.st_mode & 07777);
}

FileError writeTemporary(Replacement& replacement, std::string_view bytes) {
    const int fd = fileOps().open(replacement.temporary.c_str(),
                                  O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kNewFileMode);
    if (fd < 0)
        return lastError();
    replacement.written = true;
    copyModeOf(replacement.target, fd);
    FileError error = writeAll(fd, bytes);
    if (!error.failed() && fileOps().fsync(fd) != 0)
        error = lastError();
    if (fileOps().close(fd) != 0 && !error.failed())
        error = lastError();
    return error;
}

void removeTemporaries(const std::vector<Replacement>& replacements) {
    for (const Replacement& replacement : replacements)
        if (replacement.written)
            fileOps().unlink(replacement.temporary.c_str());
}

} // namespace

// ---- public ---------------------------------------------------------------

std::string FileError::message() const {
    return std::to_string(number) + " " + text;
}

FileError FileError::fromErrno(int errorNumber) {
    FileError error;
    error.number = errorNumber;
    error.text = std::strerror(errorNumber);
    return error;
}

FileOps& fileOps() {
    return currentOps ? *currentOps : systemOps();
}

ScopedFileOps::ScopedFileOps(FileOps& ops) : previous_(currentOps) {
    currentOps = &ops;
}

ScopedFileOps::~ScopedFileOps() {
    currentOps = previous_;
}

FileError appendAllOrNothing(const std::vector<FileContent>& parts) {
    std::vector<FileSlice> slices;
    slices.reserve(parts.size());
    for (const FileContent& part : parts)
        slices.push_back({part.path, part.bytes});
    return appendSlicesAllOrNothing(slices);
}

FileError appendSlicesAllOrNothing(const std::vector<FileSlice>& parts) {
    std::vector<AppendTarget> targets;
    FileError error = openAppendTargets(parts, targets);
    if (!error.failed())
        error = writeAndSyncAppends(targets);
    if (error.failed())
        rollBack(targets);
    // Once everything is on disk a failing close changes nothing for the
    // caller; reporting it would invite a second, doubled append.
    closeAll(targets);
    return error;
}

FileError replaceFiles(const std::vector<FileContent>& files) {
    std::vector<Replacement> replacements;
    replacements.reserve(files.size());
    for (const FileContent& file : files) {
        const std::filesystem::path target = linkedFile(file.path);
        replacements.push_back({target, temporaryBeside(target)});
        if (FileError error = writeTemporary(replacements.back(), file.bytes); error.failed()) {
            removeTemporaries(replacements);
            return error;
        }
    }
    std::set<std::filesystem::path> directories;
    for (Replacement& replacement : replacements) {
        if (fileOps().rename(replacement.temporary.c_str(), replacement.target.c_str()) != 0) {
            const FileError error = lastError();
            removeTemporaries(replacements);
            return error;
        }
        replacement.written = false; // the temporary is the target now
        directories.insert(directoryOf(replacement.target));
    }
    for (const std::filesystem::path& directory : directories)
        syncDirectory(directory);
    return {};
}

FileError replaceFile(const std::filesystem::path& path, std::string_view content) {
    return replaceFiles({FileContent{path, std::string(content)}});
}

FileError readWholeFile(const std::filesystem::path& path, std::string& content, bool denyWriters) {
    const int fd = fileOps().open(path.c_str(), O_RDONLY | O_CLOEXEC, 0);
    if (fd < 0)
        return lastError();
    FileError error;
    if (denyWriters && lockFile(fd, LOCK_SH) != 0)
        error = lastError();
    std::string bytes;
    struct stat info {};
    if (!error.failed() && ::fstat(fd, &info) == 0 && info.st_size > 0)
        bytes.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[65536];
    while (!error.failed()) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            error = lastError();
        } else if (got == 0) {
            break;
        } else {
            bytes.append(buffer, static_cast<std::size_t>(got));
        }
    }
    fileOps().close(fd);
    if (!error.failed())
        content = std::move(bytes);
    return error;
}

FileError removeFile(const std::filesystem::path& path) {
    if (fileOps().unlink(path.c_str()) != 0 && errno != ENOENT)
        return lastError();
    return {};
}

} // namespace orvik
