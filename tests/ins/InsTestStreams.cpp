#include "InsTestStreams.h"

#include "TestSupport.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace gcs::test {

namespace {

QString text(const QJsonObject& o)
{
    return QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact));
}

} // namespace

QList<QJsonObject> InsStream::records() const
{
    QList<QJsonObject> out;
    for (const QJsonObject& e : events) {
        if (e.value("ev") == "record")
            out << e;
    }
    return out;
}

InsStream loadInsStream(const QString& name)
{
    InsStream s;
    const QString base = dataDir() + QStringLiteral("/ins/") + name;
    s.bytes = readFileBytes(base + QStringLiteral(".bin"));
    for (const QByteArray& line :
         readFileBytes(base + QStringLiteral(".expect.jsonl")).split('\n')) {
        QJsonObject o = QJsonDocument::fromJson(line).object();
        if (o.value("ev") == "stats") {
            s.bytesTotal = qint64(o.value("bytes").toDouble());
            s.packets = o.value("packets").toInt();
            s.errors = o.value("errors").toInt();
        } else if (!o.isEmpty()) {
            // The expectation holds the exact value; the decoder keeps a float.
            for (const char* key : { "gx", "gy", "gz", "ax", "ay", "az", "pitch", "roll", "yaw",
                                     "ve", "vn", "vu", "temp", "gps_v", "gnss_heading" }) {
                if (o.value("ev") == "record")
                    o.insert(key, double(float(o.value(key).toDouble())));
            }
            s.events << o;
        }
    }
    return s;
}

InsEventLog::InsEventLog(RecDataModel* model)
{
    // A reply is its name and its values in declaration order, as the expectation has it.
    const auto add = [this](const char* ev, const QJsonArray& v) {
        events << QJsonObject { { "ev", ev }, { "v", v } };
    };
    connect(model, &RecDataModel::newValue, this, [this](const RecDataStruct& r) {
        events << recordEvent(r);
        ++records;
    });
    connect(model, &RecDataModel::wireFrameForLog, this, [this](const QByteArray& f, qint64 ms) {
        events << QJsonObject { { "ev", "wire" }, { "hex", QString::fromLatin1(f.toHex()) } };
        wireTrace += QByteArray::number(f.size()) + ':' + f;
        wireStamps << ms;
    });
    connect(model, &RecDataModel::newConfigSerialValue, this, [=](const RecConfigSerialStruct& c) {
        add("serial", { c.serialType, c.baudRate, c.packetFre, int(c.packetFormat) });
    });
    connect(model, &RecDataModel::newConfigGyroValue, this, [=](const RecConfigGyroStruct& c) {
        QJsonArray v { c.sn };
        for (const double* values : { c.bias, c.kgg, c.t1, c.t2 })
            v << values[0] << values[1] << values[2];
        for (double x : c.kg1)
            v.append(x);
        add("gyro", v);
    });
    connect(model, &RecDataModel::newConfigInstallValue, this,
            [=](const RecConfigInstallStruct& c) {
                add("install", { c.x, c.y, c.z });
            });
    connect(model, &RecDataModel::newConfigAxisValue, this,
            [=](const QList<QString>& axis) { add("axis", QJsonArray::fromStringList(axis)); });
    connect(model, &RecDataModel::newSoftVerValue, this,
            [=](const QString& v) { add("softver", { v }); });
    connect(model, &RecDataModel::newConfig_dyawGNSS, this, [=](double v) { add("gnss", { v }); });
    connect(model, &RecDataModel::newConfigExtrapTime, this,
            [=](double v) { add("extrap", { v }); });
}

QJsonObject InsEventLog::recordEvent(const RecDataStruct& r)
{
    return { { "ev", "record" },   { "format", int(r.format) },
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
             { "utc", r.utc } };
}

QString counters(const RecDataModel::Integrity& c)
{
    return QStringLiteral("%1 %2 %3 %4 %5 %6 %7")
        .arg(c.bytes)
        .arg(c.frames)
        .arg(c.sentences)
        .arg(c.checksumErrors)
        .arg(c.textErrors)
        .arg(c.skippedBytes)
        .arg(c.lostFrames);
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

} // namespace gcs::test
