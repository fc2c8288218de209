#pragma once

#include "ins/RecDataModel.h"

#include <QJsonObject>
#include <QList>
#include <QObject>

namespace gcs::test {

/// A recorded stream of tests/data/ins and what the decoder must report for it, written
/// beside it by gen_ins_streams.py: its events in order, then its counts.
struct InsStream
{
    QByteArray bytes;
    QList<QJsonObject> events;
    qint64 bytesTotal = -1;
    int packets = -1;
    int errors = -1;

    /// The "record" events only.
    QList<QJsonObject> records() const;
};

/// The stream of that name; empty (bytes and events) when its files cannot be read.
InsStream loadInsStream(const QString& name);

/// Everything a RecDataModel reports, as the same JSON events as the expectation files.
class InsEventLog : public QObject
{
    Q_OBJECT
public:
    explicit InsEventLog(RecDataModel* model);

    QList<QJsonObject> events;
    /// Every wire frame behind its length: a cheap fingerprint of a decode.
    QByteArray wireTrace;
    QList<qint64> wireStamps;
    int records = 0;

    static QJsonObject recordEvent(const RecDataStruct& r);
};

/// The integrity counters in one text, for comparing all of them at once: bytes, frames,
/// sentences, checksum errors, text errors, skipped bytes and lost frames.
QString counters(const RecDataModel::Integrity& c);

/// Empty when the event lists match, otherwise the first difference. Record fields that
/// are floats in RecDataStruct compare as floats, everything else exactly.
QString compareInsEvents(const QList<QJsonObject>& actual, const QList<QJsonObject>& expected);

} // namespace gcs::test
