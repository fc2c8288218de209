// Replaying recordings: a recording opened as the current link, and ending it. While it
// plays, its session is the current one, its bytes are the telemetry and its position is
// the data clock; the pages never learn the difference.

#include "app/Application.h"

#include "app/ReceiveRouting.h"
#include "catalog/AppSettings.h"
#include "catalog/ManagedDevices.h"
#include "catalog/ProductRegistry.h"
#include "ins/InsBridge.h"
#include "ins/RecDataModel.h"
#include "ins/TelemetryHub.h"
#include "link/Session.h"
#include "link/SessionManager.h"
#include "record/Recorder.h"
#include "replay/ReplayController.h"
#include "replay/ReplayTransport.h"
#include "upgrade/UpgradeFlow.h"
#include "upgrade/YModem.h"

#include <QFileInfo>
#include <QPointer>

namespace gcs {

namespace {

/// The chart window: the time a seek hands on first. Bounded here too, as the stored value
/// is read as the settings file has it.
double prerollMs(const AppSettings* settings)
{
    return 1000.0
        * qBound(AppSettings::kMinChartWindowSec, settings->chartWindowSec(),
                 AppSettings::kMaxChartWindowSec);
}

} // namespace

void Application::wireReplay()
{
    m_replay = new ReplayController(this);
    // The replay's session may also go another way (a link that replaces every session):
    // the live state comes back all the same.
    connect(m_replay, &ReplayController::activeChanged, this, [this]() {
        if (!m_replay->active() && m_products->replayMode())
            endReplayState();
    });
}

bool Application::replayActive() const
{
    return m_replay && m_replay->active();
}

Session* Application::replaySession() const
{
    return replayActive() ? m_sessions->session(ReceiveRouting::replayId()) : nullptr;
}

bool Application::openReplayFile()
{
    const QString path = pickOpenFile(tr("打开记录"), tr("记录文件 (*.txt *.bin);;所有文件 (*)"));
    return !path.isEmpty() && openReplay(path);
}

bool Application::openReplay(const QString& path)
{
    if (path.trimmed().isEmpty())
        return false;
    if (m_ymodem->busy()) {
        setError(tr("固件升级进行中，无法打开记录"));
        return false;
    }
    if (!QFileInfo(path).isFile()) {
        setError(tr("记录文件不存在：%1").arg(path));
        return false;
    }
    // The live link gives way, as when entering another device; a recording of it ends
    // with it.
    if (!replayActive() && currentManagedConnected() && m_ins->packetFre() > 0)
        m_liveRecordRate = m_ins->packetFre();
    if (m_recorder->recording())
        stopRecord();
    closeReplay();
    const QString deviceId = m_managedDevices->currentId();
    if (!deviceId.isEmpty())
        disconnectSession(deviceId);
    else
        disconnectPrimary();

    auto transport = std::make_unique<ReplayTransport>(path);
    ReplayTransport* replay = transport.get();
    replay->setRecordRate(m_liveRecordRate > 0 ? m_liveRecordRate
                                               : ReplayTransport::kDefaultRecordRate);
    replay->setPrerollMs(prerollMs(m_settings));
    m_replay->attach(replay);
    m_products->setReplayMode(true);
    // A transport that does not open goes with its session; the state goes back then.
    if (!openSession(ReceiveRouting::replayId(), tr("回放"), std::move(transport), true))
        return false;

    // The charts and the bridge's record times run on the recording's time.
    const QPointer<ReplayTransport> guard(replay);
    const std::function<double()> clock = [guard]() { return guard ? guard->clockSeconds() : 0.0; };
    setDataClock(clock);
    // The stream starts elsewhere: half a message of the old place is no message, and the
    // charts start afresh on the new time. The time a seek hands on first (thinned) is
    // not counted.
    connect(replay, &ReplayTransport::rewound, this, [this, clock]() {
        m_ins->model()->resetParseBuffer();
        setDataClock(clock);
    });
    connect(replay, &ReplayTransport::seeked, m_ins, &InsBridge::resetStats);
    connect(m_settings, &AppSettings::chartWindowSecChanged, replay,
            [this, replay]() { replay->setPrerollMs(prerollMs(m_settings)); });

    if (!m_products->isNavAvailable(m_currentNav))
        openDefaultProductPage();
    emit managedDeviceLinkChanged();
    emit globalStatusTextChanged();
    setError(QString());
    setUserNotice(tr("正在回放：%1").arg(replay->fileName()));
    replay->play();
    return true;
}

void Application::closeReplay()
{
    if (!replayActive())
        return;
    // The transport goes with its session; the controller object notices and the live
    // state comes back (wireReplay).
    m_sessions->remove(ReceiveRouting::replayId());
}

void Application::endReplayState()
{
    m_products->setReplayMode(false);
    setDataClock(nullptr);
    resetTelemetry();
    if (!m_products->isNavAvailable(m_currentNav))
        openDefaultProductPage();
    m_upgradeFlow->syncYModemTransport();
    emitLinkTextsChanged();
    emit managedDeviceLinkChanged();
    emit globalStatusTextChanged();
}

} // namespace gcs
