#pragma once
// One append over several line files, in phases, so that a journal can be
// written between measuring the files and touching them: open and lock the
// files that exist and note their lengths, create the missing ones, end an
// open last line, write, flush, and on failure cut every file back.
#include <cstddef>
#include <filesystem>
#include <string_view>
#include <vector>

#include "files/fileerror.h"

namespace orvik {

class AppendSession {
public:
    struct Target {
        std::filesystem::path path;
        long long oldLength = -1; // -1: the file did not exist
        int fd = -1;
        bool created = false;
        bool entryFlushed = false; // created, and its directory flushed since
    };

    // The same file named twice (even by two spellings) is one target.
    explicit AppendSession(const std::vector<std::filesystem::path>& files);
    ~AppendSession();
    AppendSession(const AppendSession&) = delete;
    AppendSession& operator=(const AppendSession&) = delete;

    // Opens and locks against other writers every file that exists, and
    // notes its length; touches nothing.
    FileError openExisting();
    // Creates the files that did not exist, locked likewise.
    FileError createMissing();
    // The caller has flushed `directory`: the new files in it need no
    // flush of their own entries at sync().
    void entriesFlushedIn(const std::filesystem::path& directory);
    // A file whose last line has no CR LF gets it first, so that the first
    // new line is not joined to it.
    FileError endOpenLastLines();
    // Appends to the file that was named at `index` of the constructor's list.
    FileError append(std::size_t index, std::string_view bytes);
    // Flushes every file (and the directory entries of new ones, unless
    // entriesFlushedIn() said so) to disk.
    FileError sync();
    // Cuts every file back to its old length; removes the files it created.
    // The first failure is returned; the others are still tried.
    FileError rollBack();

    const std::vector<Target>& targets() const { return targets_; }

private:
    FileError openFile(Target& target, bool create);
    void closeAll();

    std::vector<Target> targets_;
    std::vector<std::size_t> targetOfName_; // constructor index -> target
};

} // namespace orvik
