#include "upgrade/YModemProtocol.h"

#include <array>

namespace gcs::ymodem {

namespace {

constexpr std::array<quint16, 256> makeCrcTable()
{
    std::array<quint16, 256> table {};
    for (int i = 0; i < 256; ++i) {
        quint16 crc = quint16(i << 8);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 0x8000) ? quint16((crc << 1) ^ 0x1021) : quint16(crc << 1);
        table[size_t(i)] = crc;
    }
    return table;
}

constexpr std::array<quint16, 256> kCrcTable = makeCrcTable();

} // namespace

quint16 crc16(const QByteArray& data)
{
    quint16 crc = 0;
    for (const char c : data)
        crc = quint16((crc << 8) ^ kCrcTable[((crc >> 8) ^ quint8(c)) & 0xFF]);
    return crc;
}

QByteArray packet(quint8 number, const QByteArray& data)
{
    const int blockSize = data.size() <= kShortBlock ? kShortBlock : kLongBlock;
    QByteArray block = data.left(kLongBlock);
    block.append(QByteArray(blockSize - block.size(), '\0'));
    const quint16 crc = crc16(block);

    QByteArray out;
    out.reserve(blockSize + kOverhead);
    out.append(blockSize == kShortBlock ? kSoh : kStx);
    out.append(char(number));
    out.append(char(quint8(~number)));
    out.append(block);
    out.append(char(crc >> 8));
    out.append(char(crc & 0xFF));
    return out;
}

QByteArray headerData(const QString& fileName, qint64 size)
{
    QByteArray data = fileName.toUtf8();
    data.append('\0');
    data.append(QByteArray::number(size));
    data.append('\0');
    return data;
}

QByteArray endOfBatchData()
{
    return QByteArray(kShortBlock, '\0');
}

Header parseHeader(const QByteArray& data)
{
    Header header;
    const qsizetype nameEnd = data.indexOf('\0');
    header.name = nameEnd < 0 ? data : data.left(nameEnd);
    if (nameEnd < 0)
        return header;
    qsizetype sizeEnd = data.indexOf('\0', nameEnd + 1);
    if (sizeEnd < 0)
        sizeEnd = data.size();
    const QByteArray field = data.mid(nameEnd + 1, sizeEnd - nameEnd - 1).trimmed();
    const qsizetype blank = field.indexOf(' ');
    bool ok = false;
    const qint64 size = (blank < 0 ? field : field.left(blank)).toLongLong(&ok, 10);
    header.size = ok && size > 0 ? size : 0;
    return header;
}

bool isEndOfBatch(const QByteArray& data)
{
    return data.isEmpty() || data.at(0) == '\0';
}

} // namespace gcs::ymodem
