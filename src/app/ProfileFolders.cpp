#include "app/ProfileFolders.h"

#include <QCoreApplication>
#include <QDir>

namespace gcs {

QStringList profileFolders()
{
    QStringList folders;
#ifdef Q_OS_WIN
    folders << QStringLiteral("X://profiles");
#endif
    // Resolved through links: an executable reached through /usr/bin finds its own folder.
    folders << QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("profiles"));
    return folders;
}

} // namespace gcs
