#include "app/UpgradeState.h"

#include "link/SerialTransport.h"

#include <QFileInfo>

namespace gcs {

QString UpgradeState::fileName() const
{
    return m_file.isEmpty() ? QString() : QFileInfo(m_file).fileName();
}

bool UpgradeState::setFile(const QString& path)
{
    if (path == m_file)
        return false;
    m_file = path;
    return true;
}

UpgradeState::Restore UpgradeState::restoreLink(SerialTransport* link)
{
    if (m_restoreBaud <= 0)
        return Restore::NothingToDo;
    const int baud = m_restoreBaud;
    m_restoreBaud = 0;
    if (!link || link->baudRate() == baud)
        return Restore::Done;
    return link->reopenAt(baud) ? Restore::Done : Restore::Failed;
}

} // namespace gcs
