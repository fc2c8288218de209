// The receiving side of the engine: packet framing, header, data blocks, EOT, end of batch.
#include "upgrade/YModem.h"

#include "upgrade/YModemProtocol.h"

#include <QCoreApplication>

#include <utility>

namespace gcs {

using namespace ymodem;

namespace {

QString writeFailedText()
{
    return QCoreApplication::translate("gcs::YModem", "写入接收文件失败");
}

} // namespace

bool YModem::startReceive(const QString& savePath)
{
    if (!m_transport || m_busy)
        return false;
    endBatch();
    m_file.close();
    m_file.setFileName(savePath);
    // Unbuffered: a failed write shows at once, before the block is acknowledged.
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
        emit finished(false, tr("无法创建接收文件"));
        return false;
    }
    resetTransferState();
    m_busy = true;
    m_receiving = true;
    m_state = ReceiveStart;
    m_progress = 0;
    emit busyChanged();
    emit progressChanged();
    setStatus(tr("已发送 C，等待文件头"));
    // Sent once: a sender that starts later finds it waiting on the line.
    sendCtrl(kCrcRequest);
    if (m_busy)
        m_deadline.start(m_inactivityLimitMs);
    return true;
}

void YModem::parseReceived()
{
    while (m_busy && m_receiving && !m_rxBuffer.isEmpty()) {
        const char c = m_rxBuffer.at(0);
        if (c == kCan) {
            m_rxBuffer.remove(0, 1);
            if (++m_cancelCount >= 2) {
                finish(false, tr("对端取消"));
                return;
            }
            continue;
        }
        m_cancelCount = 0;
        if (c == kEot) {
            m_rxBuffer.remove(0, 1);
            onReceivedEot();
            continue;
        }
        if (c != kSoh && c != kStx) {
            m_rxBuffer.remove(0, 1);
            continue;
        }
        const int blockSize = c == kSoh ? kShortBlock : kLongBlock;
        if (m_rxBuffer.size() < blockSize + kOverhead)
            return; // the rest of the packet is on its way
        const quint8 number = quint8(m_rxBuffer.at(1));
        const quint8 complement = quint8(m_rxBuffer.at(2));
        if ((number ^ complement) != 0xFF) {
            rejectPacket();
            continue;
        }
        const QByteArray data = m_rxBuffer.mid(3, blockSize);
        const quint16 crc = quint16((quint8(m_rxBuffer.at(3 + blockSize)) << 8)
                                    | quint8(m_rxBuffer.at(4 + blockSize)));
        m_rxBuffer.remove(0, blockSize + kOverhead);
        if (crc != crc16(data)) {
            rejectPacket();
            continue;
        }
        onReceivedPacket(number, data);
    }
}

void YModem::rejectPacket()
{
    // The sender sends nothing more until it has our answer, so everything buffered now
    // belongs to the damaged packet. Scanning it for start bytes would find stray ones and
    // answer each with another NAK, and every surplus answer sets the sender one block
    // ahead of us.
    m_rxBuffer.clear();
    sendCtrl(kNak);
}

void YModem::onReceivedEot()
{
    if (!m_eotSeen) {
        // The first EOT is refused: a lone byte of noise must not end the file, and a real
        // sender simply repeats it.
        m_eotSeen = true;
        sendCtrl(kNak);
        if (!m_busy)
            return;
        setStatus(tr("收到 EOT，等待确认"));
        renewInactivityLimit();
        return;
    }
    sendCtrl(kAck);
    if (!m_busy)
        return;
    sendCtrl(kCrcRequest);
    if (!m_busy)
        return;
    m_state = ReceiveEnd;
    setStatus(tr("等待结束空包"));
    renewInactivityLimit();
}

void YModem::onReceivedPacket(quint8 number, const QByteArray& data)
{
    // Block number 0 is a header only where a header is due. Inside a file it is the number
    // of blocks 256, 512, ... (block numbers count modulo 256).
    const bool headerDue = m_state == ReceiveStart || m_state == ReceiveEnd;
    if (number == 0 && headerDue) {
        if (isEndOfBatch(data)) {
            if (!flushHeldBlock(true) || !m_file.flush()) {
                sendCancelBytes();
                finish(false, writeFailedText());
                return;
            }
            sendCtrl(kAck);
            finish(true, tr("文件接收成功"));
            return;
        }
        if (m_state == ReceiveEnd) {
            // A second file in the batch. The one file asked for is complete; writing the
            // next one into it would spoil it, so the rest of the batch is refused.
            sendCancelBytes();
            finish(true, tr("文件接收成功"));
            return;
        }
        onReceivedHeader(data);
        return;
    }
    if (number == 0 && m_state == Receiving && m_blocksTaken == 0) {
        // The header once more: the sender missed our ACK and waits for ACK and 'C' again.
        sendCtrl(kAck);
        if (m_busy)
            sendCtrl(kCrcRequest);
        return;
    }
    if (number == quint8(m_lastBlock + 1)) {
        acceptDataBlock(number, data);
        return;
    }
    if (number == m_lastBlock && m_blocksTaken > 0) {
        // The sender repeated the block we already have because our ACK got lost.
        sendCtrl(kAck);
        return;
    }
    // Neither the next block nor a repeat: the block the sender skipped would be missing.
    sendCtrl(kNak);
}

void YModem::onReceivedHeader(const QByteArray& data)
{
    const Header header = parseHeader(data);
    m_fileSize = header.size;
    m_state = Receiving;
    m_lastBlock = 0;
    m_blocksTaken = 0;
    setStatus(tr("接收 %1").arg(QString::fromUtf8(header.name)));
    sendCtrl(kAck);
    if (!m_busy)
        return;
    sendCtrl(kCrcRequest);
    renewInactivityLimit();
}

void YModem::acceptDataBlock(quint8 number, const QByteArray& data)
{
    m_state = Receiving;
    m_eotSeen = false; // data after an EOT shows that EOT was noise
    m_lastBlock = number;
    ++m_blocksTaken;
    if (m_fileSize > 0) {
        const qint64 room = qMax<qint64>(0, m_fileSize - m_bytesReceived);
        const QByteArray part = data.left(qsizetype(qMin<qint64>(data.size(), room)));
        if (!writeReceived(part)) {
            sendCancelBytes();
            finish(false, writeFailedText());
            return;
        }
        m_bytesReceived += part.size();
        setProgress(int(m_bytesReceived * 100 / m_fileSize));
    } else {
        // Without a size only the last block's padding can be told from data, and which
        // block is the last shows only at EOT: hold each block until the next one comes.
        if (!flushHeldBlock(false)) {
            sendCancelBytes();
            finish(false, writeFailedText());
            return;
        }
        m_heldBlock = data;
        m_bytesReceived += data.size();
        setProgress(0);
    }
    sendCtrl(kAck);
    if (!m_busy)
        return;
    setStatus(tr("已收 %1 字节").arg(m_bytesReceived));
    renewInactivityLimit();
}

bool YModem::writeReceived(const QByteArray& data)
{
    if (data.isEmpty())
        return true;
    return m_file.write(data) == data.size();
}

bool YModem::flushHeldBlock(bool last)
{
    QByteArray block = std::exchange(m_heldBlock, QByteArray());
    if (last) {
        qsizetype end = block.size();
        while (end > 0 && block.at(end - 1) == '\0')
            --end;
        m_bytesReceived -= block.size() - end;
        block.truncate(end);
    }
    return writeReceived(block);
}

} // namespace gcs
