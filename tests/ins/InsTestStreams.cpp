#include "InsTestStreams.h"

#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>

namespace gcs::test {

namespace {

// The expectation holds the exact decimal or double value; the decoder keeps a float.
QJsonObject asDecoded(QJsonObject e)
{
    static const char* const kFloatKeys[]
        = { "gx",  "gy", "gz", "ax", "ay",   "az",    "pitch",       "roll",
            "yaw", "ve", "vn", "vu", "temp", "gps_v", "gnss_heading" };
    if (e.value(QLatin1String("ev")) == QLatin1String("record")) {
        for (const char* key : kFloatKeys)
            e.insert(QLatin1String(key), double(float(e.value(QLatin1String(key)).toDouble())));
    }
    return e;
}

QString text(const QJsonObject& o)
{
    return QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact));
}

QJsonArray toArray(const double* v, int n)
{
    QJsonArray a;
    for (int i = 0; i < n; ++i)
        a.append(v[i]);
    return a;
}

} // namespace

QList<QJsonObject> InsStream::records() const
{
    QList<QJsonObject> out;
    for (const QJsonObject& e : events) {
        if (e.value(QLatin1String("ev")) == QLatin1String("record"))
            out << e;
    }
    return out;
}

InsStream loadInsStream(const QString& name)
{
    InsStream s;
    const QDir dir(dataDir() + QStringLiteral("/ins"));
    QFile bin(dir.filePath(name + QStringLiteral(".bin")));
    QFile expect(dir.filePath(name + QStringLiteral(".expect.jsonl")));
    if (!bin.open(QIODevice::ReadOnly) || !expect.open(QIODevice::ReadOnly)) {
        s.error = QStringLiteral("cannot read %1 or its expectation").arg(bin.fileName());
        return s;
    }
    s.bytes = bin.readAll();
    for (const QByteArray& line : expect.readAll().split('\n')) {
        const QJsonObject o = QJsonDocument::fromJson(line).object();
        if (o.value(QLatin1String("ev")) == QLatin1String("stats")) {
            s.bytesTotal = qint64(o.value(QLatin1String("bytes")).toDouble());
            s.packets = o.value(QLatin1String("packets")).toInt();
            s.errors = o.value(QLatin1String("errors")).toInt();
        } else if (!o.isEmpty()) {
            s.events << asDecoded(o);
        }
    }
    return s;
}

InsEventLog::InsEventLog(RecDataModel* model, QObject* parent)
    : QObject(parent)
{
    connect(model, &RecDataModel::newValue, this, [this](const RecDataStruct& r) {
        events << recordEvent(r);
        ++records;
    });
    connect(model, &RecDataModel::wireFrameForLog, this, [this](const QByteArray& f, qint64 ms) {
        events << QJsonObject { { "ev", "wire" }, { "hex", QString::fromLatin1(f.toHex()) } };
        wireTrace += QByteArray::number(f.size()) + ':' + f;
        wireStamps << ms;
    });
    connect(model, &RecDataModel::newConfigSerialValue, this,
            [this](const RecConfigSerialStruct& c) {
                events << QJsonObject { { "ev", "serial" },
                                        { "serialType", c.serialType },
                                        { "baudRate", c.baudRate },
                                        { "packetFre", c.packetFre },
                                        { "packetFormat", int(c.packetFormat) } };
            });
    connect(model, &RecDataModel::newConfigGyroValue, this, [this](const RecConfigGyroStruct& c) {
        events << QJsonObject { { "ev", "gyro" },
                                { "sn", c.sn },
                                { "bias", toArray(c.bias, 3) },
                                { "kgg", toArray(c.kgg, 3) },
                                { "t1", toArray(c.t1, 3) },
                                { "t2", toArray(c.t2, 3) },
                                { "kg1", toArray(c.kg1, 9) } };
    });
    connect(
        model, &RecDataModel::newConfigInstallValue, this, [this](const RecConfigInstallStruct& c) {
            events << QJsonObject { { "ev", "install" }, { "x", c.x }, { "y", c.y }, { "z", c.z } };
        });
    connect(model, &RecDataModel::newConfigAxisValue, this, [this](const QList<QString>& axis) {
        events << QJsonObject { { "ev", "axis" }, { "list", QJsonArray::fromStringList(axis) } };
    });
    connect(model, &RecDataModel::newSoftVerValue, this, [this](const QString& v) {
        events << QJsonObject { { "ev", "softver" }, { "text", v } };
    });
    connect(model, &RecDataModel::newConfig_dyawGNSS, this, [this](double v) {
        events << QJsonObject { { "ev", "gnss" }, { "value", v } };
    });
    connect(model, &RecDataModel::newConfigExtrapTime, this, [this](double v) {
        events << QJsonObject { { "ev", "extrap" }, { "value", v } };
    });
}

QJsonObject InsEventLog::recordEvent(const RecDataStruct& r)
{
    return QJsonObject {
        { "ev", "record" },   { "format", int(r.format) },
        { "count", r.count }, { "gx", r.gx },
        { "gy", r.gy },       { "gz", r.gz },
        { "ax", r.ax },       { "ay", r.ay },
        { "az", r.az },       { "status", r.status },
        { "pitch", r.pitch }, { "roll", r.roll },
        { "yaw", r.yaw },     { "ve", r.ve },
        { "vn", r.vn },       { "vu", r.vu },
        { "lon", r.lon },     { "lat", r.lat },
        { "alt", r.alt },     { "temp", r.temp },
        { "gps_v", r.gps_v }, { "gnss_heading", r.gnss_heading },
        { "utc", r.utc },
    };
}

QString compareInsEvents(const QList<QJsonObject>& actual, const QList<QJsonObject>& expected)
{
    for (qsizetype i = 0; i < qMin(actual.size(), expected.size()); ++i) {
        if (actual[i] != expected[i])
            return QStringLiteral("event %1: %2, expected %3")
                .arg(i)
                .arg(text(actual[i]), text(expected[i]));
    }
    if (actual.size() != expected.size())
        return QStringLiteral("%1 events, expected %2").arg(actual.size()).arg(expected.size());
    return QString();
}

void feedChunked(RecDataModel& model, const QByteArray& data, qsizetype chunk)
{
    if (chunk < 1) {
        model.anaylzeRec(data);
        return;
    }
    for (qsizetype at = 0; at < data.size(); at += chunk)
        model.anaylzeRec(data.mid(at, chunk));
}

} // namespace gcs::test
