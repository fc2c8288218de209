#include "catalog/KeptCopy.h"

#include "catalog/CatalogLog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace gcs {

KeptCopy KeptCopy::of(const QString& path, const QString& suffix)
{
    KeptCopy kept;
    kept.needed = true;
    const QString copy = path + suffix;
    QFile original(path);
    if (QFile::exists(copy) && !QFile::remove(copy))
        kept.error = QCoreApplication::translate("gcs::KeptCopy", "无法替换旧的副本 %1")
                         .arg(QDir::toNativeSeparators(copy));
    else if (!original.copy(copy))
        kept.error = original.errorString();
    else
        kept.path = copy;
    if (kept.path.isEmpty())
        qCWarning(lcCatalog).noquote() << "no copy of" << path << "kept:" << kept.error;
    return kept;
}

} // namespace gcs
