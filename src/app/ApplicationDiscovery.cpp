// Port list, baud list, automatic search and port detection of the controller.
//
// The baud list with the user's custom rates is complete; listing ports, detection and
// the automatic search are not part of this build yet and report that through lastError.

#include "app/Application.h"

#include "catalog/AppSettings.h"
#include "catalog/ManagedDevices.h"
#include "link/SerialTransport.h"
#include "link/Session.h"

namespace gcs {

QList<int> Application::serialBaudRateList() const
{
    QList<int> bauds = AppSettings::builtInSerialBauds();
    for (int baud : m_settings->customSerialBauds()) {
        if (baud >= 1 && !bauds.contains(baud))
            bauds.append(baud);
    }
    return bauds;
}

QVariantList Application::serialBaudRates() const
{
    QVariantList list;
    for (int baud : serialBaudRateList())
        list.append(baud);
    return list;
}

bool Application::addCustomSerialBaud(int baud)
{
    if (!m_settings->addCustomSerialBaud(baud)) {
        setError(QStringLiteral("无法添加波特率 %1（需在 300～3000000 内，且不能与已有项重复）")
                     .arg(baud));
        return false;
    }
    m_settings->flushToDisk();
    setUserNotice(QStringLiteral("已添加波特率 %1").arg(baud));
    setError(QString());
    return true;
}

bool Application::removeCustomSerialBaud(int baud)
{
    if (!m_settings->removeCustomSerialBaud(baud)) {
        setError(QStringLiteral("无法删除波特率 %1（仅可删除手动添加项）").arg(baud));
        return false;
    }
    m_settings->flushToDisk();
    setUserNotice(QStringLiteral("已删除自定义波特率 %1").arg(baud));
    setError(QString());
    return true;
}

bool Application::isCustomSerialBaud(int baud) const
{
    return m_settings->isCustomSerialBaud(baud);
}

bool Application::searchFailed() const
{
    return !m_discovery.searching && m_discovery.detectHint.startsWith(QStringLiteral("未发现"));
}

int Application::serialBaud() const
{
    if (const SerialTransport* link = currentSerialTransport())
        return link->baudRate();
    const QString id = m_managedDevices->currentId();
    if (m_managedDevices->ids().contains(id))
        return m_managedDevices->entryBaud(id);
    return 0;
}

void Application::refreshPorts(bool notify)
{
    // Called quietly at construction; only a request from the user is answered.
    if (notify)
        reportUnavailable("refreshPorts");
}

QString Application::detectPort(const QString& /*preferredPort*/, int /*preferredBaud*/)
{
    reportUnavailable("detectPort");
    return QString();
}

void Application::beginDetectPort(const QString& /*preferredPort*/, int /*preferredBaud*/)
{
    reportUnavailable("beginDetectPort");
    emit detectPortFinished(false, QString(), 0);
}

QString Application::autoSearchDevices()
{
    reportUnavailable("autoSearchDevices");
    return m_lastError;
}

} // namespace gcs
