#include "platform/qt/qtsinglecopylock.h"
#include "support/files.h"
#include "support/tempdir.h"

#include <QFileInfo>
#include <gtest/gtest.h>

#ifdef _WIN32
#include <QProcess>
#include <filesystem>
#include <memory>
#include <string>
#else
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

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

#ifdef _WIN32
// The user's name as Windows gives it to the program.
QString userName() {
    return qEnvironmentVariable("USERNAME");
}

// A copy that died holding the lock leaves the lock file naming its process,
// which is gone: here the file of a lock this process held, made to name a
// child process that has ended (Windows has no fork to crash a copy in).
TEST(SingleCopyLock, LockOfACopyThatDiedIsTakenOver) {
    test::TempDir dir;
    auto first = std::make_unique<QtSingleCopyLock>(lockDir(dir));
    ASSERT_TRUE(first->acquire());
    const std::filesystem::path path = first->lockFilePath().toStdWString();
    std::string contents = test::readFile(path);
    first.reset();

    QProcess ended;
    ended.start(QStringLiteral("cmd.exe"), {QStringLiteral("/c"), QStringLiteral("exit")});
    ASSERT_TRUE(ended.waitForStarted(30000));
    const qint64 endedProcess = ended.processId();
    ASSERT_TRUE(ended.waitForFinished(30000));
    const std::size_t firstLineEnd = contents.find('\n');
    ASSERT_NE(firstLineEnd, std::string::npos) << contents;
    contents.replace(0, firstLineEnd, std::to_string(endedProcess));
    test::writeFile(path, contents);

    QtSingleCopyLock lock(lockDir(dir));
    EXPECT_TRUE(lock.acquire());
}
#else
QString userName() {
    return QString::fromLocal8Bit(getpwuid(getuid())->pw_name);
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
#endif

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
    EXPECT_TRUE(name.contains(userName())) << path.toStdString();
    EXPECT_TRUE(QFileInfo(QFileInfo(path).absolutePath()).isDir()) << path.toStdString();
}

} // namespace
} // namespace orvik
