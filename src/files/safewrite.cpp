#include "files/safewrite.h"

#include "files/appendsession.h"
#include "files/dirvalue.h"
#include "files/filelock.h"
#include "files/fileops.h"
#include "files/rawfile.h"

#include <cerrno>
#include <cstring>
#include <set>

#include "files/systemfile.h"

namespace orvik {

namespace {

// ---- replacing ------------------------------------------------------------

struct Replacement {
    std::filesystem::path target;
    std::filesystem::path temporary;
    bool written = false;
};

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
    systemfile::copyPermissions(target.c_str(), fd);
}

FileError writeTemporary(Replacement& replacement, std::string_view bytes) {
    const int fd = fileOps().open(replacement.temporary.c_str(),
                                  O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kNewFileMode);
    if (fd < 0)
        return lastFileError().about(FileOperation::Write, replacement.target);
    replacement.written = true;
    copyModeOf(replacement.target, fd);
    FileError error = writeAll(fd, bytes);
    if (!error.failed() && fileOps().fsync(fd) != 0)
        error = lastFileError();
    if (fileOps().close(fd) != 0 && !error.failed())
        error = lastFileError();
    return error.about(FileOperation::Write, replacement.target);
}

void removeTemporaries(const std::vector<Replacement>& replacements) {
    for (const Replacement& replacement : replacements)
        if (replacement.written)
            fileOps().unlink(replacement.temporary.c_str());
}

} // namespace

// ---- public ---------------------------------------------------------------

FileError appendAllOrNothing(const std::vector<FileContent>& parts) {
    std::vector<FileSlice> slices;
    slices.reserve(parts.size());
    for (const FileContent& part : parts)
        slices.push_back({part.path, part.bytes});
    return appendSlicesAllOrNothing(slices);
}

FileError appendSlicesAllOrNothing(const std::vector<FileSlice>& parts) {
    std::vector<std::filesystem::path> files;
    for (const FileSlice& part : parts)
        files.push_back(part.path);
    AppendSession session(files);
    FileError error = session.openExisting();
    if (!error.failed())
        error = session.createMissing();
    for (std::size_t i = 0; i < parts.size() && !error.failed(); ++i)
        error = session.append(i, parts[i].bytes);
    if (!error.failed())
        error = session.sync();
    if (error.failed())
        session.rollBack();
    // Once everything is on disk a failing close changes nothing for the
    // caller; reporting it would invite a second, doubled append.
    return error;
}

FileError replaceFiles(const std::vector<FileContent>& files, EntryFlush entries) {
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
            FileError error = lastFileError();
            error.about(FileOperation::Write, replacement.target);
            removeTemporaries(replacements);
            return error;
        }
        replacement.written = false; // the temporary is the target now
        directories.insert(directoryOf(replacement.target));
        // Each rename on disk before the next, so that after a power cut a
        // later file is never new beside an earlier one still old.
        if (entries == EntryFlush::Now && &replacement != &replacements.back())
            syncDirectory(directoryOf(replacement.target));
    }
    if (entries == EntryFlush::Now)
        for (const std::filesystem::path& directory : directories)
            syncDirectory(directory);
    return {};
}

FileError replaceFile(const std::filesystem::path& path, std::string_view content,
                      EntryFlush entries) {
    return replaceFiles({FileContent{path, std::string(content)}}, entries);
}

FileError readWholeFile(const std::filesystem::path& path, std::string& content, bool denyWriters) {
    const int fd = fileOps().open(path.c_str(), O_RDONLY | O_CLOEXEC, 0);
    if (fd < 0)
        return lastFileError().about(FileOperation::Read, path);
    FileError error;
    if (denyWriters)
        error = lockFile(fd, LOCK_SH);
    std::string bytes;
    systemfile::Status info;
    if (!error.failed() && fileOps().status(fd, info) == 0 && info.size > 0)
        bytes.reserve(static_cast<std::size_t>(info.size));
    char buffer[65536];
    while (!error.failed()) {
        const long got = fileOps().read(fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            error = lastFileError();
        } else if (got == 0) {
            break;
        } else {
            bytes.append(buffer, static_cast<std::size_t>(got));
        }
    }
    fileOps().close(fd);
    if (!error.failed())
        content = std::move(bytes);
    return error.about(FileOperation::Read, path);
}

FileError removeFile(const std::filesystem::path& path) {
    if (fileOps().unlink(path.c_str()) == 0)
        return {};
    FileError error = lastFileError();
    if (systemfile::isMissing(error, path))
        return {};
    return error.about(FileOperation::Remove, path);
}

FileError removeFileDurably(const std::filesystem::path& path) {
    FileError error = removeFile(path);
    if (!error.failed())
        syncDirectory(directoryOf(path));
    return error;
}

FileError flushFile(const std::filesystem::path& path) {
    // Opened for writing, as Windows flushes only such a handle.
    const int fd = fileOps().open(path.c_str(), O_WRONLY | O_CLOEXEC, 0);
    if (fd < 0)
        return lastFileError().about(FileOperation::Write, path);
    FileError error;
    if (fileOps().fsync(fd) != 0)
        error = lastFileError();
    fileOps().close(fd);
    if (!error.failed())
        syncDirectory(directoryOf(path));
    return error.about(FileOperation::Write, path);
}

} // namespace orvik
