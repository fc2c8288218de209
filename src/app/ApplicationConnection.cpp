// Sessions, the current device and the managed-device operations of the controller.
//
// The queries and the pending-connect bookkeeping are complete; opening, closing and
// routing sessions and the add/edit/select/enter/remove operations are not part of this
// build yet and report that through lastError.

#include "app/Application.h"

#include "catalog/AppSettings.h"
#include "catalog/ManagedDevices.h"
#include "catalog/ProductRegistry.h"
#include "link/SerialPortName.h"
#include "link/SerialTransport.h"
#include "link/Session.h"
#include "link/SessionManager.h"

namespace gcs {

namespace {

const char* const kNotConnected = "未连接";

} // namespace

// ---- the current device and its session --------------------------------------------------

Session* Application::currentManagedSession() const
{
    const QString id = m_managedDevices->currentId();
    return id.isEmpty() ? m_sessions->primary() : m_sessions->session(id);
}

SerialTransport* Application::currentSerialTransport() const
{
    Session* s = currentManagedSession();
    if (!s || !s->isConnected() || !s->transport()
        || s->transport()->kind() != TransportKind::Serial)
        return nullptr;
    return qobject_cast<SerialTransport*>(s->transport());
}

Session* Application::commandSession() const
{
    const QString id = m_managedDevices->currentId();
    if (Session* s = id.isEmpty() ? nullptr : m_sessions->session(id); s && s->isConnected())
        return s;
    return id.isEmpty() ? m_sessions->primary() : nullptr;
}

bool Application::currentManagedConnected() const
{
    const Session* s = currentManagedSession();
    return s && s->isConnected();
}

QString Application::connectHint() const
{
    const Session* s = currentManagedSession();
    return s && s->isConnected() ? s->description() : QString::fromUtf8(kNotConnected);
}

QString Application::deviceDisplayName() const
{
    const QString id = m_managedDevices->currentId();
    if (id.isEmpty())
        return m_products->displayName(m_products->currentProductId());
    return m_products->deviceModelDisplayName(m_managedDevices->entryDeviceModelId(id));
}

bool Application::canConnectCurrent() const
{
    if (currentManagedConnected())
        return false;
    const QString id = m_managedDevices->currentId();
    if (id.isEmpty() || !m_managedDevices->ids().contains(id))
        return false;
    const ManagedDevices::Entry e = m_managedDevices->entry(id);
    if (e.kind == ManagedDevices::EntryKind::Serial)
        return !e.port.isEmpty();
    if (e.netTransport == QLatin1String("udp"))
        return !e.remoteIp.isEmpty();
    if (e.netTransport == QLatin1String("tcp"))
        return e.listenPort >= 1;
    return false;
}

QString Application::contextLinkText() const
{
    const QString id = m_managedDevices->currentId();
    const auto summaryOrLabel = [this, &id]() {
        const QString summary = m_managedDevices->summary(id);
        return summary.isEmpty() ? managedDeviceLabel(id) : summary;
    };
    if (m_discovery.searching)
        return m_discovery.detectHint;
    if (m_connecting && !id.isEmpty())
        return QStringLiteral("正在连接… ") + summaryOrLabel();
    if (const Session* s = currentManagedSession(); s && s->isConnected())
        return s->description();
    if (!m_pending.isSet())
        return id.isEmpty() ? QString() : summaryOrLabel();
    return m_pending.summary();
}

QString Application::sessionHint(const QString& id) const
{
    const Session* s = m_sessions->session(id);
    return s && s->isConnected() ? s->description() : QString::fromUtf8(kNotConnected);
}

bool Application::managedDeviceOnline(const QString& id) const
{
    if (id.isEmpty())
        return false;
    const Session* s = m_sessions->session(id);
    return s && s->isConnected();
}

QString Application::managedDeviceLinkStatus(const QString& id) const
{
    if (managedDeviceOnline(id))
        return QStringLiteral("已连接");
    if (!id.isEmpty() && id == m_managedDevices->currentId() && m_connecting)
        return QStringLiteral("连接中");
    return QString::fromUtf8(kNotConnected);
}

QString Application::managedDeviceLabel(const QString& id) const
{
    if (!m_managedDevices->ids().contains(id))
        return QString();
    QString model = m_managedDevices->entry(id).deviceModelId.trimmed();
    if (model.isEmpty())
        model = m_products->defaultDeviceModelId();
    return m_products->deviceModelDisplayName(model);
}

QString Application::defaultManagedDeviceAlias(const QString& deviceModelId) const
{
    const QString model
        = deviceModelId.isEmpty() ? m_products->defaultDeviceModelId() : deviceModelId;
    QString category
        = m_products->categoryDisplayName(m_products->deviceModelCategoryId(model)).trimmed();
    if (category.isEmpty())
        category = QStringLiteral("设备");
    return category + QStringLiteral("#%1").arg(m_managedDevices->count() + 1);
}

// ---- pending serial connection, alias, applying a device ---------------------------------

void Application::setPendingSerialConnect(const QString& port, int baud)
{
    const QString key = portKeyFromText(port);
    if (key.isEmpty()) {
        if (m_pending.clear())
            emit pendingConnectChanged();
        return;
    }
    m_pending.set(key, baud);
    m_discovery.lastDetectBaud = m_pending.baud();
    emit pendingConnectChanged();
    emit detectHintChanged();
}

void Application::clearPendingConnect()
{
    if (m_pending.clear())
        emit pendingConnectChanged();
}

void Application::setDeviceAlias(const QString& alias)
{
    const QString trimmed = alias.trimmed();
    if (trimmed == m_deviceAlias)
        return;
    m_deviceAlias = trimmed;
    m_settings->setDeviceAlias(trimmed);
    emit deviceAliasChanged();
}

void Application::applyManagedDevice(const QString& id)
{
    if (!m_managedDevices->ids().contains(id))
        return;
    const ManagedDevices::Entry e = m_managedDevices->entry(id);
    applyProductSwitch(e.productId);
    setDeviceAlias(QString());
    if (e.kind == ManagedDevices::EntryKind::Serial)
        setPendingSerialConnect(e.port, e.baud);
    else
        clearPendingConnect();
}

void Application::persistManagedState()
{
    m_managedDevices->save(m_settings->store());
    m_settings->flushToDisk();
}

// ---- operations that open, close or change connections -----------------------------------

bool Application::connectSerial(const QString& /*port*/, int /*baud*/)
{
    return reportUnavailable("connectSerial");
}

bool Application::connectUdp(const QString& /*localIp*/, int /*localPort*/,
                             const QString& /*remoteIp*/, int /*remotePort*/)
{
    return reportUnavailable("connectUdp");
}

bool Application::connectTcp(int /*listenPort*/)
{
    return reportUnavailable("connectTcp");
}

bool Application::connectNamedUdp(const QString& /*id*/, const QString& /*label*/,
                                  const QString& /*localIp*/, int /*localPort*/,
                                  const QString& /*remoteIp*/, int /*remotePort*/)
{
    return reportUnavailable("connectNamedUdp");
}

bool Application::connectNamedTcp(const QString& /*id*/, const QString& /*label*/,
                                  int /*listenPort*/)
{
    return reportUnavailable("connectNamedTcp");
}

void Application::disconnectPrimary()
{
    reportUnavailable("disconnectPrimary");
}

void Application::disconnectSession(const QString& /*id*/)
{
    reportUnavailable("disconnectSession");
}

bool Application::connectPending()
{
    return reportUnavailable("connectPending");
}

bool Application::stageManualUdp(const QString& /*productId*/, const QString& /*alias*/,
                                 const QString& /*localIp*/, int /*localPort*/,
                                 const QString& /*remoteIp*/, int /*remotePort*/)
{
    return reportUnavailable("stageManualUdp");
}

bool Application::stageManualTcp(const QString& /*productId*/, const QString& /*alias*/,
                                 int /*listenPort*/)
{
    return reportUnavailable("stageManualTcp");
}

bool Application::stageManualSerialConnect(const QString& /*productId*/, const QString& /*alias*/,
                                           const QString& /*port*/, int /*baud*/,
                                           const QString& /*deviceModelId*/)
{
    return reportUnavailable("stageManualSerialConnect");
}

bool Application::connectCurrentManaged()
{
    return reportUnavailable("connectCurrentManaged");
}

void Application::autoConnectSavedDevice()
{
    reportUnavailable("autoConnectSavedDevice");
}

void Application::selectManagedDevice(const QString& /*id*/)
{
    reportUnavailable("selectManagedDevice");
}

bool Application::enterManagedDevice(const QString& /*id*/)
{
    return reportUnavailable("enterManagedDevice");
}

void Application::removeManagedDevice(const QString& /*id*/)
{
    reportUnavailable("removeManagedDevice");
}

bool Application::updateManagedSerial(const QString& /*id*/, const QString& /*alias*/,
                                      const QString& /*port*/, int /*baud*/,
                                      const QString& /*deviceModelId*/)
{
    return reportUnavailable("updateManagedSerial");
}

bool Application::updateManagedUdp(const QString& /*id*/, const QString& /*alias*/,
                                   const QString& /*localIp*/, int /*localPort*/,
                                   const QString& /*remoteIp*/, int /*remotePort*/)
{
    return reportUnavailable("updateManagedUdp");
}

bool Application::updateManagedTcp(const QString& /*id*/, const QString& /*alias*/,
                                   int /*listenPort*/)
{
    return reportUnavailable("updateManagedTcp");
}

} // namespace gcs
