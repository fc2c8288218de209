// The sending side of the engine: handshake, header, data blocks, EOT, end of batch.
#include "upgrade/YModem.h"

#include "upgrade/YModemProtocol.h"

#include <QFileInfo>

namespace gcs {

using namespace ymodem;

bool YModem::startSend(const QString& filePath)
{
    if (!m_transport || m_busy)
        return false;
    m_file.close();
    m_file.setFileName(filePath);
    if (QFileInfo(filePath).isDir() || !m_file.open(QIODevice::ReadOnly)) {
        m_file.close();
        emit finished(false, QStringLiteral("无法打开固件文件"));
        return false;
    }
    resetTransferState();
    m_receiving = false;
    m_state = Prepared;
    m_progress = 0;
    m_busy = true;
    m_fileSize = m_file.size();
    emit busyChanged();
    emit progressChanged();
    setHandshakeRemain(0);
    setStatus(QStringLiteral("准备等待升级模式"));
    return true;
}

namespace {

// During a transfer a receiver sends nothing but these. A chunk with anything else in it
// is line noise (a device still running its firmware at another rate, say), and the
// ACK, 'C' or CAN bytes that noise contains by chance must not drive the transfer.
bool isReceiverAnswer(const QByteArray& chunk)
{
    for (const char c : chunk) {
        if (c != kAck && c != kNak && c != kCrcRequest && c != kCan)
            return false;
    }
    return true;
}

} // namespace

void YModem::scanSenderBytes(const QByteArray& chunk)
{
    // In noise only a cancel still counts: a device that gives up often sends CAN CAN and
    // then restarts, and what it sends while restarting may share the chunk.
    const bool answersCount = m_state == WaitingForC || isReceiverAnswer(chunk);
    for (const char c : chunk) {
        if (!m_busy)
            return;
        if (c == kCan) {
            if (++m_cancelCount >= 2) {
                finish(false, QStringLiteral("设备取消"));
                return;
            }
            continue;
        }
        m_cancelCount = 0;
        if (!answersCount)
            continue;
        if (m_state == WaitingForC) {
            if (c == kCrcRequest) {
                onHandshakeC();
                return; // the rest of the chunk is from before the header went out
            }
            continue;
        }
        if (c != kAck && c != kNak && c != kCrcRequest && c != kEot)
            continue;
        // Once a reply has been acted on, what follows in the same chunk answers an older
        // packet (a repeated NAK or ACK); acting on it would put a second block in flight.
        if (onSenderByte(c))
            return;
    }
}

bool YModem::onSenderByte(char c)
{
    if (m_state == Sending) {
        if (c == kAck) {
            if (m_nextBlock == 1) {
                // The header is confirmed; data starts at the receiver's 'C', which often
                // arrives in the same chunk, so keep looking.
                if (!m_headerAcked) {
                    m_headerAcked = true;
                    renewInactivityLimit();
                }
                return false;
            }
            onDataAck();
            return true;
        }
        if (c == kCrcRequest) {
            if (m_nextBlock == 2) {
                // A receiver repeats its 'C' until the first data block arrives: it did
                // not get block 1 (rb, for one, can lose a block that comes too soon).
                sendBytes(m_lastPacket);
                return true;
            }
            if (m_nextBlock != 1)
                return false;
            if (!m_headerAcked) {
                // A 'C' instead of an ACK: the receiver is still asking for the header
                // (it missed it, or it was sent on a stale 'C' before the boot loader ran).
                sendBytes(m_lastPacket);
                return true;
            }
            startData();
            return true;
        }
        if (c == kNak) {
            sendBytes(m_lastPacket);
            return true;
        }
        return false;
    }
    if (m_state == EotSent) {
        if (m_eotAcked && !m_endOfBatchSent) {
            if (c != kCrcRequest)
                return false;
            sendEndOfBatch(kEndOfBatchAnswerWaitMs);
            return true;
        }
        if (m_eotAcked) {
            if (c == kAck) {
                completeSend();
                return true;
            }
            if (c != kCrcRequest && c != kNak)
                return false;
            // The receiver missed the empty header and asks again.
            sendBytes(m_lastPacket);
            return true;
        }
        if (c == kNak) {
            sendCtrl(kEot);
            return true;
        }
        if (c == kAck) {
            // The receiver asks for the next header with 'C' and may throw away what comes
            // before it (it clears its line first), so the empty header waits for that 'C'.
            m_eotAcked = true;
            m_deadline.start(kEndOfBatchWaitMs);
            return false;
        }
    }
    return false;
}

void YModem::onHandshakeC()
{
    m_deadline.stop();
    m_countdown.stop();
    m_poll.stop();
    setHandshakeRemain(0);
    m_state = Sending;
    emit waitingForCChanged();
    m_nextBlock = 1;
    m_headerAcked = false;
    setStatus(QStringLiteral("设备已进入升级模式，发送文件头"));
    const QString name = QFileInfo(m_file.fileName()).fileName();
    if (!sendPacket(0, headerData(name, m_fileSize))) {
        finish(false, QStringLiteral("发送初始包失败"));
        return;
    }
    if (!m_busy)
        return;
    m_deadline.start(m_inactivityLimitMs);
    setStatus(QStringLiteral("文件头已发送，等待设备确认"));
}

bool YModem::readNextChunk()
{
    m_file.unsetError();
    m_chunk = m_file.read(kLongBlock);
    if (m_file.error() == QFileDevice::NoError)
        return true;
    // Sending EOT now would hand the device a truncated image as if it were complete.
    sendCancelBytes();
    finish(false, QStringLiteral("读取固件文件失败"));
    return false;
}

void YModem::startData()
{
    renewInactivityLimit();
    if (!readNextChunk())
        return;
    if (m_chunk.isEmpty()) {
        m_state = EotSent;
        sendCtrl(kEot);
        if (m_busy)
            setStatus(QStringLiteral("发送 EOT"));
        return;
    }
    sendPacket(1, m_chunk);
    if (!m_busy)
        return;
    m_nextBlock = 2;
    setStatus(QStringLiteral("发送数据包 %1").arg(1));
}

void YModem::onDataAck()
{
    m_bytesSent = qMin(qint64(m_nextBlock - 1) * kLongBlock, m_fileSize);
    setProgress(m_fileSize > 0 ? int(m_bytesSent * 100 / m_fileSize) : 100);
    renewInactivityLimit();
    if (!readNextChunk())
        return;
    if (!m_chunk.isEmpty()) {
        const int number = m_nextBlock;
        sendPacket(quint8(number & 0xFF), m_chunk);
        if (!m_busy)
            return;
        ++m_nextBlock;
        setStatus(QStringLiteral("发送数据包 %1").arg(number));
        return;
    }
    m_state = EotSent;
    sendCtrl(kEot);
    if (m_busy)
        setStatus(QStringLiteral("发送 EOT"));
}

void YModem::sendEndOfBatch(int answerWaitMs)
{
    m_endOfBatchSent = true;
    sendPacket(0, endOfBatchData());
    if (!m_busy)
        return;
    setProgress(100);
    // The file is complete either way; the answer is awaited only for a bounded time, and
    // a repeated 'C' or NAK meanwhile gets the header again without extending that time.
    m_deadline.start(answerWaitMs);
}

void YModem::completeSend()
{
    m_deadline.stop();
    setProgress(100);
    finish(true, QStringLiteral("文件发送成功"));
}

} // namespace gcs
