#include "SingleInstanceLock.h"

#include <QDir>
#include <QStandardPaths>

namespace orv::lifecycle {

SingleInstanceLock::SingleInstanceLock(const QString& folder)
    : path_(QDir(folder).filePath(QStringLiteral("orv.lock"))), lock_(std::make_unique<QLockFile>(path_))
{
    // Age alone never makes a lock stale: only a holder that is gone does, which QLockFile
    // checks by the process id it wrote.
    lock_->setStaleLockTime(0);
}

bool SingleInstanceLock::acquire()
{
    if (lock_->isLocked()) return true;
    return lock_->tryLock(0);
}

void SingleInstanceLock::release() { lock_->unlock(); }

QString SingleInstanceLock::defaultFolder()
{
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? QDir::tempPath() : runtime;
}

}  // namespace orv::lifecycle
