#include "ReplayFiles.h"

#include <QDateTime>

namespace gcs::test {

namespace {

// Junk as a line carries it: no frame header, no sentence.
const QByteArray kJunk("\x01zz\x7f", 4);

void putLe(QByteArray& out, quint64 v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.append(char((v >> (8 * i)) & 0xFF));
}

// Record i as a 59-byte frame (roll i / 100, the time tag) or as a 31-byte frame (count i),
// each closed by its checksum: the sum, or for the 59-byte frame its two's complement.
QByteArray frameOf(int record, quint64 tag, bool tagged)
{
    QByteArray f("\xAA\x55", 2);
    if (tagged) {
        f.append(char(0x97)).append(26, '\0'); // status, rates, accelerations, pitch
        putLe(f, quint16(record), 2);
        f.append(21, '\0'); // yaw to temperature
        putLe(f, tag / 10000, 4);
        putLe(f, tag % 10000, 2);
    } else {
        putLe(f, quint16(record), 2);
        f.append(26, '\0');
    }
    quint8 sum = 0;
    for (char c : f)
        sum = quint8(sum + quint8(c));
    return f.append(char(tagged ? quint8(0 - sum) : sum));
}

} // namespace

ReplayRecording makeRecording(RecordingKind kind, int count, int periodMs,
                              const QList<quint64>& tags)
{
    ReplayRecording r;
    const QDateTime start(QDate(2024, 3, 9), QTime(7, 5, 3, 120));
    for (int i = 0; i < count; ++i) {
        const quint64 tag = i < tags.size() ? tags.at(i) : quint64(i) * periodMs * 10;
        const QByteArray frame = frameOf(i, tag + 1234567, kind != RecordingKind::UntaggedRaw);
        r.ms << double(i) * periodMs;
        if (kind == RecordingKind::Log) {
            const QByteArray stamp = start.addMSecs(qint64(i) * periodMs)
                                         .toString("yyyy-MM-dd HH:mm:ss.zzz")
                                         .toLatin1();
            r.file += stamp + ' ' + frame.toHex(' ') + '\n';
            r.wire += frame;
            if (i == 1) { // a reply between two records goes with the first
                r.file += stamp + " #vorn,softver,V2.1.0*ff\n";
                r.wire += "#vorn,softver,V2.1.0*ff\r\n";
            }
        } else {
            r.file += frame + kJunk;
        }
        r.ends << (kind == RecordingKind::Log ? r.wire.size() : r.file.size());
    }
    if (kind != RecordingKind::Log)
        r.wire = r.file;
    return r;
}

QList<int> recordsIn(const QByteArray& bytes, int frameLength)
{
    QList<int> records;
    const int field = frameLength == 59 ? 29 : 2;
    for (qsizetype at = bytes.indexOf("\xAA\x55"); at >= 0 && at + frameLength <= bytes.size();
         at = bytes.indexOf("\xAA\x55", at + frameLength))
        records << (uchar(bytes[at + field]) | uchar(bytes[at + field + 1]) << 8);
    return records;
}

} // namespace gcs::test
