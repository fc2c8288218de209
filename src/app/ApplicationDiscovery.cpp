// Port list, baud list, automatic search, port detection and the check before every
// serial connection.
//
// Probing blocks for seconds, so it runs on the global thread pool, on copies of the port
// names and bauds taken here; the worker touches nothing of the controller. Each run has
// its own future watcher, a child of the controller living on the GUI thread, whose
// finished handler applies the result and then deletes the watcher.

#include "app/Application.h"

#include "catalog/AppSettings.h"
#include "catalog/ManagedDevices.h"
#include "catalog/ProductRegistry.h"
#include "catalog/SettingsKeys.h"
#include "discovery/AutoSearchHit.h"
#include "discovery/DiscoveryTexts.h"
#include "discovery/SerialProbe.h"
#include "link/SerialPortName.h"
#include "link/SerialTransport.h"
#include "link/Session.h"

#include <QFutureWatcher>
#include <QHostAddress>
#include <QNetworkInterface>
#include <QThreadPool>
#include <QTimer>
#include <QtConcurrent/QtConcurrentRun>

namespace gcs {

namespace {

// The unit needs a moment after the port opens before it takes commands.
constexpr int kNavOutSyncDelayMs = 300;

template<typename T, typename Work, typename Done>
void runOnPool(QObject* owner, Work work, Done done)
{
    auto* watcher = new QFutureWatcher<T>(owner);
    QObject::connect(watcher, &QFutureWatcher<T>::finished, owner, [watcher, done]() {
        watcher->deleteLater();
        done(watcher->result());
    });
    watcher->setFuture(QtConcurrent::run(QThreadPool::globalInstance(), work));
}

} // namespace

QList<int> Application::serialBaudRateList() const
{
    return SerialProbe::withCustomBauds(m_settings->customSerialBauds());
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

void Application::setDetectHint(const QString& hint)
{
    m_discovery.detectHint = hint;
    emit detectHintChanged();
}

void Application::setSerialPortSource(SerialPortSource source)
{
    m_discovery.portSource = std::move(source);
}

QStringList Application::listedPortNames() const
{
    QStringList names;
    for (const QString& text : m_discovery.serialPorts)
        names.append(portKeyFromText(text));
    return names;
}

void Application::refreshPorts(bool notify)
{
    const QList<SerialPortListing> ports
        = m_discovery.portSource ? m_discovery.portSource() : platformSerialPorts();
    m_discovery.serialPorts.clear();
    for (const SerialPortListing& port : ports)
        m_discovery.serialPorts.append(port.displayText());

    m_discovery.localIps.clear();
    const QList<QHostAddress> addresses = QNetworkInterface::allAddresses();
    for (const QHostAddress& address : addresses) {
        if (address.protocol() == QAbstractSocket::IPv4Protocol)
            m_discovery.localIps.append(address.toString());
    }
    if (m_discovery.localIps.isEmpty())
        m_discovery.localIps.append(QStringLiteral("0.0.0.0"));
    emit serialPortsChanged();

    if (notify) {
        setUserNotice(ports.isEmpty()
                          ? QStringLiteral("已刷新：未发现可用串口")
                          : QStringLiteral("已刷新串口列表（%1 个）").arg(ports.size()));
    }
}

// ---- automatic search --------------------------------------------------------------------

QString Application::autoSearchDevices()
{
    if (!m_products->supportsSerialDiscover()) {
        setDetectHint(QStringLiteral("当前不支持串口自动发现"));
        return m_discovery.detectHint;
    }
    if (m_discovery.searching)
        return m_discovery.detectHint;

    m_discovery.searching = true;
    emit searchingChanged();
    setDetectHint(QStringLiteral("正在搜索惯导设备…"));
    refreshPorts(false);

    // The port used last is asked first: it is the likeliest to hold a unit.
    const QString last
        = portKeyFromText(m_settings->store()->value(settingskeys::kPort).toString());
    QStringList ports;
    if (!last.isEmpty())
        ports.append(last);
    for (const QString& name : listedPortNames()) {
        if (name != last)
            ports.append(name);
    }
    const QList<int> bauds = serialBaudRateList();

    runOnPool<QList<AutoSearchHit>>(
        this,
        [ports, bauds]() {
            QList<AutoSearchHit> hits;
            for (const SerialProbeHit& hit :
                 SerialProbe::probeAllPorts(ports, SerialProbe::kAutoSearchMaxHits, bauds))
                hits.append(AutoSearchHit::fromProbeHit(hit));
            return hits;
        },
        [this](const QList<AutoSearchHit>& hits) { finishAutoSearch(hits); });
    return QString();
}

void Application::finishAutoSearch(const QList<AutoSearchHit>& hits)
{
    m_discovery.searching = false;
    emit searchingChanged();
    if (hits.isEmpty()) {
        setDetectHint(QStringLiteral("未发现惯导设备"));
        return;
    }
    QList<AutoSearchHit> kept;
    for (const AutoSearchHit& hit : hits) {
        if (hit.productId == QLatin1String("ins")
            && m_products->supportsTransport(hit.productId, QStringLiteral("serial")))
            kept.append(hit);
    }
    if (kept.isEmpty()) {
        setDetectHint(QStringLiteral("发现串口响应，但对应产品不支持串口纳管"));
        return;
    }
    for (qsizetype i = 0; i < kept.size(); ++i) {
        m_managedDevices->upsertSerial(kept[i].productId, QString(), kept[i].port, kept[i].baud,
                                       i == 0, QString());
    }
    applyManagedDevice(m_managedDevices->currentId());
    openDefaultProductPage();

    const AutoSearchHit& first = kept.first();
    QString message = QStringLiteral("已识别 %1 · %2 @ %3，请在本页点击连接")
                          .arg(m_products->displayName(first.productId), first.port)
                          .arg(first.baud);
    if (kept.size() > 1) {
        QStringList others;
        for (qsizetype i = 1; i < kept.size(); ++i)
            others.append(m_products->displayName(kept[i].productId) + QLatin1Char(' ')
                          + kept[i].port);
        message += QStringLiteral("；另发现 ") + others.join(QStringLiteral("、"));
    }
    setDetectHint(message);
}

// ---- port detection ----------------------------------------------------------------------

QString Application::detectPort(const QString& preferredPort, int preferredBaud)
{
    refreshPorts(false);
    setDetectHint(QStringLiteral("探测中…"));
    const int baud = preferredBaud < 1 ? m_pending.baud() : preferredBaud;
    const DetectLinkResult result = SerialProbe::runDetectSerialLink(
        preferredPort, baud, listedPortNames(), serialBaudRateList());
    if (!result.ok) {
        setDetectHint(discoverytext::detectNoMatch());
        return QString();
    }
    m_discovery.lastDetectBaud = result.baud;
    setDetectHint(discoverytext::detectMatched(result.port, result.baud));
    return result.text();
}

void Application::beginDetectPort(const QString& preferredPort, int preferredBaud)
{
    if (m_discovery.detectingPort)
        return;
    m_discovery.detectingPort = true;
    emit detectingPortChanged();
    setDetectHint(QStringLiteral("正在检测串口与波特率…"));
    refreshPorts(false);

    const QStringList ports = listedPortNames();
    const int baud = preferredBaud < 1 ? m_pending.baud() : preferredBaud;
    const QList<int> bauds = serialBaudRateList();
    runOnPool<DetectLinkResult>(
        this,
        [preferredPort, baud, ports, bauds]() {
            return SerialProbe::runDetectSerialLink(preferredPort, baud, ports, bauds);
        },
        [this](const DetectLinkResult& result) {
            m_discovery.detectingPort = false;
            emit detectingPortChanged();
            if (result.ok) {
                m_discovery.lastDetectBaud = result.baud;
                setDetectHint(discoverytext::detectMatched(result.port, result.baud));
                emit detectPortFinished(true, result.port, result.baud);
            } else {
                setDetectHint(discoverytext::detectNoMatch());
                emit detectPortFinished(false, QString(), 0);
            }
        });
}

// ---- the check before a serial connection ------------------------------------------------

void Application::beginSerialConnectAsync(const QString& portText, int requestedBaud)
{
    const QString port = portKeyFromText(portText);
    if (port.isEmpty())
        return;
    // No rate given (or a nonsensical one): the units' factory rate, as everywhere else.
    const int baud = requestedBaud >= 1 ? requestedBaud : PendingConnect::kDefaultBaud;
    const int generation = ++m_connectGeneration;
    m_latestCheckGeneration = generation;
    const QString managedId = m_managedDevices->currentId();

    if (!m_connecting) {
        m_connecting = true;
        emit connectingChanged();
    }
    emit connectHintChanged();
    emit contextLinkTextChanged();
    emit managedDeviceLinkChanged();

    runOnPool<bool>(
        this, [port, baud]() { return SerialProbe::tryInsLinkAt(port, baud); },
        [this, portText, baud, port, generation, managedId](bool answered) {
            // A newer connect, a disconnect or another device makes this result stale.
            if (generation == m_connectGeneration && managedId == m_managedDevices->currentId()) {
                if (answered) {
                    openSerialAfterProbe(portText, baud, port);
                } else {
                    m_connecting = false;
                    emit connectingChanged();
                    setError(discoverytext::linkCheckFailed(port, baud));
                    emitLinkTextsChanged();
                }
            } else if (generation == m_latestCheckGeneration && m_connecting) {
                // Dropped because another device was chosen meanwhile, and no newer
                // check is under way: nothing connects any more, so say so.
                m_connecting = false;
                emit connectingChanged();
                emitLinkTextsChanged();
            }
            emit managedDeviceLinkChanged();
        });
}

bool Application::openSerialAfterProbe(const QString& portText, int baud, const QString& port)
{
    const QString managedId = m_managedDevices->currentId();
    const bool ok
        = openSession(linkSessionId(), QStringLiteral("串口"),
                      std::make_unique<SerialTransport>(port, baud), !managedId.isEmpty());
    if (!ok) {
        if (m_lastError.isEmpty()) {
            setError(QStringLiteral("无法打开串口「%1」，请确认设备已上电、驱动正常，且未被 "
                                    "TelvoMonitor 等其它程序占用")
                         .arg(port));
        }
        return false;
    }

    m_settings->setLastPort(portText);
    m_settings->setLastBaud(baud);
    if (m_managedDevices->ids().contains(managedId)) {
        const ManagedDevices::Entry e = m_managedDevices->entry(managedId);
        if (e.kind == ManagedDevices::EntryKind::Serial && (e.port != port || e.baud != baud))
            m_managedDevices->updateSerial(managedId, e.alias, port, baud, e.deviceModelId);
    }
    if (m_pending.clear())
        emit pendingConnectChanged();
    setError(QString());

    if (m_products->currentProductId() == QLatin1String("ins")) {
        QTimer::singleShot(kNavOutSyncDelayMs, this, [this]() {
            if (currentManagedConnected())
                syncInsNavOutForNav(m_currentNav);
        });
    }
    return true;
}

} // namespace gcs
