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
    endBatch();
    m_file.close();
    m_file.setFileName(filePath);
    if (QFileInfo(filePath).isDir() || !m_file.open(QIODevice::ReadOnly)) {
        m_file.close();
        emit finished(false, tr("无法打开固件文件"));
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
    setStatus(tr("准备等待升级模式"));
    return true;
}

namespace {

bool isAnswer(char c)
{
    return c == kAck || c == kNak || c == kCrcRequest || c == kCan;
}

// Nothing but answers and line ends: a receiver talking, whatever came before it.
bool isCleanAnswer(const QByteArray& chunk)
{
    for (const char c : chunk) {
        if (!isAnswer(c) && c != '\r' && c != '\n')
            return false;
    }
    return true;
}

} // namespace

void YModem::scanSenderBytes(const QByteArray& chunk)
{
    // The first answer of a read is acted on and the other bytes are skipped, as long as the
    // line is not busy with something else (kAnswerSlack).
    const bool clean = isCleanAnswer(chunk);
    if (m_state == WaitingForC && !takesHandshakeRead(clean))
        return;
    // Once the EOT is acknowledged the new firmware may be talking: a later read asks for
    // the end of the batch only when it holds nothing else.
    const bool eotAckedBefore = m_endingBatch;
    for (const char c : chunk) {
        if (!m_busy && !m_endingBatch)
            return;
        if (c == kCan) {
            // A cancel counts even in noise: a device that gives up often sends CAN CAN and
            // then restarts. Once the EOT is acknowledged the image is delivered, and a
            // cancel is only the receiver (or the new firmware) talking.
            if (m_busy && ++m_cancelCount >= 2) {
                finish(false, tr("设备取消"));
                return;
            }
            continue;
        }
        m_cancelCount = 0;
        if (m_state == WaitingForC) {
            if (c == kCrcRequest) {
                onHandshakeC();
                return; // the rest of the chunk is from before the header went out
            }
            continue;
        }
        if (!isAnswer(c)) {
            ++m_strayBytes;
            continue;
        }
        if (!clean && (eotAckedBefore || m_strayBytes > kAnswerSlack))
            continue;
        // Once a reply has been acted on, what follows in the same chunk answers an older
        // packet (a repeated NAK or ACK); acting on it would put a second block in flight.
        if (onSenderByte(c))
            return;
    }
}

bool YModem::takesHandshakeRead(bool clean)
{
    // The old firmware may still be talking after the reopen: until the reset command
    // reaches it, and in the hardware mode until the user's hand resets the unit. Its
    // output (frames, sentences, or noise at another rate) holds 'C' and CAN bytes by
    // chance. A boot loader asks on a quiet line, so a read with other bytes in it, and a
    // 'C' that follows such a read closely, is that talk and not the request.
    const bool quiet
        = !m_handshakeNoise.isValid() || m_handshakeNoise.elapsed() >= kQuietBeforeRequestMs;
    if (!clean)
        m_handshakeNoise.start();
    return clean && quiet;
}

bool YModem::onSenderByte(char c)
{
    if (m_endingBatch)
        return onEndOfBatchByte(c);
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
        if (c == kNak) {
            sendCtrl(kEot);
            return true;
        }
        if (c == kAck) {
            // The receiver's request for the next header often shares the read.
            completeSend();
            return false;
        }
    }
    return false;
}

bool YModem::onEndOfBatchByte(char c)
{
    if (c == kAck) {
        if (m_endOfBatchSends == 0)
            return false; // a repeated answer to the EOT
        endBatch();
        return true;
    }
    // 'C' asks for the next header; a 'C' or NAK after it means the header was missed.
    if (c == kCrcRequest || (c == kNak && m_endOfBatchSends > 0)) {
        if (m_endOfBatchSends < kEndOfBatchSends)
            sendEndOfBatch();
        return true;
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
    setStatus(tr("设备已进入升级模式，发送文件头"));
    const QString name = QFileInfo(m_file.fileName()).fileName();
    if (!sendPacket(0, headerData(name, m_fileSize))) {
        finish(false, tr("发送初始包失败"));
        return;
    }
    if (!m_busy)
        return;
    m_deadline.start(m_inactivityLimitMs);
    setStatus(tr("文件头已发送，等待设备确认"));
}

bool YModem::readNextChunk()
{
    // The image is what the header announced, no more and no less. A file that another
    // program replaces or cuts while it is sent reads short (or goes on past its end), and
    // an EOT then would hand the device a broken image as if it were complete. Once the
    // announced size is reached, one byte more is asked for: the file must end there.
    const qint64 wanted = qMin<qint64>(kLongBlock, qMax<qint64>(m_fileSize - m_file.pos(), 0));
    m_file.unsetError();
    m_chunk = m_file.read(wanted > 0 ? wanted : 1);
    QString failure;
    if (m_file.error() != QFileDevice::NoError)
        failure = tr("读取固件文件失败");
    else if (m_chunk.size() != wanted)
        failure = tr("固件文件在发送中被改动（开始时 %1 字节，现在 %2 字节）")
                      .arg(QString::number(m_fileSize), QString::number(m_file.size()));
    if (failure.isEmpty())
        return true;
    sendCancelBytes();
    finish(false, failure);
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
            setStatus(tr("发送 EOT"));
        return;
    }
    sendPacket(1, m_chunk);
    if (!m_busy)
        return;
    m_nextBlock = 2;
    setStatus(tr("发送数据包 %1").arg(1));
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
        setStatus(tr("发送数据包 %1").arg(number));
        return;
    }
    m_state = EotSent;
    sendCtrl(kEot);
    if (m_busy)
        setStatus(tr("发送 EOT"));
}

void YModem::completeSend()
{
    // The receiver has confirmed the whole image: that is the success, whatever follows.
    // It may still ask for the empty header that ends the batch; the owner no longer
    // routes the link's bytes here, so the engine listens to the transport itself.
    m_deadline.stop();
    setProgress(100);
    m_endingBatch = true;
    m_endOfBatchSends = 0;
    if (m_transport)
        m_batchListener
            = connect(m_transport, &ITransport::bytesReceived, this, &YModem::onEndingBatchBytes);
    m_batchWait.start(kEndOfBatchWaitMs);
    emit endingBatchChanged();
    finish(true, tr("文件发送成功"));
}

void YModem::onEndingBatchBytes(const QByteArray& bytes)
{
    if (!m_endingBatch || m_busy)
        return;
    m_pending.append(bytes);
    if (m_sendDepth == 0 && !m_draining)
        drain();
}

void YModem::sendEndOfBatch()
{
    // The answer is awaited for a bounded time; a repeated request gets the header again
    // without extending that time.
    if (m_endOfBatchSends++ == 0)
        m_batchWait.start(kEndOfBatchAnswerWaitMs);
    if (!sendPacket(0, endOfBatchData()))
        endBatch(); // the link is gone
}

void YModem::endBatch()
{
    if (!m_endingBatch)
        return;
    m_endingBatch = false;
    m_batchWait.stop();
    disconnect(m_batchListener);
    if (!m_busy)
        m_pending.clear();
    emit endingBatchChanged();
}

} // namespace gcs
