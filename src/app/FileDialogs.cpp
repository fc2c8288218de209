#include "app/FileDialogs.h"

#include <QFileDialog>

namespace gcs {

QString FileDialogs::platform(Kind kind, const QString& title, const QString& filter)
{
    switch (kind) {
    case Kind::Open:
        return QFileDialog::getOpenFileName(nullptr, title, QString(), filter);
    case Kind::Save:
        return QFileDialog::getSaveFileName(nullptr, title, QString(), filter);
    case Kind::Directory:
        return QFileDialog::getExistingDirectory(nullptr, title, QString(),
                                                 QFileDialog::ShowDirsOnly);
    }
    return QString();
}

} // namespace gcs
