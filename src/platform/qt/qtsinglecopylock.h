#pragma once
// One running copy per user: a lock file in the user's runtime directory.
// A lock left behind by a copy that crashed is taken over, since its owner's
// process is gone.
#include "platform/singlecopy.h"

#include <QString>
#include <memory>

class QLockFile;

namespace orvik {

class QtSingleCopyLock : public SingleCopyLock {
public:
    // Without a directory the user's runtime directory is used (or the
    // temporary directory when the session has none).
    explicit QtSingleCopyLock(QString lockDirectory = QString());
    ~QtSingleCopyLock() override;
    QtSingleCopyLock(const QtSingleCopyLock&) = delete;
    QtSingleCopyLock& operator=(const QtSingleCopyLock&) = delete;

    // Holds the lock until this object is destroyed. False only when another
    // living copy holds it; when no lock can be made where it belongs (no
    // rights, no such directory) the copy is let run.
    bool acquire() override;

    QString lockFilePath() const;

private:
    QString lockDirectory_;
    std::unique_ptr<QLockFile> lock_;
};

} // namespace orvik
