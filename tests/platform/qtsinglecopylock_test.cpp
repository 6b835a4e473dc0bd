#include "platform/qt/qtsinglecopylock.h"
#include "support/files.h"
#include "support/tempdir.h"

#include <QFileInfo>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

namespace orvik {
namespace {

QString lockDir(const test::TempDir& dir) {
    return QString::fromStdString(dir.path().string());
}

TEST(SingleCopyLock, SecondCopyIsRefusedWhileTheFirstHoldsTheLock) {
    test::TempDir dir;
    auto first = std::make_unique<QtSingleCopyLock>(lockDir(dir));
    QtSingleCopyLock second(lockDir(dir));
    ASSERT_TRUE(first->acquire());
    EXPECT_TRUE(first->acquire()); // asking again keeps it
    EXPECT_FALSE(second.acquire());
    first.reset();
    EXPECT_TRUE(second.acquire());
}

TEST(SingleCopyLock, LockOfACopyThatDiedIsTakenOver) {
    test::TempDir dir;
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // A copy that takes the lock and ends without releasing it.
        QtSingleCopyLock crashed(lockDir(dir));
        _exit(crashed.acquire() ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0);
    QtSingleCopyLock lock(lockDir(dir));
    ASSERT_TRUE(QFileInfo::exists(lock.lockFilePath())); // left behind by the dead copy
    EXPECT_TRUE(lock.acquire());
}

TEST(SingleCopyLock, ALockThatCannotBeMadeDoesNotStopTheProgram) {
    test::TempDir dir;
    test::writeFile(dir / "file", "x");
    QtSingleCopyLock lock(QString::fromStdString((dir / "file").string()));
    EXPECT_TRUE(lock.acquire());
    EXPECT_EQ(test::readFile(dir / "file"), "x");
}

TEST(SingleCopyLock, DefaultLockFileIsPerUser) {
    const QString path = QtSingleCopyLock().lockFilePath();
    const QString name = QFileInfo(path).fileName();
    EXPECT_TRUE(name.startsWith(QStringLiteral("orvik-"))) << path.toStdString();
    EXPECT_TRUE(name.contains(QString::fromLocal8Bit(getpwuid(getuid())->pw_name)))
        << path.toStdString();
    EXPECT_TRUE(QFileInfo(QFileInfo(path).absolutePath()).isDir()) << path.toStdString();
}

} // namespace
} // namespace orvik
