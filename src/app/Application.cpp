#include "app/Application.h"

#include "app/AppVersion.h"
#include "app/WindowPlacement.h"
#include "catalog/AppSettings.h"
#include "catalog/ManagedDevices.h"
#include "catalog/ProductRegistry.h"
#include "catalog/SettingsKeys.h"
#include "catalog/UiConfig.h"
#include "console/CommandCatalog.h"
#include "discovery/SerialProbe.h"
#include "ins/InsBridge.h"
#include "ins/RecDataModel.h"
#include "ins/TelemetryHub.h"
#include "link/Session.h"
#include "link/SessionManager.h"
#include "record/Recorder.h"
#include "replay/ReplayController.h"
#include "ui/ChartClock.h"
#include "upgrade/YModem.h"

#include <QLoggingCategory>
#include <QTimer>

Q_LOGGING_CATEGORY(lcApp, "gcs.app", QtWarningMsg)

namespace gcs {

namespace {

constexpr int kStatsIntervalMs = 1000;
constexpr int kLogFlushIntervalMs = 200;
constexpr int kTriggerIntervalMs = 1000;
// A lost link is tried again at most once a second.
constexpr int kReconnectIntervalMs = 1000;
const char* const kCompanyName = "Corvane";

QTimer* makeTimer(QObject* parent, const char* name, int intervalMs)
{
    auto* timer = new QTimer(parent);
    // Named so that diagnostics (and tests) can tell the timers apart.
    timer->setObjectName(QString::fromLatin1(name));
    timer->setInterval(intervalMs);
    return timer;
}

QString kilobytesText(qint64 bytes)
{
    return QStringLiteral("%1 KB").arg(double(bytes) / 1024.0, 0, 'f', 1);
}

} // namespace

Application::Application(QObject* parent)
    : Application(nullptr, parent)
{ }

Application::Application(std::unique_ptr<TimeSource> time, QObject* parent)
    : QObject(parent)
    , m_products(new ProductRegistry(this))
    , m_managedDevices(new ManagedDevices(this))
    , m_sessions(new SessionManager(this))
    , m_hub(new TelemetryHub(this))
    , m_settings(new AppSettings(this))
    , m_recorder(new Recorder(this))
    , m_ymodem(new YModem(this))
    , m_catalog(new CommandCatalog(this))
    , m_ins(new InsBridge(this))
    , m_uiConfig(new UiConfig(this))
    , m_chartClock(new ChartClock(this))
    , m_clocks(std::move(time))
{
    // Probe results travel from the thread pool through futures.
    SerialProbe::registerMetaTypes();

    m_statsTimer = makeTimer(this, "statsTimer", kStatsIntervalMs);
    m_logFlushTimer = makeTimer(this, "logFlushTimer", kLogFlushIntervalMs);
    m_pollTimer = makeTimer(this, "pollTimer", 0);
    m_timedSendTimer = makeTimer(this, "timedSendTimer", 0);
    m_triggerTimer = makeTimer(this, "triggerTimer", kTriggerIntervalMs);
    m_reconnectTimer = makeTimer(this, "reconnectTimer", kReconnectIntervalMs);

    // Restores the saved current device and sets up the change relays.
    registerProducts();

    connect(m_uiConfig, &UiConfig::configChanged, this, &Application::applyUiConfigVisibility);
    // The factory page starts hidden; the menu says so before any profile is read, so that
    // it never offers a page that setCurrentNav would refuse.
    applyUiConfigVisibility();

    // The first page is set quietly: nothing listens yet.
    m_currentNav = m_products->navId(0);

    wireServices();

    m_clocks.startUptime();
    connect(m_statsTimer, &QTimer::timeout, this, &Application::onStatsTimer);
    connect(m_logFlushTimer, &QTimer::timeout, this, [this]() { flushInsLogBatch(false); });
    // The poll timer only keeps its interval for the pages that read pollMs; its tick has
    // no work to do.
    connect(m_timedSendTimer, &QTimer::timeout, this, &Application::timedSendTick);
    connect(m_triggerTimer, &QTimer::timeout, this, &Application::onTriggerTimer);
    connect(m_reconnectTimer, &QTimer::timeout, this, &Application::reconnectTick);
    connect(m_settings, &AppSettings::languageChanged, this, &Application::applyLanguage);
    connect(m_settings, &AppSettings::autoReconnectChanged, this, [this]() {
        if (!m_settings->autoReconnect())
            stopReconnect();
    });
    m_statsTimer->start();
    m_logFlushTimer->start();

    refreshPorts(false);

    m_deviceAlias = m_settings->store()->value(settingskeys::kDeviceAlias).toString();
}

// QObject drops every connection to this controller before it deletes the services, so
// sessions closing their links on the way out reach no handler here. Probes still running
// would hold their ports past the controller (and past the instance lock): stop them.
Application::~Application()
{
    stopProbes();
}

void Application::wireServices()
{
    connect(m_hub, &TelemetryHub::rawFrame, m_recorder, &Recorder::onRaw);
    connect(m_hub, &TelemetryHub::fullSnapshot, m_recorder, &Recorder::onSnapshot);
    connect(m_ins, &InsBridge::snapshotReady, m_hub, &TelemetryHub::publish);
    // What a stream changes on screen changes at the hub's pace, whatever the stream's
    // rate: the bridge's counters and texts, the charts' repaints and the link's byte
    // counts all wait for its tick, which then brings them in one frame.
    m_ins->setStatsPaced(true);
    m_chartClock->setPaced(true);
    connect(m_hub, &TelemetryHub::uiTick, m_ins, &InsBridge::showStats);
    connect(m_hub, &TelemetryHub::uiTick, m_chartClock, &ChartClock::tick);
    connect(m_hub, &TelemetryHub::uiTick, this, [this]() {
        if (m_linkStatsUnshown) {
            m_linkStatsUnshown = false;
            emit statsTick();
        }
    });
    // For the INS product the log renders the raw byte stream instead (raw-data page),
    // so single messages only go to the log for other products.
    connect(m_ins->model(), &RecDataModel::wireFrameForLog, this,
            [this](const QByteArray& frame, qint64) {
                if (m_products->currentProductId() != QLatin1String("ins"))
                    appendLogOnePacket(frame);
            });
    connect(m_ins->model(), &RecDataModel::wireFrameForLog, m_recorder,
            &Recorder::storeInsWireFrame);
    wireUpgradeFlow();
    wireConfigReadbacks();
    wireRecordingExport();
    wireNoiseAnalysis();
    wireReplay();
    wireForwarding();
}

void Application::setUpRelays()
{
    connect(m_settings, &AppSettings::customSerialBaudsChanged, this,
            &Application::serialBaudRatesChanged);
    for (auto signal : { &ManagedDevices::listChanged, &ManagedDevices::currentIdChanged }) {
        connect(m_managedDevices, signal, this, &Application::contextLinkTextChanged);
        connect(m_managedDevices, signal, this, &Application::deviceAliasChanged);
        connect(m_managedDevices, signal, this, &Application::globalStatusTextChanged);
    }
    connect(m_managedDevices, &ManagedDevices::currentIdChanged, this,
            &Application::managedDeviceLinkChanged);
    connect(m_sessions, &SessionManager::onlineCountChanged, this,
            &Application::globalStatusTextChanged);
    connect(m_sessions, &SessionManager::onlineCountChanged, this,
            &Application::managedDeviceLinkChanged);
    connect(this, &Application::connectingChanged, this, &Application::managedDeviceLinkChanged);
    connect(this, &Application::connectingChanged, this, &Application::contextLinkTextChanged);
    connect(this, &Application::connectingChanged, this,
            &Application::currentManagedConnectedChanged);
    for (auto signal : { &Application::pendingConnectChanged, &Application::connectHintChanged,
                         &Application::deviceAliasChanged, &Application::searchingChanged,
                         &Application::detectHintChanged, &Application::currentNavChanged })
        connect(this, signal, this, &Application::contextLinkTextChanged);
    connect(m_products, &ProductRegistry::currentProductChanged, this,
            &Application::contextLinkTextChanged);
}

// ---- errors and notices ----------------------------------------------------------------

void Application::setError(const QString& message)
{
    m_lastError = message;
    emit lastErrorChanged();
}

void Application::setUserNotice(const QString& message)
{
    m_userNotice = message;
    emit userNoticeChanged();
}

void Application::reportWorkEnded(bool ok, bool cancelled, const QString& message,
                                  const QString& warning)
{
    if (ok || cancelled)
        setUserNotice(message);
    else
        setError(message);
    if (ok && !warning.isEmpty())
        setError(warning);
}

bool Application::reportUnavailable(const char* operation)
{
    qCDebug(lcApp) << "operation not available in this build:" << operation;
    setError(tr("此功能尚未提供（%1）").arg(QLatin1String(operation)));
    return false;
}

// ---- timers ------------------------------------------------------------------------------

void Application::onStatsTimer()
{
    if (m_products->currentProductId() == QLatin1String("ins")) {
        if (Session* s = currentManagedSession(); s && s->isConnected()) {
            m_ins->tickRecTime(1);
            if (!replayActive() && m_ins->packetFre() > 0)
                m_liveRecordRate = m_ins->packetFre();
        }
    }
    emit statsTick();
}

void Application::onTriggerTimer()
{
    // The timer keeps running at zero; the text simply stays 00:00:00.
    m_clocks.countDownTrigger();
    emit statsTick();
}

void Application::setDataClock(std::function<double()> source)
{
    m_ins->setClock(source);
    m_chartClock->setSource(std::move(source));
}

QRect Application::screenAvailableGeometry(QWindow* window) const
{
    return availableGeometryOf(window);
}

void Application::setPollMs(int ms)
{
    if (ms > 0) {
        m_pollMs = ms;
        m_pollTimer->setInterval(ms);
        m_pollTimer->start();
    } else {
        m_pollMs = 0;
        m_pollTimer->stop();
    }
    emit pollMsChanged();
}

// ---- clocks ------------------------------------------------------------------------------

QString Application::runTimeText() const
{
    return m_clocks.runTimeText();
}

QString Application::computerTime() const
{
    return m_clocks.computerTime();
}

QString Application::stopwatchText() const
{
    return m_clocks.stopwatchText();
}

QString Application::triggerText() const
{
    return m_clocks.triggerText();
}

void Application::startStopwatch()
{
    if (m_clocks.startStopwatch())
        emit statsTick();
}

void Application::resetStopwatch()
{
    m_clocks.resetStopwatch();
    emit statsTick();
}

void Application::startTrigger(int seconds)
{
    if (seconds > 0) {
        m_clocks.setTriggerRemaining(seconds);
        m_triggerTimer->start();
    } else {
        m_clocks.setTriggerRemaining(0);
        m_triggerTimer->stop();
    }
    emit statsTick();
}

void Application::resetTrigger()
{
    m_triggerTimer->stop();
    m_clocks.setTriggerRemaining(0);
    emit statsTick();
}

// ---- status texts ------------------------------------------------------------------------

QString Application::rxText() const
{
    const Session* s = currentManagedSession();
    return kilobytesText(s ? s->rxBytes() : 0);
}

QString Application::txText() const
{
    const Session* s = currentManagedSession();
    return kilobytesText(s ? s->txBytes() : 0);
}

QString Application::globalStatusText() const
{
    if (replayActive())
        return tr("记录回放 · %1").arg(m_replay->fileName());
    const int n = m_managedDevices->count();
    if (n < 1)
        return tr("就绪 · 等待纳管设备");
    return tr("纳管 %n 台 · %1", "", n).arg(m_sessions->statusText());
}

bool Application::footerLinkActive() const
{
    return m_managedDevices->count() > 0 && m_sessions->onlineCount() > 0;
}

QString Application::appVersion() const
{
    return QStringLiteral(GCS_VERSION);
}

QString Application::aboutText() const
{
    return tr("TelvoMonitor\n版本 %1\n%2").arg(appVersion(), QString::fromUtf8(kCompanyName));
}

} // namespace gcs
