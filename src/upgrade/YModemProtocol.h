#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace gcs::ymodem {

// Control bytes of the XMODEM family.
constexpr char kSoh = 0x01; ///< starts a 128-byte block
constexpr char kStx = 0x02; ///< starts a 1024-byte block
constexpr char kEot = 0x04;
constexpr char kAck = 0x06;
constexpr char kNak = 0x15;
constexpr char kCan = 0x18;
constexpr char kCrcRequest = 'C'; ///< receiver asks for a block with CRC-16

constexpr int kShortBlock = 128;
constexpr int kLongBlock = 1024;
/// Start byte, block number, its complement, data, CRC high, CRC low.
constexpr int kOverhead = 5;
constexpr int kShortPacket = kShortBlock + kOverhead;
constexpr int kLongPacket = kLongBlock + kOverhead;

/// CRC-16/XMODEM: polynomial 0x1021, initial value 0, no reflection, no final XOR.
quint16 crc16(const QByteArray& data);

/// One packet for block `number` (modulo 256). Up to 128 bytes go into a 128-byte block,
/// longer data (at most 1024 bytes) into a 1024-byte block; the rest is padded with 0x00.
QByteArray packet(quint8 number, const QByteArray& data);

/// Data of block 0 announcing a file: base name in UTF-8, 0x00, decimal size, 0x00.
QByteArray headerData(const QString& fileName, qint64 size);

/// The empty block 0 that ends a batch: 128 zero bytes.
QByteArray endOfBatchData();

/// What a received block 0 announces.
struct Header
{
    QByteArray name; ///< raw bytes before the first 0x00 (UTF-8 by convention)
    qint64 size = 0; ///< 0 when the sender gave none or it cannot be read
};

/// Reads the name and size of a header block. The size field is the first blank-separated
/// word after the name: senders commonly add modification time, mode and serial number
/// after it ("1030 14567523672 100644 0").
Header parseHeader(const QByteArray& data);

/// True for the batch-ending block 0: empty data or a first byte of 0x00.
bool isEndOfBatch(const QByteArray& data);

} // namespace gcs::ymodem
