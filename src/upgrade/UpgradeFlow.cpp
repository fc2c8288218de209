#include "upgrade/UpgradeFlow.h"

#include "link/SerialTransport.h"
#include "link/Session.h"
#include "upgrade/YModem.h"

#include <QFileInfo>
#include <QLoggingCategory>

#include <utility>

Q_LOGGING_CATEGORY(lcUpgrade, "gcs.upgrade.flow", QtWarningMsg)

namespace gcs {

UpgradeFlow::UpgradeFlow(YModem* engine, SessionSource currentSession, QObject* parent)
    : QObject(parent)
    , m_engine(engine)
    , m_currentSession(std::move(currentSession))
{
    connect(m_engine, &YModem::finished, this, &UpgradeFlow::onEngineFinished);
    connect(m_engine, &YModem::endingBatchChanged, this, [this] {
        if (!m_engine->endingBatch() && m_awaitingBatchEnd)
            restoreLink();
    });
}

QString UpgradeFlow::upgradeFileName() const
{
    return QFileInfo(m_upgradeFile).fileName();
}

bool UpgradeFlow::acceptChosenFile(const QString& path)
{
    if (path.isEmpty())
        return false;
    m_upgradeFile = path;
    emit upgradeFileChanged();
    emit errorReported(QString());
    emit noticeReported(tr("已选择 %1，选好后再点复位并烧写").arg(upgradeFileName()));
    return true;
}

void UpgradeFlow::setUpgradeFile(const QString& path)
{
    if (path == m_upgradeFile)
        return;
    m_upgradeFile = path;
    emit upgradeFileChanged();
}

void UpgradeFlow::setHardwareReset(bool hardware)
{
    if (!m_engine->busy())
        storeResetMode(hardware);
}

void UpgradeFlow::storeResetMode(bool hardware)
{
    if (hardware == m_hardwareReset)
        return;
    m_hardwareReset = hardware;
    emit resetModeChanged();
}

bool UpgradeFlow::runsOn(const Session* session) const
{
    // A receive has no link of its own to restore: the engine's is the one.
    const ITransport* link = m_upgradeLink ? m_upgradeLink.data() : m_engine->transport();
    return session && link && session->transport() == link
        && (m_engine->busy() || m_engine->endingBatch());
}

void UpgradeFlow::sessionClosing(const Session* session)
{
    if (!runsOn(session))
        return;
    m_keepClosed = true;
    m_engine->cancel(); // while the port is still open, so that the boot loader hears it
}

void UpgradeFlow::sessionLeft(const Session* session)
{
    if (runsOn(session))
        m_engine->cancel();
}

void UpgradeFlow::linkLost(const Session* session)
{
    if (!runsOn(session))
        return;
    m_keepClosed = true;
    m_engine->abandon(tr("设备连接已断开，传输中止"));
}

void UpgradeFlow::syncYModemTransport()
{
    if (m_engine->busy())
        return;
    Session* session = m_currentSession ? m_currentSession() : nullptr;
    m_engine->attach(session && session->isConnected() ? session->transport() : nullptr);
}

SerialTransport* UpgradeFlow::currentSerialTransport() const
{
    Session* session = m_currentSession ? m_currentSession() : nullptr;
    ITransport* transport = session ? session->transport() : nullptr;
    if (!transport || transport->kind() != TransportKind::Serial)
        return nullptr;
    return qobject_cast<SerialTransport*>(transport);
}

bool UpgradeFlow::beginUpgradeSession(const QString& filePath)
{
    // A receiver still being answered after the last transfer is done with: its link
    // gets its rate back before this start looks at it.
    if (m_engine->endingBatch())
        m_engine->cancel();
    Session* session = m_currentSession ? m_currentSession() : nullptr;
    if (!session || !session->isConnected()) {
        emit errorReported(tr("请先连接串口后再升级固件"));
        return false;
    }
    ITransport* transport = session->transport();
    if (!transport || transport->kind() != TransportKind::Serial) {
        emit errorReported(tr("固件升级仅支持串口，且必须 115200 才能识别 C"));
        return false;
    }
    const QString path = filePath.isEmpty() ? m_upgradeFile : filePath;
    if (path.isEmpty()) {
        emit errorReported(tr("请先选择固件文件"));
        return false;
    }
    setUpgradeFile(path);
    syncYModemTransport();
    // A transfer already running keeps the rate it has to restore: the refused second
    // start must not overwrite it with the boot loader's rate.
    const bool alreadyRunning = m_engine->busy();
    if (!alreadyRunning) {
        m_upgradeRestoreBaud = transport->baudRate();
        m_upgradeLink = qobject_cast<SerialTransport*>(transport);
        m_keepClosed = false;
    }
    if (m_engine->startSend(path)) {
        // No queued command may follow the reset into the boot loader.
        transport->clearOutbound();
        return true;
    }
    if (!alreadyRunning) {
        m_upgradeRestoreBaud = 0;
        m_upgradeLink = nullptr;
    }
    emit errorReported(tr("无法开始升级，请确认固件文件可读"));
    return false;
}

bool UpgradeFlow::reopenSerialForBootloader()
{
    Session* session = m_currentSession ? m_currentSession() : nullptr;
    SerialTransport* serial
        = session && session->isConnected() ? currentSerialTransport() : nullptr;
    if (!serial) {
        emit errorReported(tr("固件升级仅支持串口"));
        return false;
    }
    // Reopening even at the same rate also throws away what the device sent while it
    // was resetting.
    if (!serial->reopenAt(kBootloaderBaud)) {
        emit errorReported(tr("无法在 115200 重开串口"));
        return false;
    }
    m_engine->attach(serial);
    // Closing the port empties neither the system's input queue nor what the engine took
    // in while the reset commands went out: the old firmware's output, at the old rate,
    // where a stray 'C' would send the header before the boot loader runs.
    m_engine->discardInbound();
    emit serialLinkChanged();
    return true;
}

bool UpgradeFlow::startUpgrade(const QString& filePath)
{
    if (!beginUpgradeSession(filePath))
        return false;
    storeResetMode(false);
    SerialTransport* serial = currentSerialTransport();
    if (!serial) {
        m_engine->cancel();
        return false;
    }
    const int baudBeforeReset = serial->baudRate();
    const bool vornSent = serial->sendBlocking(vornResetCommand());
    const bool cmdSent = serial->sendBlocking(cmdResetCommand());
    if (!vornSent && !cmdSent) {
        // The specific error first; the engine's "已取消" follows it.
        emit errorReported(tr("复位命令发送失败"));
        m_engine->cancel();
        return false;
    }
    if (!reopenSerialForBootloader()) {
        m_engine->cancel();
        return false;
    }
    m_engine->beginHandshake(m_handshakeMs);
    emit errorReported(QString());
    const QString notice = baudBeforeReset == kBootloaderBaud
        ? tr("已复位，115200 下 %1 秒内等待进入升级模式")
        : tr("已复位并在 115200 重开串口，%1 秒内等待进入升级模式");
    emit noticeReported(notice.arg((m_handshakeMs + 999) / 1000));
    return true;
}

bool UpgradeFlow::startPickedUpgrade()
{
    return startUpgrade(m_upgradeFile);
}

bool UpgradeFlow::startUpgradeAfterHardwareReset()
{
    if (!beginUpgradeSession(QString()))
        return false;
    storeResetMode(true);
    if (currentSerialTransport() && reopenSerialForBootloader()) {
        m_engine->beginHandshake(m_handshakeMs);
        emit errorReported(QString());
        emit noticeReported(tr("已在 115200 重开串口，请立即硬件复位，%1 秒内等待进入升级模式")
                                .arg((m_handshakeMs + 999) / 1000));
        return true;
    }
    m_engine->cancel();
    return false;
}

bool UpgradeFlow::startReceive(const QString& filePath)
{
    return m_engine->startReceive(filePath);
}

void UpgradeFlow::cancelUpgrade()
{
    m_engine->cancel();
}

void UpgradeFlow::onEngineFinished(bool ok, const QString& message)
{
    m_lastOk = ok;
    m_lastMessage = message;
    if (ok) {
        emit errorReported(QString());
        emit noticeReported(message);
    } else {
        emit errorReported(message);
    }
    if (ok && m_engine->endingBatch()) {
        // The unit has the whole image, which is said now; its rate comes back once it
        // has had the end of the batch, which goes out at the boot loader's rate.
        m_awaitingBatchEnd = true;
        return;
    }
    restoreLink();
}

void UpgradeFlow::restoreLink()
{
    m_awaitingBatchEnd = false;
    const int restoreBaud = std::exchange(m_upgradeRestoreBaud, 0);
    SerialTransport* serial = m_upgradeLink.data();
    m_upgradeLink = nullptr;
    const bool keepClosed = std::exchange(m_keepClosed, false);
    bool restoreFailed = false;
    if (restoreBaud > 0) {
        if (serial && serial->baudRate() != restoreBaud) {
            qCDebug(lcUpgrade) << "restoring" << restoreBaud << "baud";
            // A port that is closed, or being closed, only takes the rate for its next open.
            if (serial->isOpen() && !keepClosed)
                restoreFailed = !serial->reopenAt(restoreBaud);
            else
                serial->applyBaudRate(restoreBaud);
        }
        emit serialLinkChanged();
    }
    // A link that did not come back at its old rate is not "done": without this the user
    // would see only the success toast while the port stays closed.
    if (restoreFailed)
        emit errorReported(tr("升级结束，但无法以 %1 重开串口，请重新连接设备").arg(restoreBaud));
    emit upgradeFinished(m_lastOk, m_lastMessage);
}

} // namespace gcs
