// Sessions, the current device and the managed-device operations of the controller:
// opening and replacing sessions, routing what they receive, disconnecting, and adding,
// editing, selecting, entering and removing managed devices.

#include "app/Application.h"

#include "app/ReceiveRouting.h"
#include "catalog/AppSettings.h"
#include "catalog/ManagedDevices.h"
#include "catalog/ProductRegistry.h"
#include "ins/InsBridge.h"
#include "ins/TelemetryHub.h"
#include "link/SerialPortName.h"
#include "link/SerialTransport.h"
#include "link/Session.h"
#include "link/SessionManager.h"
#include "link/TcpTransport.h"
#include "link/UdpTransport.h"
#include "upgrade/UpgradeFlow.h"
#include "upgrade/YModem.h"

#include <QLoggingCategory>
#include <QTimer>

Q_DECLARE_LOGGING_CATEGORY(lcApp)

namespace gcs {

namespace {

const char* const kNotConnected = QT_TRANSLATE_NOOP("gcs::Application", "未连接");
const char* const kLinkLost
    = QT_TRANSLATE_NOOP("gcs::Application", "设备连接已断开，正在等待重新连接…");
constexpr int kMaxNetPort = 65535;

} // namespace

// ---- the current device and its session --------------------------------------------------

Session* Application::currentManagedSession() const
{
    // A replay is the current link while it plays.
    if (replayActive())
        return replaySession();
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
    // No unit is behind a replay.
    if (replayActive())
        return nullptr;
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
    return s && s->isConnected() ? s->description() : tr(kNotConnected);
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
        return detectHint();
    if (m_connecting && !id.isEmpty())
        return tr("正在连接… %1").arg(summaryOrLabel());
    if (m_reconnect.active() && !id.isEmpty())
        return tr("等待重新连接… %1").arg(summaryOrLabel());
    if (const Session* s = currentManagedSession(); s && s->isConnected())
        return s->description();
    if (!m_pending.isSet())
        return id.isEmpty() ? QString() : summaryOrLabel();
    return m_pending.summary();
}

QString Application::sessionHint(const QString& id) const
{
    const Session* s = m_sessions->session(id);
    return s && s->isConnected() ? s->description() : tr(kNotConnected);
}

bool Application::managedDeviceOnline(const QString& id) const
{
    if (id.isEmpty())
        return false;
    const Session* s = m_sessions->session(id);
    return s && s->isConnected();
}

bool Application::managedDeviceLinking(const QString& id) const
{
    return !managedDeviceOnline(id) && !id.isEmpty() && id == m_managedDevices->currentId()
        && (m_connecting || m_reconnect.managedId == id);
}

QString Application::managedDeviceLinkStatus(const QString& id) const
{
    if (managedDeviceOnline(id))
        return tr("已连接");
    if (managedDeviceLinking(id))
        return tr("连接中");
    return tr(kNotConnected);
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
        category = tr("设备");
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

// ---- sessions ----------------------------------------------------------------------------

QString Application::linkSessionId() const
{
    const QString id = m_managedDevices->currentId();
    return id.isEmpty() ? ReceiveRouting::primaryId() : id;
}

void Application::emitLinkTextsChanged()
{
    emit connectHintChanged();
    emit contextLinkTextChanged();
    emit currentManagedConnectedChanged();
}

void Application::resetTelemetry()
{
    m_hub->markOffline();
    m_ins->resetParseBuffer();
}

bool Application::openSession(const QString& id, const QString& label,
                              std::unique_ptr<ITransport> transport, bool keepOthers)
{
    // A live link takes the place of a replay.
    if (id != ReceiveRouting::replayId())
        closeReplay();
    if (m_ymodem->busy())
        m_ymodem->cancel();
    // The engine must not hold a transport that is about to be deleted.
    m_ymodem->attach(nullptr);

    if (keepOthers)
        m_sessions->remove(id);
    else
        m_sessions->clear();
    resetTelemetry();
    if (id == linkSessionId())
        m_configPages.navOutput.reset();

    auto* session = new Session(id, label, std::move(transport));
    m_sessions->addSession(session);
    bindSession(session);

    m_connecting = true;
    emit connectingChanged();
    // A failed open has already put the transport's own error text into lastError.
    const bool ok = session->connectTransport();
    m_connecting = false;
    emit connectingChanged();

    if (!ok) {
        m_sessions->remove(id);
        if (id == m_managedDevices->currentId())
            resetTelemetry();
    }
    m_upgradeFlow->syncYModemTransport();
    emitLinkTextsChanged();
    return ok;
}

void Application::bindSession(Session* session)
{
    const QString id = session->id();
    connect(session, &Session::bytesReceived, this,
            [this, id](const QByteArray& data) { routeReceived(id, data); });
    connect(session, &Session::connectedChanged, this, [this, id]() {
        // A link of the current device that went away (closed, unplugged) leaves no live
        // telemetry behind. A session being replaced or removed is no longer listed here
        // when its transport reports the close, so it changes nothing.
        Session* current = currentManagedSession();
        if (current && current->id() == id && !current->isConnected())
            resetTelemetry();
        m_upgradeFlow->syncYModemTransport();
        emitLinkTextsChanged();
        emit serialBaudChanged();
    });
    connect(session, &Session::statsChanged, this, [this]() { m_linkStatsUnshown = true; });
    connect(session, &Session::linkLost, this, [this, id]() { onLinkLost(id); });
    // The session stays as the transport left it; the user disconnects or connects anew,
    // unless the link is awaited: then the loss has been told in words of our own.
    connect(session, &Session::errorOccurred, this, [this, id](const QString& message) {
        if (m_reconnect.sessionId == id) {
            qCDebug(lcApp) << "link" << id << "awaited after:" << message;
            return;
        }
        setError(message);
    });
}

void Application::routeReceived(const QString& sessionId, const QByteArray& chunk)
{
    const Session* current = currentManagedSession();
    // After a successful send the engine still hears the boot loader itself (the end of
    // the batch); its bytes are no telemetry either.
    const bool upgrading = m_ymodem->busy() || m_ymodem->endingBatch();
    // While a replay plays, its data are the only telemetry.
    const ReceiveRouting::Route route = replayActive()
        ? (sessionId == ReceiveRouting::replayId() ? ReceiveRouting::Route::Telemetry
                                                   : ReceiveRouting::Route::Drop)
        : ReceiveRouting::route(sessionId, upgrading, m_managedDevices->currentId(),
                                current != nullptr, current ? current->id() : QString());
    switch (route) {
    case ReceiveRouting::Route::Drop:
        return;
    case ReceiveRouting::Route::Upgrade:
        m_ymodem->onRx(chunk);
        // The boot loader's bytes are no telemetry, but what came from the unit is shown
        // in the communication log as everywhere else, and counted there as in RX.
        m_log.takeReceived(chunk, insRawLogViewActive());
        return;
    case ReceiveRouting::Route::Telemetry:
        break;
    }
    // The hub passes raw data on to the recorder's raw file.
    m_hub->ingestRaw(chunk);
    m_ins->feed(chunk);
    if (m_configPages.factoryReadbackActive)
        m_ins->appendFactoryRaw(chunk);
    m_log.takeReceived(chunk, insRawLogViewActive());
}

// ---- opening links -----------------------------------------------------------------------

bool Application::checkNetPort(int port)
{
    if (port >= 0 && port <= kMaxNetPort)
        return true;
    setError(tr("端口号 %1 无效（需在 0～65535 内）").arg(port));
    return false;
}

bool Application::connectSerial(const QString& port, int baud)
{
    if (portKeyFromText(port).isEmpty())
        return false;
    beginSerialConnectAsync(port, baud);
    return true;
}

bool Application::connectUdp(const QString& localIp, int localPort, const QString& remoteIp,
                             int remotePort)
{
    if (!checkNetPort(localPort) || !checkNetPort(remotePort))
        return false;
    stopReconnect(); // another link takes the lost one's place
    return openSession(
        linkSessionId(), QStringLiteral("UDP"),
        std::make_unique<UdpTransport>(localIp, quint16(localPort), remoteIp, quint16(remotePort)),
        !m_managedDevices->currentId().isEmpty());
}

bool Application::connectTcp(int listenPort)
{
    if (!checkNetPort(listenPort))
        return false;
    stopReconnect();
    return openSession(linkSessionId(), QStringLiteral("TCP"),
                       std::make_unique<TcpTransport>(quint16(listenPort)),
                       !m_managedDevices->currentId().isEmpty());
}

bool Application::connectNamedUdp(const QString& id, const QString& label, const QString& localIp,
                                  int localPort, const QString& remoteIp, int remotePort)
{
    if (!checkNetPort(localPort) || !checkNetPort(remotePort))
        return false;
    if (id == m_reconnect.sessionId)
        stopReconnect();
    return openSession(
        id, label,
        std::make_unique<UdpTransport>(localIp, quint16(localPort), remoteIp, quint16(remotePort)),
        true);
}

bool Application::connectNamedTcp(const QString& id, const QString& label, int listenPort)
{
    if (!checkNetPort(listenPort))
        return false;
    if (id == m_reconnect.sessionId)
        stopReconnect();
    return openSession(id, label, std::make_unique<TcpTransport>(quint16(listenPort)), true);
}

bool Application::connectPending()
{
    if (!m_pending.isSet())
        return false;
    beginSerialConnectAsync(m_pending.port(), m_pending.baud());
    return true;
}

bool Application::connectCurrentManaged()
{
    setError(QString());
    const QString id = m_managedDevices->currentId();
    if (id.isEmpty() || !m_managedDevices->ids().contains(id))
        return false;
    const ManagedDevices::Entry e = m_managedDevices->entry(id);
    if (e.kind == ManagedDevices::EntryKind::Serial) {
        if (e.port.trimmed().isEmpty()) {
            setError(tr("当前设备未配置串口，请点顶栏「添加」重新选择端口"));
            return false;
        }
        // A pending connection chosen in the dialog wins over the stored entry.
        if (!m_pending.isSet())
            setPendingSerialConnect(e.port, e.baud);
        beginSerialConnectAsync(m_pending.port(), m_pending.baud());
        return true;
    }
    if (e.netTransport == QLatin1String("udp")) {
        const QString local = e.localIp.isEmpty() ? QStringLiteral("0.0.0.0") : e.localIp;
        return connectUdp(local, e.localPort, e.remoteIp, e.remotePort);
    }
    if (e.netTransport == QLatin1String("tcp"))
        return connectTcp(e.listenPort);
    return false;
}

void Application::autoConnectSavedDevice()
{
    if (currentManagedConnected())
        return;
    if (m_managedDevices->count() > 0)
        connectCurrentManaged();
}

// ---- closing links -----------------------------------------------------------------------

void Application::disconnectSession(const QString& id)
{
    const bool current = id == m_managedDevices->currentId();
    // A pre-connect check still running for this device must not open it afterwards, nor
    // may a lost link of it come back by itself.
    if (current) {
        ++m_connectGeneration;
        stopReconnect();
    }
    if (Session* s = m_sessions->session(id)) {
        m_upgradeFlow->sessionClosing(s);
        s->disconnectTransport();
    }
    if (current) {
        resetTelemetry();
        m_configPages.navOutput.reset();
        if (m_connecting) {
            m_connecting = false;
            emit connectingChanged();
        }
    }
    m_upgradeFlow->syncYModemTransport();
    emitLinkTextsChanged();
}

void Application::disconnectPrimary()
{
    if (replayActive()) {
        closeReplay();
        return;
    }
    ++m_connectGeneration;
    stopReconnect();
    const QString id = m_managedDevices->currentId();
    if (!id.isEmpty()) {
        disconnectSession(id);
    } else {
        if (Session* s = m_sessions->primary()) {
            m_upgradeFlow->sessionClosing(s);
            s->disconnectTransport();
        }
        resetTelemetry();
        m_configPages.navOutput.reset();
    }
    if (m_connecting) {
        m_connecting = false;
        emit connectingChanged();
    }
    m_upgradeFlow->syncYModemTransport();
    emitLinkTextsChanged();
}

// ---- a link that went away by itself ------------------------------------------------------

void Application::onLinkLost(const QString& sessionId)
{
    const Session* s = m_sessions->session(sessionId);
    // A transfer on the link ends here; the boot loader can hear nothing more of it.
    if (s)
        m_upgradeFlow->linkLost(s);
    const DiscoveryState::OpenedLink opened = m_discovery.sessionLinks.value(sessionId);
    // Only the current device's serial link is awaited; a link opened otherwise (by a
    // tool, not after the check) has no port to come back to. It comes back at the rate
    // the user connected at, not at the one of the moment (the boot loader's, during an
    // upgrade).
    if (!s || sessionId != linkSessionId() || opened.port.isEmpty() || !s->transport()
        || s->transport()->kind() != TransportKind::Serial || !m_settings->autoReconnect())
        return;
    m_reconnect
        = ReconnectWait { sessionId, m_managedDevices->currentId(), opened.port, opened.baud };
    m_reconnectTimer->start();
    setError(tr(kLinkLost));
    emit reconnectingChanged();
    emit managedDeviceLinkChanged();
    emit contextLinkTextChanged();
}

void Application::reconnectTick()
{
    if (!m_reconnect.active()) {
        m_reconnectTimer->stop();
        return;
    }
    // The port comes back when the unit is plugged in again: until then opening it fails
    // at once. An attempt still running (a slow answer) is not doubled.
    if (m_connecting || m_discovery.findCheck(m_reconnect.port, m_reconnect.baud))
        return;
    beginSerialConnectAsync(m_reconnect.port, m_reconnect.baud, true);
}

void Application::stopReconnect()
{
    if (!m_reconnect.active())
        return;
    m_reconnect = ReconnectWait {};
    m_reconnectTimer->stop();
    emit reconnectingChanged();
    emit managedDeviceLinkChanged();
    emit contextLinkTextChanged();
}

// ---- managed devices ---------------------------------------------------------------------

bool Application::stageManualSerialConnect(const QString& productId, const QString& alias,
                                           const QString& port, int baud,
                                           const QString& deviceModelId)
{
    if (!m_products->supportsTransport(productId, QStringLiteral("serial"))) {
        setError(tr("该产品不支持串口连接（与老版上位机能力一致）"));
        return false;
    }
    const QString key = portKeyFromText(port);
    if (key.isEmpty()) {
        setError(tr("请选择串口，或点击「刷新端口」后重试"));
        return false;
    }
    if (m_managedDevices->hasSerialPort(key)) {
        setError(
            tr("串口 %1 已被纳管设备占用，请选择其他串口；如需修改请用该设备的「编辑」").arg(key));
        return false;
    }
    const QString id = m_managedDevices->appendSerial(productId, alias.trimmed(), port, baud, true,
                                                      deviceModelId);
    if (id.isEmpty()) {
        setError(tr("无法保存串口纳管信息"));
        return false;
    }
    applyManagedDevice(m_managedDevices->currentId());
    setError(QString());
    return true;
}

bool Application::stageManualUdp(const QString& productId, const QString& alias,
                                 const QString& localIp, int localPort, const QString& remoteIp,
                                 int remotePort)
{
    if (!m_products->supportsTransport(productId, QStringLiteral("udp"))) {
        setError(tr("该产品不支持 UDP 连接（与老版上位机能力一致）"));
        return false;
    }
    const QString id = m_managedDevices->appendNetUdp(productId, alias, localIp, localPort,
                                                      remoteIp, remotePort, true);
    if (id.isEmpty()) {
        setError(tr("无法保存 UDP 纳管信息"));
        return false;
    }
    applyManagedDevice(m_managedDevices->currentId());
    setError(QString());
    return true;
}

bool Application::stageManualTcp(const QString& productId, const QString& alias, int listenPort)
{
    if (!m_products->supportsTransport(productId, QStringLiteral("tcp"))) {
        setError(tr("该产品不支持 TCP 连接（与老版上位机能力一致）"));
        return false;
    }
    const QString id = m_managedDevices->appendNetTcp(productId, alias, listenPort, true);
    if (id.isEmpty()) {
        setError(tr("无法保存 TCP 纳管信息"));
        return false;
    }
    applyManagedDevice(m_managedDevices->currentId());
    setError(QString());
    return true;
}

void Application::selectManagedDevice(const QString& id)
{
    if (!m_managedDevices->ids().contains(id) || id == m_managedDevices->currentId())
        return;
    // A transfer to the device the user leaves ends: its bytes would no longer reach it.
    if (const Session* leaving = currentManagedSession())
        m_upgradeFlow->sessionLeft(leaving);
    // Only the current device's lost link is awaited.
    stopReconnect();
    m_managedDevices->setCurrentId(id);
    applyManagedDevice(id);
    resetTelemetry();
    m_upgradeFlow->syncYModemTransport();
    emitLinkTextsChanged();
}

bool Application::enterManagedDevice(const QString& id)
{
    if (!m_managedDevices->ids().contains(id))
        return false;
    closeReplay();
    const QString previous = m_managedDevices->currentId();
    if (!previous.isEmpty() && previous != id)
        disconnectSession(previous);

    // Checks started for another device are void; one running for this very device is
    // the connect that entering it asks for, so it is left to finish.
    if (previous != id)
        ++m_connectGeneration;
    m_managedDevices->setCurrentId(id);
    applyManagedDevice(id);
    resetTelemetry();
    m_upgradeFlow->syncYModemTransport();
    emitLinkTextsChanged();
    emit managedDeviceLinkChanged();
    setError(QString());

    if (managedDeviceOnline(id) || m_connecting)
        return true;
    // Entering returns at once; the connect starts from the event loop, unless by then
    // the device is connected or a connect is already under way.
    QTimer::singleShot(0, this, [this]() {
        if (m_connecting)
            return;
        const QString currentId = m_managedDevices->currentId();
        if (!currentId.isEmpty() && managedDeviceOnline(currentId))
            return;
        connectCurrentManaged();
    });
    return true;
}

void Application::removeManagedDevice(const QString& id)
{
    if (!m_managedDevices->ids().contains(id))
        return;
    const bool wasCurrent = id == m_managedDevices->currentId();
    // Closing the link ends a transfer on it; one to another device goes on.
    disconnectSession(id);
    // The engine must not hold the link that is deleted below.
    if (const Session* s = m_sessions->session(id); s && m_ymodem->transport() == s->transport())
        m_ymodem->attach(nullptr);
    m_sessions->remove(id);
    m_upgradeFlow->syncYModemTransport();
    if (wasCurrent)
        clearPendingConnect();
    m_managedDevices->remove(id);

    emitLinkTextsChanged();
    emit globalStatusTextChanged();
    emit managedDeviceLinkChanged();

    if (m_managedDevices->count() == 0) {
        setDeviceAlias(QString());
        m_settings->setLastPort(QString());
        applyProductSwitch(m_products->currentProductId());
    } else if (wasCurrent) {
        applyManagedDevice(m_managedDevices->currentId());
    }
    m_managedDevices->save(m_settings->store());
    m_settings->flushToDisk();
}

bool Application::updateManagedSerial(const QString& id, const QString& alias, const QString& port,
                                      int baud, const QString& deviceModelId)
{
    if (!m_managedDevices->ids().contains(id)) {
        setError(tr("设备不存在或已移除"));
        return false;
    }
    if (!m_managedDevices->updateSerial(id, alias, port, baud, deviceModelId)) {
        setError(tr("无法保存：串口为空，或相同串口已被其他纳管设备占用"));
        return false;
    }
    setError(QString());
    afterManagedConnectionEdited(id);
    return true;
}

bool Application::updateManagedUdp(const QString& id, const QString& alias, const QString& localIp,
                                   int localPort, const QString& remoteIp, int remotePort)
{
    if (!m_managedDevices->ids().contains(id)) {
        setError(tr("设备不存在或已移除"));
        return false;
    }
    if (!m_managedDevices->updateNetUdp(id, alias, localIp, localPort, remoteIp, remotePort)) {
        setError(tr("无法保存：远端地址无效，或相同 UDP 连接已被其他纳管设备占用"));
        return false;
    }
    setError(QString());
    afterManagedConnectionEdited(id);
    return true;
}

bool Application::updateManagedTcp(const QString& id, const QString& alias, int listenPort)
{
    if (!m_managedDevices->ids().contains(id)) {
        setError(tr("设备不存在或已移除"));
        return false;
    }
    if (!m_managedDevices->updateNetTcp(id, alias, listenPort)) {
        setError(tr("无法保存：相同 TCP 监听端口已被其他纳管设备占用"));
        return false;
    }
    setError(QString());
    afterManagedConnectionEdited(id);
    return true;
}

void Application::afterManagedConnectionEdited(const QString& id)
{
    if (!m_managedDevices->ids().contains(id))
        return;
    const bool wasCurrent = id == m_managedDevices->currentId();
    // The old link no longer matches what the entry says.
    disconnectSession(id);
    if (wasCurrent)
        applyManagedDevice(id);
    resetTelemetry();
    m_upgradeFlow->syncYModemTransport();
    emitLinkTextsChanged();
    emit managedDeviceLinkChanged();
}

} // namespace gcs
