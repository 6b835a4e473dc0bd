#include "files/fileops.h"
#include "files/safewrite.h"
#include "support/failingfileops.h"
#include "support/files.h"
#include "support/systemsays.h"
#include "support/tempdir.h"

#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>

namespace orvik {
namespace {

using test::namesIn;
using test::readFile;
using test::writeFile;

// Writes at most one byte per call and is interrupted once first, as a
// slow device or a signal may make the system do.
class TricklingFileOps : public FileOps {
public:
    long write(int fd, const void* data, std::size_t size) override {
        if (!interrupted_) {
            interrupted_ = true;
            errno = EINTR;
            return -1;
        }
        return FileOps::write(fd, data, size > 0 ? 1 : 0);
    }

private:
    bool interrupted_ = false;
};

TEST(Append, CreatesThenAppendsAndKeepsBytesExactly) {
    test::TempDir dir;
    const auto work = dir / "orvik.dat";
    EXPECT_FALSE(appendAllOrNothing({{work, "a\r\n"}}).failed());
    EXPECT_FALSE(appendAllOrNothing({{work, std::string("\xE4\0\r\n", 4)}}).failed());
    EXPECT_EQ(readFile(work), std::string("a\r\n\xE4\0\r\n", 7));
    const auto empty = dir / "empty.log";
    EXPECT_FALSE(appendAllOrNothing({{empty, ""}}).failed());
    EXPECT_TRUE(test::exists(empty));
    EXPECT_EQ(readFile(empty), "");
}

TEST(Append, FailureInTheSecondFileLeavesBothAsBefore) {
    test::TempDir dir;
    const auto work = dir / "orvik.dat", log = dir / "orvik.log";
    writeFile(work, "old work\r\n");
    writeFile(log, "old log\r\n");
    for (long budget : {0L, 3L, 12L, 15L}) {
        test::FailingFileOps failing(budget);
        ScopedFileOps scoped(failing);
        const FileError error =
            appendAllOrNothing({{work, "new line 1\r\n"}, {log, "log line\r\n"}});
        EXPECT_EQ(error.number, 28) << budget;
        EXPECT_EQ(error.message(), "28 " + std::string(std::strerror(28)));
        EXPECT_EQ(readFile(work), "old work\r\n") << budget;
        EXPECT_EQ(readFile(log), "old log\r\n") << budget;
    }
}

TEST(Append, FailureRemovesTheFilesTheCallCreated) {
    test::TempDir dir;
    const auto work = dir / "orvik.dat", log = dir / "orvik.log";
    writeFile(log, "kept");
    test::FailingFileOps failing(1000);
    failing.failFsync = true;
    ScopedFileOps scoped(failing);
    EXPECT_TRUE(appendAllOrNothing({{work, "line\r\n"}, {log, "line\r\n"}}).failed());
    EXPECT_FALSE(test::exists(work));
    EXPECT_EQ(readFile(log), "kept");
}

TEST(Append, SameFileTwiceGetsBothPartsInOrder) {
    test::TempDir dir;
    const auto file = dir / "x.dat";
    // Two spellings of one file: a second lock on it must not wait for ourselves.
    EXPECT_FALSE(appendAllOrNothing({{file, "1"}, {dir.path() / "." / "x.dat", "2"}}).failed());
    EXPECT_EQ(readFile(file), "12");
}

TEST(SafeWrite, PartialAndInterruptedWritesStillWriteEverything) {
    test::TempDir dir;
    TricklingFileOps trickling;
    ScopedFileOps scoped(trickling);
    EXPECT_FALSE(appendAllOrNothing({{dir / "a", "append me"}}).failed());
    EXPECT_FALSE(replaceFile(dir / "b", "replace me").failed());
    EXPECT_EQ(readFile(dir / "a"), "append me");
    EXPECT_EQ(readFile(dir / "b"), "replace me");
}

TEST(Replace, WritesNewContentAndLeavesNoTemporary) {
    test::TempDir dir;
    const auto file = dir / "orvik.txt";
    writeFile(file, "a much longer old content");
    EXPECT_FALSE(replaceFile(file, "new").failed());
    EXPECT_EQ(readFile(file), "new");
    EXPECT_FALSE(replaceFile(file, "").failed());
    EXPECT_EQ(readFile(file), "");
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"orvik.txt"});
#ifndef _WIN32 // (making a link takes rights of its own on Windows)
    // A link stays a link; the file it points to gets the content.
    std::filesystem::create_symlink(file, dir / "link");
    EXPECT_FALSE(replaceFile(dir / "link", "through").failed());
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link"));
    EXPECT_EQ(readFile(file), "through");
#endif
}

TEST(Replace, FailureAnywhereLeavesEveryOldFileAndNoTemporary) {
    test::TempDir dir;
    const auto work = dir / "orvik.dat", list = dir / "orvik.txt";
    writeFile(work, "old work");
    writeFile(list, "old list");
    const std::vector<FileContent> files{{work, "new work content"}, {list, "new list content"}};
    for (long budget : {0L, 5L, 16L, 20L}) {
        test::FailingFileOps failing(budget);
        ScopedFileOps scoped(failing);
        EXPECT_EQ(replaceFiles(files).number, 28) << budget;
    }
    test::FailingFileOps failingRename(1000);
    failingRename.failRename = true;
    {
        ScopedFileOps scoped(failingRename);
        EXPECT_TRUE(replaceFiles(files).failed());
    }
    EXPECT_EQ(readFile(work), "old work");
    EXPECT_EQ(readFile(list), "old list");
    EXPECT_EQ(namesIn(dir.path()), (std::vector<std::string>{"orvik.dat", "orvik.txt"}));
    EXPECT_FALSE(replaceFiles(files).failed());
    EXPECT_EQ(readFile(list), "new list content");
}

TEST(SafeWrite, AFileWhereTheDirectoryShouldBeGivesNumberAndText) {
    test::TempDir dir;
    writeFile(dir / "plain", "x");
    const auto inside = dir / "plain" / "orvik.dat";
    std::string content = "untouched";
    for (const FileError& error : {appendAllOrNothing({{inside, "a"}}), replaceFile(inside, "a"),
                                   readWholeFile(inside, content), removeFile(inside)}) {
        const FileError expected = test::fileInPlaceOfDirectory();
        EXPECT_EQ(error.number, expected.number);
        EXPECT_EQ(error.text, expected.text);
        EXPECT_EQ(error.message(), std::to_string(expected.number) + " " + expected.text);
    }
    EXPECT_EQ(content, "untouched");
    EXPECT_EQ(readFile(dir / "plain"), "x");
}

TEST(ReadAndRemove, MissingFileIsAnErrorToReadButNotToRemove) {
    test::TempDir dir;
    std::string content;
    EXPECT_EQ(readWholeFile(dir / "none", content).number, ENOENT);
    EXPECT_FALSE(removeFile(dir / "none").failed());
    const std::string bytes("1\r\n\0\xFF", 5);
    writeFile(dir / "f", bytes);
    EXPECT_FALSE(readWholeFile(dir / "f", content, true).failed());
    EXPECT_EQ(content, bytes);
    EXPECT_FALSE(removeFile(dir / "f").failed());
    EXPECT_FALSE(test::exists(dir / "f"));
    EXPECT_FALSE(FileError{}.failed());
}

} // namespace
} // namespace orvik
