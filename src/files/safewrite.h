#pragma once
// Safe file writing. A replaced file is written beside itself and renamed
// over the old one, so it is always the old content or the new, never a part.
// An append reaches every file or none: on failure each file is cut back to
// its old length. Every failure carries the operating system's error number
// and text.
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "files/fileerror.h"

namespace orvik {

struct FileContent {
    std::filesystem::path path;
    std::string bytes;
};

// Appends each part's bytes to its file (created when missing), flushes
// them to disk, and holds each file locked against other writers meanwhile.
// On any failure every file is cut back to the length it had (a file the call
// created is removed again) and the first error is returned.
FileError appendAllOrNothing(const std::vector<FileContent>& parts);

// The same, with the bytes borrowed from the caller; a file named in several
// slices gets them one after another, in order.
struct FileSlice {
    std::filesystem::path path;
    std::string_view bytes;
};
FileError appendSlicesAllOrNothing(const std::vector<FileSlice>& parts);

// Replaces every file's content through a temporary file beside it and a
// rename. All temporary files are written and flushed first, so a failure
// while writing leaves every old file as it was. The renames are made in
// the order given; with EntryFlush::Now each is flushed before the next, so
// a power cut never leaves a later file new beside an earlier one old.
// The directories' new entries are flushed before it returns, or left to a
// caller that makes more changes there first and flushes them all at once.
enum class EntryFlush { Now, ByCaller };
FileError replaceFiles(const std::vector<FileContent>& files, EntryFlush entries = EntryFlush::Now);
FileError replaceFile(const std::filesystem::path& path, std::string_view content,
                      EntryFlush entries = EntryFlush::Now);

// Reads a whole file. With `denyWriters` the file is held under a shared
// lock while it is read, which keeps out writers that lock (our own appends).
FileError readWholeFile(const std::filesystem::path& path, std::string& content,
                        bool denyWriters = false);

// Removes a file; a missing file is no failure.
FileError removeFile(const std::filesystem::path& path);
// The same, and the removal made durable (its directory flushed) before it
// returns: for a removal that something later relies on.
FileError removeFileDurably(const std::filesystem::path& path);

// Puts on disk a file another program wrote, with its directory entry, so
// that what is taken from it cannot come back torn or empty after a power cut.
FileError flushFile(const std::filesystem::path& path);

} // namespace orvik
