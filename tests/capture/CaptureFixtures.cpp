#include "CaptureFixtures.h"

#include "InsTestStreams.h"
#include "TestSupport.h"
#include "record/Recorder.h"

#include <QFile>

namespace gcs::test {

qint64 firstLogMs()
{
    return QDateTime(QDate(2024, 3, 9), QTime(7, 5, 3, 42)).toMSecsSinceEpoch();
}

QString writeCapture(const QString& path, const QByteArray& capture, bool log, int stepMs,
                     int pauseAt, int pauseMs)
{
    if (!log)
        return writeFileBytes(path, capture) ? path : QString();
    Recorder recorder;
    if (!recorder.start(path, path + ".raw", true))
        return QString();
    RecDataModel model;
    qint64 n = 0;
    QObject::connect(&model, &RecDataModel::wireFrameForLog, [&](const QByteArray& f, qint64) {
        const qint64 pause = pauseAt >= 0 && n >= pauseAt ? pauseMs : 0;
        recorder.storeInsWireFrame(f, firstLogMs() + n++ * stepMs + pause);
    });
    model.anaylzeRec(capture);
    recorder.stop();
    return QFile::remove(path + ".raw") ? path : QString();
}

QList<CaptureRecord> readAll(CaptureReader& reader, QRandomGenerator* rng, int maxChunk)
{
    QList<CaptureRecord> out;
    CaptureRecord record;
    for (bool more = true; more;) {
        if (rng)
            reader.setChunkSize(rng->bounded(1, maxChunk + 1));
        more = reader.readChunk();
        while (reader.nextQueued(record))
            out << record;
    }
    return out;
}

QList<QJsonObject> recordEvents(const QList<CaptureRecord>& records)
{
    QList<QJsonObject> out;
    for (const CaptureRecord& c : records)
        out << InsEventLog::recordEvent(c.record);
    return out;
}

QByteArray faultyCapture()
{
    const QByteArray imu = loadInsStream("imubin").bytes, sins = loadInsStream("sinsbin").bytes;
    const auto frame = [](const QByteArray& stream, int len, int i, bool broken = false) {
        QByteArray f = stream.mid(qsizetype(i) * len, len);
        f[len / 2] = char(f[len / 2] ^ (broken ? 0x10 : 0));
        return f;
    };
    const auto junk
        = [](int n) { return QByteArray("0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVW").left(n); };
    QByteArray c = junk(17);
    for (int i = 0; i < 50; ++i)
        c += (i == 10 || i == 11 ? QByteArray() : frame(imu, 31, i, i == 20))
            + junk(i == 30 ? 13 : 0);
    for (int i = 1; i <= 40; ++i)
        c += frame(sins, 59, i, i == 5);
    return c + junk(9) + frame(sins, 59, 41).left(30);
}

} // namespace gcs::test
