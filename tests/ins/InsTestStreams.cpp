#include "InsTestStreams.h"

#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>

#include <cmath>

namespace gcs::test {

namespace {

// Keys compared exactly; the others are floats (six significant digits survive every
// conversion) unless listed as doubles.
bool isExactKey(const QString& key)
{
    static const QStringList keys
        = { "format",     "count",        "status", "sn",      "baudRate", "packetFre",
            "serialType", "packetFormat", "bytes",  "packets", "errors" };
    return keys.contains(key);
}

bool isDoubleKey(const QString& ev, const QString& key)
{
    if (ev != QLatin1String("record"))
        return true; // configuration values are doubles
    return key == QLatin1String("lon") || key == QLatin1String("lat") || key == QLatin1String("alt")
        || key == QLatin1String("utc");
}

bool closeEnough(double a, double b, bool isDouble)
{
    const double rel = isDouble ? 1e-12 : 2e-6;
    return std::fabs(a - b) <= rel * std::max(1.0, std::fabs(b));
}

QString compareValue(const QString& ev, const QString& key, const QJsonValue& a,
                     const QJsonValue& b)
{
    if (a.isArray() && b.isArray()) {
        const QJsonArray x = a.toArray(), y = b.toArray();
        if (x.size() != y.size())
            return QStringLiteral("%1: %2 items, expected %3").arg(key).arg(x.size()).arg(y.size());
        for (qsizetype i = 0; i < x.size(); ++i) {
            const QString d
                = compareValue(ev, QStringLiteral("%1[%2]").arg(key).arg(i), x[i], y[i]);
            if (!d.isEmpty())
                return d;
        }
        return QString();
    }
    if (a.isDouble() && b.isDouble()) {
        const bool same = isExactKey(key)
            ? a.toDouble() == b.toDouble()
            : closeEnough(a.toDouble(), b.toDouble(), isDoubleKey(ev, key));
        if (same)
            return QString();
        return QStringLiteral("%1 = %2, expected %3")
            .arg(key, QString::number(a.toDouble(), 'g', 17),
                 QString::number(b.toDouble(), 'g', 17));
    }
    if (a == b)
        return QString();
    return QStringLiteral("%1 = %2, expected %3")
        .arg(key, QString::fromUtf8(QJsonDocument(QJsonArray { a }).toJson(QJsonDocument::Compact)),
             QString::fromUtf8(QJsonDocument(QJsonArray { b }).toJson(QJsonDocument::Compact)));
}

QJsonArray toArray(const double* v, int n)
{
    QJsonArray a;
    for (int i = 0; i < n; ++i)
        a.append(v[i]);
    return a;
}

} // namespace

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
        if (line.trimmed().isEmpty())
            continue;
        QJsonObject o = QJsonDocument::fromJson(line).object();
        if (o.value(QLatin1String("ev")) == QLatin1String("stats")) {
            s.bytesTotal = qint64(o.value(QLatin1String("bytes")).toDouble());
            s.packets = o.value(QLatin1String("packets")).toInt();
            s.errors = o.value(QLatin1String("errors")).toInt();
        } else {
            s.events << o;
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
    const qsizetype n = qMin(actual.size(), expected.size());
    for (qsizetype i = 0; i < n; ++i) {
        const QJsonObject& a = actual[i];
        const QJsonObject& b = expected[i];
        const QString ev = b.value(QLatin1String("ev")).toString();
        if (a.value(QLatin1String("ev")).toString() != ev)
            return QStringLiteral("event %1: %2, expected %3")
                .arg(i)
                .arg(a.value(QLatin1String("ev")).toString(), ev);
        if (a.keys() != b.keys())
            return QStringLiteral("event %1 (%2): keys %3, expected %4")
                .arg(i)
                .arg(ev, a.keys().join(','), b.keys().join(','));
        for (auto it = b.begin(); it != b.end(); ++it) {
            const QString d = compareValue(ev, it.key(), a.value(it.key()), it.value());
            if (!d.isEmpty())
                return QStringLiteral("event %1 (%2): %3").arg(i).arg(ev, d);
        }
    }
    if (actual.size() != expected.size())
        return QStringLiteral("%1 events, expected %2").arg(actual.size()).arg(expected.size());
    return QString();
}

void feedSplit(RecDataModel& model, const QByteArray& data, const QList<qsizetype>& cuts)
{
    qsizetype from = 0;
    for (qsizetype cut : cuts) {
        model.anaylzeRec(data.mid(from, cut - from));
        from = cut;
    }
    model.anaylzeRec(data.mid(from));
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
