#pragma once

// Packets built here bit by bit, apart from the engine's own table-driven code, so that
// the tests check the wire format rather than repeat the implementation.
#include <QByteArray>

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
    const QByteArray block = data + QByteArray(blockSize - data.size(), pad);
    const quint16 crc = bitwiseCrc16(block);
    return (blockSize == 128 ? '\x01' : '\x02') + QByteArray(1, char(number)) + char(~number)
        + block + char(crc >> 8) + char(crc & 0xFF);
}

inline QByteArray makeHeader(const QByteArray& name, const QByteArray& sizeField)
{
    return makePacket(0, name + '\0' + sizeField + '\0', 128);
}

/// Deterministic test content: every fifth byte 0x00 (so that zero runs also end blocks),
/// and plenty of control bytes.
inline QByteArray testContent(qsizetype size, quint32 seed = 1)
{
    QByteArray out(size, '\0');
    quint32 x = seed * 2654435761u + 12345u;
    for (qsizetype i = 0; i < size; ++i) {
        x = x * 1103515245u + 12345u;
        out[i] = i % 5 == 0 ? '\0' : char(x >> 16);
    }
    return out;
}

} // namespace gcs::test
