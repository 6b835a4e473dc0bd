// Files another program keeps locked: the lock is tried again for a short
// while, then the failure says the file is in use and nothing is written.
#include <gtest/gtest.h>

#include "files/dirvalue.h"
#include "files/filefailure.h"
#include "files/filelock.h"
#include "files/safewrite.h"
#include "support/files.h"
#include "support/lockholder.h"
#include "support/tempdir.h"
#include "text/codepage.h"

namespace orvik {
namespace {

using namespace orvik::literals;
using std::chrono::milliseconds;

TEST(FileLock, AFileAnotherProgramKeepsIsToldInUseAndNothingIsWritten) {
    test::TempDir dir;
    const auto work = dir / "orvik.dat";
    test::writeFile(work, "1\r\n");
    const test::LockHolder other(work);
    ASSERT_TRUE(other.holds());
    const ScopedLockWait brief({milliseconds(100), milliseconds(10)});

    const FileError append = appendAllOrNothing({{work, "2\r\n"}, {dir / "orvik.log", "2\r\n"}});
    EXPECT_EQ(fileFailureText(append),
              " Tiedosto " + cpPath(work) + " on toisen ohjelman käytössä. "_cp);
    EXPECT_EQ(test::readFile(work), "1\r\n");
    EXPECT_FALSE(test::exists(dir / "orvik.log"));

    // Reading with writers kept out waits no longer.
    std::string content;
    const FileError read = readWholeFile(work, content, /*denyWriters=*/true);
    EXPECT_TRUE(isFileInUse(read));
    EXPECT_EQ(read.path, cpPath(work));
}

TEST(FileLock, ALockLetGoWithinTheWaitIsTaken) {
    test::TempDir dir;
    const auto work = dir / "orvik.dat";
    test::writeFile(work, "1\r\n");
    const test::LockHolder other(work, milliseconds(200));
    ASSERT_TRUE(other.holds());
    const ScopedLockWait patient({milliseconds(20000), milliseconds(10)});

    EXPECT_FALSE(appendAllOrNothing({{work, "2\r\n"}}).failed());
    EXPECT_EQ(test::readFile(work), "1\r\n2\r\n");
}

} // namespace
} // namespace orvik
