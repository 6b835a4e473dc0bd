#include "platform/qt/qtsinglecopylock.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

#ifndef Q_OS_WIN
#include <pwd.h>
#include <unistd.h>
#endif

namespace orvik {

namespace {

// The runtime directory is private to the user; the temporary directory is
// shared, hence the user's name in the file name.
QString defaultLockDirectory() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir(runtime).exists())
        return runtime;
    return QDir::tempPath();
}

QString userName() {
#ifdef Q_OS_WIN
    const QString name = qEnvironmentVariable("USERNAME");
    return name.isEmpty() ? QStringLiteral("user") : name;
#else
    // The user id decides, not a $USER that may be inherited from elsewhere.
    if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_name)
        return QString::fromLocal8Bit(entry->pw_name);
    return QStringLiteral("uid%1").arg(::getuid());
#endif
}

} // namespace

QtSingleCopyLock::QtSingleCopyLock(QString lockDirectory)
    : lockDirectory_(std::move(lockDirectory)) {}

QtSingleCopyLock::~QtSingleCopyLock() = default;

QString QtSingleCopyLock::lockFilePath() const {
    const QString directory = lockDirectory_.isEmpty() ? defaultLockDirectory() : lockDirectory_;
    QString user = userName();
    user.replace(QLatin1Char('/'), QLatin1Char('_')).replace(QLatin1Char('\\'), QLatin1Char('_'));
    return directory + QStringLiteral("/orvik-") + user + QStringLiteral(".lock");
}

bool QtSingleCopyLock::acquire() {
    if (lock_ && lock_->isLocked())
        return true;
    lock_ = std::make_unique<QLockFile>(lockFilePath());
    // Only a dead owner makes a lock stale, never its age: a copy may run
    // for days.
    lock_->setStaleLockTime(0);
    if (lock_->tryLock(0))
        return true;
    // Only a lock held by a living copy keeps this one from running; a lock
    // that cannot be made at all (no rights, no directory) proves no other
    // copy, and refusing to start would lock the user out for good.
    return lock_->error() != QLockFile::LockFailedError;
}

} // namespace orvik
