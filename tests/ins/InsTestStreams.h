#pragma once

#include "ins/RecDataModel.h"

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QString>

namespace gcs::test {

/// A recorded stream of tests/data/ins and what the decoder must report for it (written
/// by gen_ins_streams.py beside the stream).
struct InsStream
{
    QByteArray bytes;
    QList<QJsonObject> events; ///< in order, without the closing "stats" line
    qint64 bytesTotal = -1;
    int packets = -1;
    int errors = -1;
    QString error; ///< non-empty when the files could not be read

    /// The "record" events only.
    QList<QJsonObject> records() const;
};

InsStream loadInsStream(const QString& name);

/// Everything a RecDataModel reports, as the same JSON events as the expectation files.
class InsEventLog : public QObject
{
    Q_OBJECT
public:
    explicit InsEventLog(RecDataModel* model, QObject* parent = nullptr);

    QList<QJsonObject> events;
    /// The bytes of every wireFrameForLog, concatenated with their lengths: a cheap
    /// fingerprint for comparing many decodes of one stream.
    QByteArray wireTrace;
    int records = 0;
    QList<qint64> wireStamps;

    static QJsonObject recordEvent(const RecDataStruct& r);
};

/// Empty when the event lists match, otherwise the first difference. Record fields that
/// are floats in RecDataStruct are compared as floats; everything else exactly.
QString compareInsEvents(const QList<QJsonObject>& actual, const QList<QJsonObject>& expected);

/// Feeds data in pieces of chunk bytes (the whole at once when chunk < 1).
void feedChunked(RecDataModel& model, const QByteArray& data, qsizetype chunk);

} // namespace gcs::test
