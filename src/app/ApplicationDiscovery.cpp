// Port list, baud list, automatic search, port detection and the check before every
// serial connection.
//
// Probing blocks for seconds, so it runs on the global thread pool, on copies of the port
// names and bauds taken here; the worker touches nothing of the controller but its own
// cancel flag. Each run has its own future watcher, a child of the controller living on
// the GUI thread, whose finished handler applies the result and then deletes the watcher.
// The controller lists every run with the ports it may open: a check before a connect
// starts only once no other run holds its port (it is started again from the finished
// handler of the run it waited for), and it can stop them all and wait for their ports to
// close before it goes away. Nothing on the GUI thread ever blocks on a worker.

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

#include <QFileInfo>
#include <QFutureWatcher>
#include <QHostAddress>
#include <QNetworkInterface>
#include <QThreadPool>
#include <QTimer>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>

namespace gcs {

namespace {

// The unit needs a moment after the port opens before it takes commands.
constexpr int kNavOutSyncDelayMs = 300;

const char* const kLinkBack = QT_TRANSLATE_NOOP("gcs::Application", "设备已重新连接");

} // namespace

template<typename T, typename Work, typename Done>
void Application::runProbe(DiscoveryState::ProbeKind kind, const QStringList& ports,
                           const ProbeCancel& cancel, Work work, Done done)
{
    const int id = ++m_discovery.lastProbeId;
    auto* watcher = new QFutureWatcher<T>(this);
    connect(watcher, &QFutureWatcher<T>::finished, this, [this, watcher, done, id]() {
        watcher->deleteLater();
        // Its ports are closed by now: the run is over before its result is applied.
        m_discovery.probes.removeIf(
            [id](const DiscoveryState::RunningProbe& p) { return p.id == id; });
        done(watcher->result());
        startWaitingChecks();
    });
    const QFuture<T> future = QtConcurrent::run(QThreadPool::globalInstance(), work);
    m_discovery.probes.append({ id, kind, ports, cancel, QFuture<void>(future) });
    watcher->setFuture(future);
}

void Application::stopProbes()
{
    m_discovery.stopped.cancel();
    for (DiscoveryState::RunningProbe& probe : m_discovery.probes) {
        probe.cancel.cancel();
        probe.future.waitForFinished();
    }
    m_discovery.probes.clear();
}

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
        setError(tr("无法添加波特率 %1（需在 300～3000000 内，且不能与已有项重复）").arg(baud));
        return false;
    }
    m_settings->flushToDisk();
    setUserNotice(tr("已添加波特率 %1").arg(baud));
    setError(QString());
    return true;
}

bool Application::removeCustomSerialBaud(int baud)
{
    if (!m_settings->removeCustomSerialBaud(baud)) {
        setError(tr("无法删除波特率 %1（仅可删除手动添加项）").arg(baud));
        return false;
    }
    m_settings->flushToDisk();
    setUserNotice(tr("已删除自定义波特率 %1").arg(baud));
    setError(QString());
    return true;
}

bool Application::isCustomSerialBaud(int baud) const
{
    return m_settings->isCustomSerialBaud(baud);
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

void Application::setDetectHint(LiveText hint, DiscoveryState::HintKind kind)
{
    m_discovery.detectHint = std::move(hint);
    m_discovery.hintKind = kind;
    emit detectHintChanged();
}

void Application::setDetectHint(const char* source, DiscoveryState::HintKind kind)
{
    setDetectHint(LiveText([source]() { return tr(source); }), kind);
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

bool Application::serialPortPresent(const QString& portText) const
{
    const QString port = portKeyFromText(portText);
    if (port.isEmpty())
        return false;
    return listedPortNames().contains(port)
        || (port.contains(QLatin1Char('/')) && QFileInfo::exists(port));
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
        setUserNotice(ports.isEmpty() ? tr("已刷新：未发现可用串口")
                                      : tr("已刷新串口列表（%n 个）", "", int(ports.size())));
    }
}

// ---- automatic search --------------------------------------------------------------------

QString Application::autoSearchDevices()
{
    if (!m_products->supportsSerialDiscover()) {
        setDetectHint(QT_TR_NOOP("当前不支持串口自动发现"), DiscoveryState::HintKind::Search);
        return detectHint();
    }
    if (m_discovery.searching)
        return detectHint();

    m_discovery.searching = true;
    emit searchingChanged();
    setDetectHint(QT_TR_NOOP("正在搜索惯导设备…"), DiscoveryState::HintKind::Search);
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
    const ProbeCancel cancel = m_discovery.freshCancel();

    runProbe<QList<AutoSearchHit>>(
        DiscoveryState::ProbeKind::Search, ports, cancel,
        [ports, bauds, cancel]() {
            QList<AutoSearchHit> hits;
            for (const SerialProbeHit& hit :
                 SerialProbe::probeAllPorts(ports, SerialProbe::kAutoSearchMaxHits, bauds, cancel))
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
        setDetectHint(QT_TR_NOOP("未发现惯导设备"), DiscoveryState::HintKind::SearchFoundNothing);
        return;
    }
    QList<AutoSearchHit> kept;
    for (const AutoSearchHit& hit : hits) {
        if (hit.productId == QLatin1String("ins")
            && m_products->supportsTransport(hit.productId, QStringLiteral("serial")))
            kept.append(hit);
    }
    if (kept.isEmpty()) {
        setDetectHint(QT_TR_NOOP("发现串口响应，但对应产品不支持串口纳管"),
                      DiscoveryState::HintKind::Search);
        return;
    }
    for (qsizetype i = 0; i < kept.size(); ++i) {
        m_managedDevices->upsertSerial(kept[i].productId, QString(), kept[i].port, kept[i].baud,
                                       i == 0, QString());
    }
    applyManagedDevice(m_managedDevices->currentId());
    openDefaultProductPage();

    // Product names come from the registry when read, in the language then in force.
    setDetectHint(LiveText([this, kept]() {
                      const AutoSearchHit& first = kept.first();
                      QString message = tr("已识别 %1 · %2 @ %3，请在本页点击连接")
                                            .arg(m_products->displayName(first.productId),
                                                 first.port, QString::number(first.baud));
                      if (kept.size() > 1) {
                          QStringList others;
                          for (qsizetype i = 1; i < kept.size(); ++i)
                              others.append(m_products->displayName(kept[i].productId)
                                            + QLatin1Char(' ') + kept[i].port);
                          message += tr("；另发现 %1").arg(others.join(tr("、")));
                      }
                      return message;
                  }),
                  DiscoveryState::HintKind::Search);
}

// ---- port detection ----------------------------------------------------------------------

QString Application::detectPort(const QString& preferredPort, int preferredBaud)
{
    refreshPorts(false);
    setDetectHint(QT_TR_NOOP("探测中…"), DiscoveryState::HintKind::Detection);
    const int baud = preferredBaud < 1 ? m_pending.baud() : preferredBaud;
    const DetectLinkResult result = SerialProbe::runDetectSerialLink(
        preferredPort, baud, listedPortNames(), serialBaudRateList());
    if (!result.ok) {
        setDetectHint(LiveText(discoverytext::detectNoMatch),
                      DiscoveryState::HintKind::DetectionNoMatch);
        return QString();
    }
    m_discovery.lastDetectBaud = result.baud;
    setDetectHint(
        LiveText([result]() { return discoverytext::detectMatched(result.port, result.baud); }),
        DiscoveryState::HintKind::Detection);
    return result.text();
}

void Application::beginDetectPort(const QString& preferredPort, int preferredBaud)
{
    if (m_discovery.detectingPort)
        return;
    m_discovery.detectingPort = true;
    emit detectingPortChanged();
    setDetectHint(QT_TR_NOOP("正在检测串口与波特率…"), DiscoveryState::HintKind::Detection);
    refreshPorts(false);

    const QStringList ports = listedPortNames();
    const int baud = preferredBaud < 1 ? m_pending.baud() : preferredBaud;
    const QList<int> bauds = serialBaudRateList();
    const ProbeCancel cancel = m_discovery.freshCancel();
    QStringList touched { portKeyFromText(preferredPort) };
    touched += ports;
    runProbe<DetectLinkResult>(
        DiscoveryState::ProbeKind::Detection, touched, cancel,
        [preferredPort, baud, ports, bauds, cancel]() {
            return SerialProbe::runDetectSerialLink(preferredPort, baud, ports, bauds, cancel);
        },
        [this, cancel](const DetectLinkResult& result) {
            m_discovery.detectingPort = false;
            emit detectingPortChanged();
            if (result.ok) {
                m_discovery.lastDetectBaud = result.baud;
                setDetectHint(LiveText([result]() {
                                  return discoverytext::detectMatched(result.port, result.baud);
                              }),
                              DiscoveryState::HintKind::Detection);
                emit detectPortFinished(true, result.port, result.baud);
                return;
            }
            // Ended by a connect that needed one of its ports: it found nothing because it
            // stopped looking, which is no verdict on the wiring.
            if (cancel.isCancelled())
                setDetectHint(QT_TR_NOOP("检测已停止：串口正在连接"),
                              DiscoveryState::HintKind::Detection);
            else
                setDetectHint(LiveText(discoverytext::detectNoMatch),
                              DiscoveryState::HintKind::DetectionNoMatch);
            emit detectPortFinished(false, QString(), 0);
        });
}

// ---- the check before a serial connection ------------------------------------------------

void Application::beginSerialConnectAsync(const QString& portText, int requestedBaud, bool quiet)
{
    const QString port = portKeyFromText(portText);
    if (port.isEmpty())
        return;
    // No rate given (or a nonsensical one): the units' factory rate, as everywhere else.
    const int baud = requestedBaud >= 1 ? requestedBaud : PendingConnect::kDefaultBaud;
    const int generation = ++m_connectGeneration;
    m_latestCheckGeneration = generation;
    const QString managedId = m_managedDevices->currentId();

    if (!quiet) {
        // The user's own connect takes over from the wait for a lost link.
        stopReconnect();
        if (!m_connecting) {
            m_connecting = true;
            emit connectingChanged();
        }
        emit connectHintChanged();
        emit contextLinkTextChanged();
    }
    emit managedDeviceLinkChanged();

    // A check of this port and baud already waiting or running answers for this request.
    if (DiscoveryState::LinkCheck* same = m_discovery.findCheck(port, baud)) {
        same->portText = portText;
        same->managedId = managedId;
        same->generation = generation;
        same->quiet = same->quiet && quiet;
        return;
    }
    // Only one prober can hold the port. A check of it at another rate is outdated by this
    // one, and so is a detection (its dialog is gone, or this is what it was for): both
    // end. A search goes on, and this check follows it. An attempt of the automatic
    // reconnect only waits: it ends nothing the user started.
    m_discovery.checks.removeIf(
        [&port](const DiscoveryState::LinkCheck& c) { return c.port == port; });
    for (DiscoveryState::RunningProbe& probe : m_discovery.probes) {
        const bool outdated = probe.kind == DiscoveryState::ProbeKind::Check
            || (probe.kind == DiscoveryState::ProbeKind::Detection && !quiet);
        if (outdated && probe.ports.contains(port))
            probe.cancel.cancel();
    }
    m_discovery.checks.append(
        { ++m_discovery.lastCheckId, port, baud, portText, managedId, generation, quiet });
    startWaitingChecks();
}

void Application::startWaitingChecks()
{
    if (m_discovery.stopped.isCancelled())
        return;
    for (DiscoveryState::LinkCheck& check : m_discovery.checks) {
        if (check.started || m_discovery.portInUse(check.port))
            continue;
        check.started = true;
        const QString port = check.port;
        const int baud = check.baud;
        const int id = check.id;
        const ProbeCancel cancel = m_discovery.freshCancel();
        runProbe<SerialProbe::LinkOutcome>(
            DiscoveryState::ProbeKind::Check, { port }, cancel,
            [port, baud, cancel]() { return SerialProbe::checkLinkAt(port, baud, cancel); },
            [this, id](SerialProbe::LinkOutcome outcome) { finishLinkCheck(id, outcome); });
    }
}

void Application::finishLinkCheck(int checkId, SerialProbe::LinkOutcome outcome)
{
    const auto found = std::find_if(m_discovery.checks.cbegin(), m_discovery.checks.cend(),
                                    [checkId](const auto& c) { return c.id == checkId; });
    // A check that a newer one for the port replaced has nothing left to say.
    if (found == m_discovery.checks.cend()) {
        emit managedDeviceLinkChanged();
        return;
    }
    const DiscoveryState::LinkCheck check = *found;
    m_discovery.checks.erase(found);
    // A newer connect, a disconnect or another device makes this result stale.
    if (check.generation == m_connectGeneration
        && check.managedId == m_managedDevices->currentId()) {
        if (outcome == SerialProbe::LinkOutcome::Answered) {
            openSerialAfterProbe(check.portText, check.baud, check.port, check.quiet);
        } else if (!check.quiet) {
            m_connecting = false;
            emit connectingChanged();
            setError(outcome == SerialProbe::LinkOutcome::PortBusy
                         ? discoverytext::linkCheckPortBusy(check.port)
                         : discoverytext::linkCheckFailed(check.port, check.baud));
            emitLinkTextsChanged();
        }
        // A quiet attempt that found nothing waits for the next one.
    } else if (!check.quiet && check.generation == m_latestCheckGeneration && m_connecting) {
        // Dropped because another device was chosen meanwhile, and no newer check is under
        // way: nothing connects any more, so say so.
        m_connecting = false;
        emit connectingChanged();
        emitLinkTextsChanged();
    }
    emit managedDeviceLinkChanged();
}

bool Application::openSerialAfterProbe(const QString& portText, int baud, const QString& port,
                                       bool quiet)
{
    const QString managedId = m_managedDevices->currentId();
    const QString sessionId = linkSessionId();
    const bool ok = openSession(
        sessionId, tr("串口"), std::make_unique<SerialTransport>(port, baud), !managedId.isEmpty());
    if (!ok) {
        // An attempt of the wait for a lost link fails quietly; the next one follows.
        if (!quiet && m_lastError.isEmpty()) {
            setError(tr("无法打开串口「%1」，请确认设备已上电、驱动正常，且未被 "
                        "TelvoMonitor 等其它程序占用")
                         .arg(port));
        }
        return false;
    }

    m_discovery.sessionLinks.insert(sessionId, { port, baud });
    if (m_reconnect.active()) {
        stopReconnect();
        setUserNotice(tr(kLinkBack));
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
