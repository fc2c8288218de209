#include "app/InstanceLock.h"

#include <QDir>
#include <QStandardPaths>

namespace gcs {

QString instanceLockPath()
{
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    QDir().mkpath(dir);
    return QDir(dir).filePath(QStringLiteral("instance.lock"));
}

bool takeInstanceLock(QLockFile& lock)
{
    lock.setStaleLockTime(kInstanceLockStaleMs);
    return lock.tryLock(kInstanceLockWaitMs);
}

} // namespace gcs
