#pragma once

// Packets built here bit by bit, apart from the engine's own table-driven code, so that
// the tests check the wire format rather than repeat the implementation.
#include <QByteArray>
#include <QtGlobal>

namespace gcs::test {

inline quint16 bitwiseCrc16(const QByteArray& data)
{
    quint16 crc = 0;
    for (const char c : data) {
        crc ^= quint16(quint8(c)) << 8;
        for (int i = 0; i < 8; ++i)
            crc = (crc & 0x8000) ? quint16((crc << 1) ^ 0x1021) : quint16(crc << 1);
    }
    return crc;
}

/// A packet of exactly blockSize data bytes (data padded with `pad`).
inline QByteArray makePacket(int number, const QByteArray& data, int blockSize = 1024,
                             char pad = '\0')
{
    QByteArray block = data;
    block.append(QByteArray(blockSize - block.size(), pad));
    const quint16 crc = bitwiseCrc16(block);
    QByteArray p;
    p.append(blockSize == 128 ? '\x01' : '\x02');
    p.append(char(number & 0xFF));
    p.append(char(~number & 0xFF));
    p.append(block);
    p.append(char(crc >> 8));
    p.append(char(crc & 0xFF));
    return p;
}

inline QByteArray makeHeader(const QByteArray& name, const QByteArray& sizeField)
{
    return makePacket(0, name + '\0' + sizeField + '\0', 128);
}

/// Deterministic test content with plenty of 0x00 and control bytes in it.
inline QByteArray testContent(qsizetype size, quint32 seed = 1)
{
    QByteArray out(size, '\0');
    quint32 x = seed * 2654435761u + 12345u;
    for (qsizetype i = 0; i < size; ++i) {
        x = x * 1103515245u + 12345u;
        const quint8 v = quint8(x >> 16);
        // every fifth byte a zero, so that zero runs also end blocks
        out[i] = (i % 5 == 0) ? '\0' : char(v);
    }
    return out;
}

} // namespace gcs::test
