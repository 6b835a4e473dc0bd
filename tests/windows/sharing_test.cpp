// Sharing and locking on Windows: a file another program holds open cannot be
// replaced or removed, which is reported as every failure is; the stock files
// stay open to the cash-register system's writes and removal; our locks
// exclude each other as flock's do on POSIX, and one another program keeps
// is waited for only briefly.
#include <gtest/gtest.h>

#include <windows.h>

#include "files/appendsession.h"
#include "files/blockread.h"
#include "files/dirvalue.h"
#include "files/filefailure.h"
#include "files/filelock.h"
#include "files/safewrite.h"
#include "stock/stockfiles.h"
#include "support/files.h"
#include "support/tempdir.h"
#include "text/codepage.h"

namespace orvik {
namespace {

using namespace orvik::literals;

// Another program's handle on a file.
class OtherProgram {
public:
    OtherProgram(const std::filesystem::path& file, DWORD access, DWORD sharing)
        : handle_(CreateFileW(file.c_str(), access, sharing, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~OtherProgram() { close(); }
    bool isOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
    void close() {
        if (isOpen())
            CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
    }
    // The Windows error of a write of one byte at `offset`; 0 when it went.
    DWORD writeAt(long offset, char byte) {
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(offset);
        DWORD done = 0;
        return WriteFile(handle_, &byte, 1, &done, &at) ? 0 : GetLastError();
    }
    // The Windows error of a lock over the whole file; 0 when it was taken.
    DWORD tryLock(bool exclusive) {
        OVERLAPPED from{};
        const DWORD kind = LOCKFILE_FAIL_IMMEDIATELY | (exclusive ? LOCKFILE_EXCLUSIVE_LOCK : 0);
        return LockFileEx(handle_, kind, 0, MAXDWORD, MAXDWORD, &from) ? 0 : GetLastError();
    }
    void unlock() {
        OVERLAPPED from{};
        UnlockFileEx(handle_, 0, MAXDWORD, MAXDWORD, &from);
    }

private:
    HANDLE handle_;
};

bool isSharingFailure(const FileError& error) {
    return error.number == ERROR_SHARING_VIOLATION || error.number == ERROR_ACCESS_DENIED;
}

TEST(Sharing, AFileAnotherProgramHoldsIsReportedAndKeptAsItWas) {
    test::TempDir dir;
    const auto list = dir / "orvik.txt";
    test::writeFile(list, "old list");
    OtherProgram spreadsheet(list, GENERIC_READ, FILE_SHARE_READ);
    ASSERT_TRUE(spreadsheet.isOpen());

    const FileError replaced = replaceFile(list, "new list");
    EXPECT_TRUE(isSharingFailure(replaced)) << replaced.message();
    EXPECT_EQ(replaced.operation, FileOperation::Write);
    EXPECT_EQ(replaced.path, cpPath(list));
    EXPECT_FALSE(replaced.text.empty());
    EXPECT_EQ(fileFailureText(replaced), " Tiedostoon " + cpPath(list) + " ei voitu kirjoittaa: " +
                                             std::to_string(replaced.number) + " " + replaced.text +
                                             ". ");

    const FileError removed = removeFile(list);
    EXPECT_TRUE(isSharingFailure(removed)) << removed.message();
    EXPECT_EQ(removed.operation, FileOperation::Remove);

    const FileError appended = appendAllOrNothing({{dir / "orvik.log", "x"}, {list, "more"}});
    EXPECT_EQ(appended.number, ERROR_SHARING_VIOLATION) << appended.message();
    EXPECT_EQ(appended.path, cpPath(list));
    EXPECT_EQ(test::readFile(list), "old list");
    EXPECT_EQ(test::namesIn(dir.path()), std::vector<std::string>{"orvik.txt"});

    spreadsheet.close();
    EXPECT_FALSE(replaceFile(list, "new list").failed());
    EXPECT_EQ(test::readFile(list), "new list");
    EXPECT_FALSE(removeFile(list).failed());
}

TEST(Sharing, StockFilesStayOpenToTheCashSystemsWrites) {
    test::TempDir dir;
    const auto names = dir / kNameFileName;
    test::writeFile(names, std::string(2 * kNameRecordLength, 'a'));
    OtherProgram cashSystem(names, GENERIC_READ | GENERIC_WRITE,
                            FILE_SHARE_READ | FILE_SHARE_WRITE);
    ASSERT_TRUE(cashSystem.isOpen());

    FileError error;
    RecordFile file = RecordFile::open(names, kNameRecordLength, error);
    ASSERT_TRUE(file.isOpen()) << error.message();
    OtherProgram secondWriter(names, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);
    EXPECT_TRUE(secondWriter.isOpen());
    EXPECT_EQ(cashSystem.writeAt(kNameRecordLength, 'b'), 0u);
    std::string record;
    ASSERT_TRUE(file.read(2, record));
    EXPECT_EQ(record[0], 'b');

    // Shared for removal too: the cash system may remove its file meanwhile.
    cashSystem.close();
    secondWriter.close();
    EXPECT_TRUE(DeleteFileW(names.c_str()));
    EXPECT_TRUE(file.read(1, record));
}

// Wine does not keep locked bytes from other handles' reads and writes as
// Windows does; the locks themselves exclude each other as on Windows.
TEST(Locking, OurLocksExcludeOtherLocksLikeFlock) {
    test::TempDir dir;
    const auto work = dir / "orvik.dat";
    test::writeFile(work, "1234567890123 1\r\n");
    OtherProgram other(work, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);
    ASSERT_TRUE(other.isOpen());

    // Reading with writers denied: others may read-lock, not write-lock.
    const FileError read = readInBlocks(
        work,
        [&](std::string_view) {
            EXPECT_EQ(other.tryLock(true), static_cast<DWORD>(ERROR_LOCK_VIOLATION));
            EXPECT_EQ(other.tryLock(false), 0u);
            other.unlock();
            return FileError{};
        },
        /*denyWriters=*/true);
    EXPECT_FALSE(read.failed());

    // Appending: no other lock at all until the append is done.
    {
        AppendSession session({work});
        ASSERT_FALSE(session.openExisting().failed());
        EXPECT_EQ(other.tryLock(false), static_cast<DWORD>(ERROR_LOCK_VIOLATION));
        EXPECT_FALSE(session.append(0, "2222222222222 2\r\n").failed());
        EXPECT_FALSE(session.sync().failed());
    }
    EXPECT_EQ(other.tryLock(true), 0u);
    other.unlock();
    EXPECT_EQ(test::readFile(work), "1234567890123 1\r\n2222222222222 2\r\n");
}

TEST(Locking, AFileAnotherProgramKeepsLockedIsToldInUseAndLeftAsItWas) {
    test::TempDir dir;
    const auto work = dir / "orvik.dat";
    test::writeFile(work, "1234567890123 1\r\n");
    OtherProgram other(work, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);
    ASSERT_TRUE(other.isOpen());
    ASSERT_EQ(other.tryLock(true), 0u);
    const ScopedLockWait brief({std::chrono::milliseconds(100), std::chrono::milliseconds(10)});

    const FileError append = appendAllOrNothing({{work, "2222222222222 2\r\n"}});
    EXPECT_EQ(append.number, ERROR_LOCK_VIOLATION);
    EXPECT_EQ(fileFailureText(append),
              " Tiedosto " + cpPath(work) + " on toisen ohjelman käytössä. "_cp);
    other.unlock();
    EXPECT_EQ(test::readFile(work), "1234567890123 1\r\n");
}

TEST(Failures, CarryTheWindowsNumberAndItsText) {
    test::TempDir dir;
    std::string content;
    const FileError missing = readWholeFile(dir / "none", content);
    EXPECT_EQ(missing.number, ERROR_FILE_NOT_FOUND);
    ASSERT_FALSE(missing.text.empty());
    EXPECT_NE(missing.text.back(), '\n');
    EXPECT_NE(missing.text.back(), '.');
    EXPECT_EQ(missing.text.find("Windows error"), std::string::npos) << missing.text;
    // A missing file is no failure to remove; a missing directory neither.
    EXPECT_FALSE(removeFile(dir / "none").failed());
    EXPECT_FALSE(removeFile(dir / "nodir" / "none").failed());
}

} // namespace
} // namespace orvik
