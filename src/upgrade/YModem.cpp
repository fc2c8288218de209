#include "upgrade/YModem.h"

#include "link/ITransport.h"
#include "upgrade/YModemProtocol.h"

#include <QLoggingCategory>

#include <utility>

Q_LOGGING_CATEGORY(lcYModem, "gcs.upgrade.ymodem", QtWarningMsg)

namespace gcs {

YModem::YModem(QObject* parent)
    : QObject(parent)
{
    m_deadline.setSingleShot(true);
    m_batchWait.setSingleShot(true);
    m_countdown.setInterval(kCountdownIntervalMs);
    m_poll.setInterval(kPollIntervalMs);
    connect(&m_deadline, &QTimer::timeout, this, &YModem::onDeadline);
    connect(&m_countdown, &QTimer::timeout, this, &YModem::onCountdownTick);
    connect(&m_poll, &QTimer::timeout, this, &YModem::pollInbound);
    connect(&m_batchWait, &QTimer::timeout, this, &YModem::endBatch);
}

YModem::~YModem() = default;

void YModem::attach(ITransport* transport)
{
    if (transport != m_transport)
        endBatch(); // the receiver is on the old link
    m_transport = transport;
}

quint16 YModem::crc16(const QByteArray& data)
{
    return ymodem::crc16(data);
}

void YModem::setInactivityLimitMs(int ms)
{
    m_inactivityLimitMs = ms > 0 ? ms : kInactivityLimitMs;
}

void YModem::resetTransferState()
{
    m_nextBlock = 0;
    m_headerAcked = false;
    m_endOfBatchSends = 0;
    m_strayBytes = 0;
    m_chunk.clear();
    m_lastPacket.clear();
    m_fileSize = 0;
    m_bytesSent = 0;
    m_bytesReceived = 0;
    m_rxBuffer.clear();
    m_eotSeen = false;
    m_lastBlock = 0;
    m_blocksTaken = 0;
    m_heldBlock.clear();
    m_pending.clear();
    m_draining = false;
    m_sendDepth = 0;
    m_cancelCount = 0;
    m_handshakeBytes = 0;
    m_handshakeCapture.clear();
    m_handshakeNoise.invalidate();
}

void YModem::beginHandshake(int ms)
{
    if (!m_busy || m_state != Prepared)
        return;
    m_state = WaitingForC;
    m_cancelCount = 0;
    int window = ms;
    int countdown = 0;
    if (ms < 1) {
        window = kDefaultHandshakeMs;
        countdown = kDefaultHandshakeMs / 1000;
    } else if (ms <= 1000) {
        countdown = 1;
    } else {
        countdown = (ms + 999) / 1000;
    }
    setHandshakeRemain(countdown);
    refreshHandshakeStatus();
    emit waitingForCChanged();
    m_deadline.start(window);
    m_countdown.start();
    m_poll.start();
    pollInbound();
    // Bytes that arrived while Prepared (a 'C' the boot loader sent early) count now.
    if (m_busy && m_state == WaitingForC && !m_draining && m_sendDepth == 0)
        drain();
}

void YModem::onRx(const QByteArray& bytes)
{
    if (!m_busy || bytes.isEmpty())
        return;
    if (m_state == Prepared || m_state == WaitingForC) {
        m_handshakeBytes += int(bytes.size());
        const qsizetype room = kCaptureLimit - m_handshakeCapture.size();
        if (room > 0)
            m_handshakeCapture.append(bytes.left(room));
    }
    m_pending.append(bytes);
    if (m_state == Prepared) {
        if (m_pending.size() > kPreparedBufferLimit)
            m_pending.remove(0, m_pending.size() - kPreparedBufferLimit);
        return;
    }
    if (m_sendDepth > 0 || m_draining)
        return;
    drain();
}

void YModem::pollInbound()
{
    if (!m_busy || m_state != WaitingForC || !m_transport)
        return;
    // The base transport returns nothing here, so asking any transport is harmless.
    announceHeld(m_transport->readInbound());
}

void YModem::discardInbound()
{
    if (m_transport)
        m_transport->discardInbound();
    m_pending.clear();
    m_handshakeBytes = 0;
    m_handshakeCapture.clear();
    m_handshakeNoise.invalidate();
}

void YModem::announceHeld(const QByteArray& bytes)
{
    // Bytes the transport has read without announcing them are announced now as its own,
    // so that they take the road every received chunk takes: the session counts them and
    // the owner hands them to onRx (or, at the end of a batch, the engine hears them).
    if (!bytes.isEmpty() && m_transport)
        emit m_transport->bytesReceived(bytes);
}

void YModem::drain()
{
    if (m_draining)
        return;
    m_draining = true;
    while (!m_pending.isEmpty()) {
        if ((!m_busy && !m_endingBatch) || m_sendDepth > 0)
            break; // a send in progress drains once it returns
        const QByteArray chunk = std::exchange(m_pending, QByteArray());
        if (m_receiving) {
            m_rxBuffer.append(chunk);
            parseReceived();
        } else {
            scanSenderBytes(chunk);
        }
    }
    m_draining = false;
}

bool YModem::sendBytes(const QByteArray& bytes)
{
    if (!m_transport)
        return false;
    m_strayBytes = 0; // a new question to the receiver
    ++m_sendDepth;
    const bool ok = m_transport->sendBlocking(bytes);
    // A cancel inside the send (the event loop may run there) has reset the counter.
    if (m_sendDepth > 0)
        --m_sendDepth;
    // A serial port that reads while it waits for the write to finish does not announce
    // what it read when the write itself runs inside its read notification (which is where
    // the answers to the previous packet come from). Left there, the peer's answer would
    // wait for the next byte to arrive; collect it now.
    const bool listening = m_busy || m_endingBatch;
    if (listening && m_transport)
        announceHeld(m_transport->readInbound());
    if (!m_draining && listening && m_state != Prepared)
        drain();
    return ok;
}

bool YModem::sendPacket(quint8 number, const QByteArray& data)
{
    m_lastPacket = ymodem::packet(number, data);
    return sendBytes(m_lastPacket);
}

bool YModem::sendCtrl(char c)
{
    return sendBytes(QByteArray(1, c));
}

void YModem::sendCancelBytes()
{
    if (!m_transport)
        return;
    // The transfer ends right after this; whatever arrives during the write is stale.
    ++m_sendDepth;
    m_transport->sendBlocking(QByteArray(2, ymodem::kCan));
    if (m_sendDepth > 0)
        --m_sendDepth;
}

void YModem::cancel()
{
    endBatch();
    if (!m_busy)
        return;
    sendCancelBytes();
    finish(false, tr("已取消"));
}

void YModem::abandon(const QString& reason)
{
    endBatch();
    finish(false, reason);
}

void YModem::finish(bool ok, const QString& message)
{
    if (!m_busy)
        return;
    m_deadline.stop();
    m_countdown.stop();
    m_poll.stop();
    if (m_receiving && !m_heldBlock.isEmpty())
        flushHeldBlock(true);
    m_file.close();
    const State oldState = m_state;
    m_state = Idle;
    m_busy = false;
    m_receiving = false;
    m_rxBuffer.clear();
    m_cancelCount = 0;
    if (!m_endingBatch) {
        // Nothing more is read; at the end of a batch the read under way goes on.
        m_pending.clear();
        m_draining = false;
        m_sendDepth = 0;
    }
    setHandshakeRemain(0);
    m_handshakeBytes = 0;
    m_handshakeCapture.clear();
    qCDebug(lcYModem) << "finished" << ok << message;
    emit busyChanged();
    if (oldState == WaitingForC)
        emit waitingForCChanged();
    setStatus(message);
    emit finished(ok, message);
}

void YModem::renewInactivityLimit()
{
    if (m_busy && m_state != Prepared && m_state != WaitingForC)
        m_deadline.start(m_inactivityLimitMs);
}

void YModem::setStatus(const QString& text)
{
    if (m_statusText == text)
        return;
    m_statusText = text;
    emit statusTextChanged();
}

void YModem::setProgress(int value)
{
    m_progress = value;
    emit progressChanged();
}

void YModem::setHandshakeRemain(int seconds)
{
    if (m_handshakeRemain == seconds)
        return;
    m_handshakeRemain = seconds;
    emit handshakeRemainChanged();
}

void YModem::refreshHandshakeStatus()
{
    if (!m_busy || m_state != WaitingForC)
        return;
    if (m_handshakeBytes == 0)
        setStatus(tr("等待设备进入升级模式"));
    else
        setStatus(tr("已收 %1 字节，尚未进入升级模式").arg(m_handshakeBytes));
}

void YModem::onCountdownTick()
{
    if (!m_busy || m_state != WaitingForC) {
        m_countdown.stop();
        return;
    }
    const int left = m_deadline.remainingTime();
    setHandshakeRemain(left > 0 ? (left + 999) / 1000 : 0);
    refreshHandshakeStatus();
}

void YModem::onDeadline()
{
    if (!m_busy)
        return;
    if (m_state == WaitingForC)
        finish(false, handshakeTimeoutMessage());
    else
        finish(false, tr("传输超时"));
}

QString YModem::handshakeTimeoutMessage() const
{
    // Whole sentences, so that each reads right in every language.
    if (m_handshakeCapture.isEmpty())
        return tr("限时内未进入升级模式（串口共 %1 字节，无数据：请确认已复位且串口为 115200)")
            .arg(m_handshakeBytes);
    const QString shown
        = QString::fromLatin1(m_handshakeCapture.left(kCaptureShown).toHex(' ')).trimmed();
    if (m_handshakeCapture.contains(ymodem::kCrcRequest))
        return tr("限时内未进入升级模式（串口共 %1 字节，片段 %2)")
            .arg(m_handshakeBytes)
            .arg(shown);
    return tr("限时内未进入升级模式（串口共 %1 字节，片段 %2；有数据但未识别到升级握手，"
              "请核对波特率或复位时机)")
        .arg(m_handshakeBytes)
        .arg(shown);
}

} // namespace gcs
