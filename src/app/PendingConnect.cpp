#include "app/PendingConnect.h"

namespace gcs {

void PendingConnect::set(const QString& port, int baud)
{
    m_port = port;
    m_baud = baud >= 1 ? baud : kDefaultBaud;
}

bool PendingConnect::clear()
{
    if (m_port.isEmpty())
        return false;
    m_port.clear();
    m_baud = kDefaultBaud;
    return true;
}

QString PendingConnect::summary() const
{
    return m_port.isEmpty() ? QString()
                            : QStringLiteral("%1 @ %2").arg(m_port, QString::number(m_baud));
}

} // namespace gcs
