#include "CaptureFixtures.h"

#include "InsTestStreams.h"
#include "record/Recorder.h"

#include <QFile>

namespace gcs::test {

namespace {

QByteArray junk(qsizetype size)
{
    QByteArray out;
    for (qsizetype i = 0; i < size; ++i)
        out += char(0x30 + i % 40); // no 0xAA, no "#vorn"
    return out;
}

QByteArray frame(const QByteArray& stream, int len, int index, bool broken = false)
{
    QByteArray f = stream.mid(qsizetype(index) * len, len);
    if (broken)
        f[len / 2] = char(f[len / 2] ^ 0x10);
    return f;
}

} // namespace

bool writeMessageLog(const QString& path, const QByteArray& capture, qint64 firstMs, int stepMs,
                     int pauseAt, int pauseMs)
{
    Recorder recorder;
    if (!recorder.start(path, path + QStringLiteral(".raw"), true))
        return false;
    RecDataModel model;
    qint64 n = 0;
    QObject::connect(&model, &RecDataModel::wireFrameForLog, [&](const QByteArray& f, qint64) {
        recorder.storeInsWireFrame(
            f, firstMs + n * stepMs + (pauseAt >= 0 && n >= pauseAt ? pauseMs : 0));
        ++n;
    });
    model.anaylzeRec(capture);
    recorder.stop();
    return QFile::remove(path + QStringLiteral(".raw"));
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

QByteArray faultyCapture()
{
    const QByteArray imu = loadInsStream(QStringLiteral("imubin")).bytes;
    const QByteArray sins = loadInsStream(QStringLiteral("sinsbin")).bytes;
    QByteArray c = junk(17);
    for (int i = 0; i < 50; ++i) {
        if (i != 10 && i != 11)
            c += frame(imu, 31, i, i == 20);
        if (i == 30)
            c += junk(13);
    }
    for (int i = 1; i <= 40; ++i)
        c += frame(sins, 59, i, i == 5);
    return c + junk(9) + frame(sins, 59, 41).left(30);
}

} // namespace gcs::test
