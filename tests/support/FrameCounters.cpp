#include "FrameCounters.h"

namespace gcs::test {

namespace {

constexpr int kFrameLen = 59;

bool validFrameAt(const QByteArray& bytes, qsizetype at)
{
    if (at + kFrameLen > bytes.size() || uchar(bytes[at]) != 0xAA || uchar(bytes[at + 1]) != 0x55)
        return false;
    quint8 sum = 0;
    for (int i = 0; i < kFrameLen - 1; ++i)
        sum = quint8(sum + uchar(bytes[at + i]));
    return quint8(0 - sum) == uchar(bytes[at + kFrameLen - 1]);
}

quint32 counterAt(const QByteArray& bytes, qsizetype at, int rate)
{
    const auto u = [&bytes, at](int offset) { return quint64(uchar(bytes[at + offset])); };
    const quint64 high = u(52) | u(53) << 8 | u(54) << 16 | u(55) << 24;
    const quint64 tag = high * 10000u + (u(56) | u(57) << 8);
    return quint32((tag * quint64(rate) + 5000) / 10000);
}

} // namespace

QList<quint32> sinsbinCaptureCounters(const QByteArray& capture, QString* error, int rate)
{
    QList<quint32> counters;
    qsizetype at = 0;
    // Lock on two whole frames in a row, so that a header inside a payload cannot pass.
    while (at < capture.size()
           && !(validFrameAt(capture, at) && validFrameAt(capture, at + kFrameLen)))
        ++at;
    for (; at + kFrameLen <= capture.size(); at += kFrameLen) {
        if (!validFrameAt(capture, at)) {
            if (error)
                *error = QStringLiteral("no valid frame at offset %1 of %2")
                             .arg(at)
                             .arg(capture.size());
            return {};
        }
        counters << counterAt(capture, at, rate);
    }
    return counters;
}

QList<quint32> messageLogCounters(const QByteArray& text, QString* error, int rate)
{
    QList<quint32> counters;
    const QList<QByteArray> lines = text.split('\n');
    for (qsizetype n = 0; n < lines.size(); ++n) {
        const QByteArray& line = lines.at(n);
        if (line.isEmpty() && n == lines.size() - 1)
            break;
        // "yyyy-MM-dd HH:mm:ss.zzz " is 24 characters.
        const QByteArray message = line.mid(24);
        if (message.startsWith("#vorn"))
            continue;
        const QByteArray frame = QByteArray::fromHex(message);
        if (line.size() < 24 || line.at(23) != ' ' || !validFrameAt(frame, 0)
            || frame.size() != kFrameLen) {
            if (error)
                *error = QStringLiteral("line %1 is no frame: %2")
                             .arg(n + 1)
                             .arg(QString::fromLatin1(line.left(120)));
            return {};
        }
        counters << counterAt(frame, 0, rate);
    }
    return counters;
}

QString counterGap(const QList<quint32>& counters)
{
    for (qsizetype i = 1; i < counters.size(); ++i) {
        if (counters.at(i) != counters.at(i - 1) + 1)
            return QStringLiteral("frame %1 follows frame %2 (position %3 of %4)")
                .arg(counters.at(i))
                .arg(counters.at(i - 1))
                .arg(i)
                .arg(counters.size());
    }
    return QString();
}

} // namespace gcs::test
