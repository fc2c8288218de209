#include "ins/InsBridge.h"

#include "ins/InsLogText.h"
#include "ins/InsLogging.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>

namespace gcs {

namespace {

/// The default data clock: the process's monotonic clock, the same the charts use.
double monotonicSeconds()
{
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

// Positions of the pair AA 55 in [from, to).
int countHeaders(const QByteArray& bytes, qsizetype from)
{
    const auto* d = reinterpret_cast<const uchar*>(bytes.constData());
    const qsizetype n = bytes.size();
    int count = 0;
    while (from + 1 < n) {
        const void* hit = std::memchr(d + from, 0xAA, size_t(n - 1 - from));
        if (!hit)
            break;
        const qsizetype i = static_cast<const uchar*>(hit) - d;
        if (d[i + 1] == 0x55)
            ++count;
        from = i + 1;
    }
    return count;
}

void insertImuKeys(QVariantMap& m, const RecDataStruct& r)
{
    m.insert(QStringLiteral("ax"), r.ax);
    m.insert(QStringLiteral("ay"), r.ay);
    m.insert(QStringLiteral("az"), r.az);
    m.insert(QStringLiteral("gx"), r.gx);
    m.insert(QStringLiteral("gy"), r.gy);
    m.insert(QStringLiteral("gz"), r.gz);
    m.insert(QStringLiteral("temp"), r.temp);
}

void insertAttitudeKeys(QVariantMap& m, const RecDataStruct& r)
{
    m.insert(QStringLiteral("pitch"), r.pitch);
    m.insert(QStringLiteral("roll"), r.roll);
    m.insert(QStringLiteral("yaw"), r.yaw);
}

} // namespace

InsBridge::InsBridge(QObject* parent)
    : QObject(parent)
    , m_model(new RecDataModel(this))
{
    connect(m_model, &RecDataModel::newValue, this, &InsBridge::onRecord);
    connect(m_model, &RecDataModel::newConfigSerialValue, this, &InsBridge::onSerialConfig);
    connect(m_model, &RecDataModel::newConfigGyroValue, this, &InsBridge::onGyroConfig);
    connect(m_model, &RecDataModel::newConfigInstallValue, this, &InsBridge::onInstallConfig);
    connect(m_model, &RecDataModel::newConfigAxisValue, this, &InsBridge::onAxis);
    connect(m_model, &RecDataModel::newSoftVerValue, this, &InsBridge::onSoftVer);
    connect(m_model, &RecDataModel::newConfig_dyawGNSS, this, &InsBridge::onGnssYaw);
    connect(m_model, &RecDataModel::newConfigExtrapTime, this, &InsBridge::onExtrapTime);

    bool ok = false;
    if (qEnvironmentVariableIntValue("GCS_PARSE_LOG", &ok) >= 1 && ok) {
        const QString dir = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
        // The folder may not exist yet on a machine where the program never stored
        // anything; the diagnostic is asked for explicitly, so create it.
        QDir().mkpath(dir);
        m_parseLogPath = dir + QStringLiteral("/parse-debug.log");
    }
}

InsBridge::~InsBridge() = default;

void InsBridge::feed(const QByteArray& bytes)
{
    if (m_collecting) {
        // Fed from a slot while a chunk decodes: the decoder queues the bytes behind the
        // chunk, and their records join it.
        m_model->anaylzeRec(bytes);
        return;
    }
    const double stamp = m_clock ? m_clock() : monotonicSeconds();
    m_collecting = true;
    m_model->anaylzeRec(bytes);
    m_collecting = false;
    publishChunk(stamp);
    updateParseHint();
    noteStats(true);
}

void InsBridge::setClock(std::function<double()> clock)
{
    m_clock = std::move(clock);
    m_lastRecordTime = std::numeric_limits<double>::quiet_NaN();
}

void InsBridge::publishChunk(double stamp)
{
    if (m_chunkRecords.empty())
        return;
    std::vector<RecDataStruct> records;
    records.swap(m_chunkRecords);
    const int n = int(records.size());
    // The records came in over the time since the previous one: spread them evenly over
    // (previous, stamp], the last one at the stamp. The first chunk of a stream has no
    // previous record, and one after a silence did not take the silence to arrive: both
    // take the usual time per record instead.
    double span = n * m_recordInterval;
    if (!std::isnan(m_lastRecordTime)) {
        span = std::clamp(stamp - m_lastRecordTime, 0.0, n * kRecordIntervalCap * m_recordInterval);
        // A slow stream raises the estimate chunk by chunk through the cap; a clock that
        // did not move teaches nothing.
        if (span > 0)
            m_recordInterval += (span / n - m_recordInterval) / 8;
    }
    m_lastRecordTime = stamp;
    const quint32 epoch = m_publishEpoch;
    for (int i = 0; i < n; ++i) {
        m_recordTime = stamp - span * (n - 1 - i) / n;
        publishRecord(records[size_t(i)]);
        if (m_publishEpoch != epoch)
            return;
    }
}

void InsBridge::appendFactoryRaw(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return;
    m_factoryRaw += QString::fromLatin1(bytes);
    if (m_factoryRaw.size() > kFactoryRawCap)
        m_factoryRaw = m_factoryRaw.right(kFactoryRawKeep);
    emit configChanged();
}

void InsBridge::clearFactoryRaw()
{
    if (m_factoryRaw.isEmpty())
        return;
    m_factoryRaw.clear();
    emit configChanged();
}

void InsBridge::setStatsPaced(bool paced)
{
    m_statsPaced = paced;
    if (!paced)
        showStats();
}

void InsBridge::showStats()
{
    if (!m_statsUnshown)
        return;
    m_statsUnshown = false;
    emit statsShown();
}

void InsBridge::noteStats(bool streamed)
{
    emit statsChanged();
    m_statsUnshown = true;
    if (!m_statsPaced || !streamed)
        showStats();
}

void InsBridge::resetStats()
{
    m_model->resetRecStatistics();
    noteStats(false);
}

void InsBridge::resetParseBuffer()
{
    // Records of a chunk still to be published belong to the stream that ends here.
    ++m_publishEpoch;
    m_chunkRecords.clear();
    m_lastRecordTime = std::numeric_limits<double>::quiet_NaN();
    m_model->resetRecStatistics();
    m_model->resetParseBuffer();
    m_currentFormat = RecNullFormat;
    m_packetFormat.clear();
    clearDisplayPanels();
    noteStats(false);
}

void InsBridge::tickRecTime(int secs)
{
    m_model->addRecStatisticsRecTime(secs);
    noteStats(false);
}

void InsBridge::addSendBytes(int n)
{
    if (n < 1)
        return;
    m_model->addRecStatisticsSendBytes(n);
    noteStats(false);
}

QString InsBridge::messageText() const
{
    return fieldsText(withStatusTexts(m_messageFields), QLatin1Char('\t'), QLatin1Char('\n'));
}

QString InsBridge::recTimeText() const
{
    return m_model->recTime().toString(QStringLiteral("HH:mm:ss"));
}

QString InsBridge::streamTierLabel() const
{
    switch (streamTier()) {
    case 1:
        return QStringLiteral("IMU");
    case 2:
        return QStringLiteral("AHRS");
    case 3:
        return QStringLiteral("SINS");
    default:
        return QString();
    }
}

int InsBridge::tierForPacketFormat(RecPacketFormat format)
{
    switch (format) {
    case RecImuAsc:
    case RecImuBin:
        return 1;
    case RecAhrsBin:
    case RecAhrsAsc:
        return 2;
    case RecSinsBin:
    case RecSinsAsc:
        return 3;
    default:
        return 0;
    }
}

QString InsBridge::decodeGnssFix(quint8 status)
{
    switch (status & 0x0F) {
    case 0:
        return QString::fromUtf8(QT_TRANSLATE_NOOP("gcs::InsBridge", "故障"));
    case 4:
        return QString::fromUtf8(QT_TRANSLATE_NOOP("gcs::InsBridge", "无效"));
    case 6:
        return QString::fromUtf8(QT_TRANSLATE_NOOP("gcs::InsBridge", "定位"));
    case 7:
        return QString::fromUtf8(QT_TRANSLATE_NOOP("gcs::InsBridge", "定位定向"));
    default:
        return QStringLiteral("—");
    }
}

QString InsBridge::decodeDeviceNav(quint8 status)
{
    switch (status & 0xF0) {
    case 0x10:
        return QString::fromUtf8(QT_TRANSLATE_NOOP("gcs::InsBridge", "对准"));
    case 0x20:
        return QString::fromUtf8(QT_TRANSLATE_NOOP("gcs::InsBridge", "校准"));
    case 0x70:
        return QString::fromUtf8(QT_TRANSLATE_NOOP("gcs::InsBridge", "纯惯性导航"));
    case 0x90:
        return QString::fromUtf8(QT_TRANSLATE_NOOP("gcs::InsBridge", "组合导航"));
    default:
        return QStringLiteral("—");
    }
}

QString InsBridge::statusText(const QString& source)
{
    return QCoreApplication::translate("gcs::InsBridge", source.toUtf8().constData());
}

QVariantMap InsBridge::withStatusTexts(QVariantMap fields)
{
    for (const char* key : { "gnss_status", "gps_status", "device_status" }) {
        const auto it = fields.find(QLatin1String(key));
        if (it != fields.end())
            *it = statusText(it->toString());
    }
    return fields;
}

QVariantMap InsBridge::buildImuPanel(const RecDataStruct& record)
{
    QVariantMap m;
    insertImuKeys(m, record);
    return m;
}

QVariantMap InsBridge::buildAhrsPanel(const RecDataStruct& record)
{
    QVariantMap m;
    insertImuKeys(m, record);
    insertAttitudeKeys(m, record);
    return m;
}

QVariantMap InsBridge::buildSinsPanel(const RecDataStruct& record)
{
    QVariantMap m;
    insertImuKeys(m, record);
    insertAttitudeKeys(m, record);
    m.insert(QStringLiteral("ve"), record.ve);
    m.insert(QStringLiteral("vn"), record.vn);
    m.insert(QStringLiteral("vu"), record.vu);
    m.insert(QStringLiteral("lat"), record.lat);
    m.insert(QStringLiteral("lon"), record.lon);
    m.insert(QStringLiteral("alt"), record.alt);
    m.insert(QStringLiteral("utc"), record.utc);
    m.insert(QStringLiteral("gnss_heading"), record.gnss_heading);
    m.insert(QStringLiteral("gnss_status"), decodeGnssFix(record.status));
    m.insert(QStringLiteral("device_status"), decodeDeviceNav(record.status));
    return m;
}

TelemetrySnapshot InsBridge::toSnapshot(const RecDataStruct& record)
{
    TelemetrySnapshot s;
    s.ts = QDateTime::currentMSecsSinceEpoch();
    s.quality = QStringLiteral("online");
    const int tier = tierForPacketFormat(record.format);
    QVariantMap& m = s.fields;
    m.insert(QStringLiteral("format"), RecDataModel::PacketEnumToString(record.format));
    m.insert(QStringLiteral("stream_tier"), tier);
    m.insert(QStringLiteral("count"), record.count);
    insertImuKeys(m, record);
    if (tier == 2 || tier == 3)
        insertAttitudeKeys(m, record);
    if (tier == 3) {
        m.insert(QStringLiteral("ve"), record.ve);
        m.insert(QStringLiteral("vn"), record.vn);
        m.insert(QStringLiteral("vu"), record.vu);
        m.insert(QStringLiteral("lat"), record.lat);
        m.insert(QStringLiteral("lon"), record.lon);
        m.insert(QStringLiteral("alt"), record.alt);
        m.insert(QStringLiteral("gps_v"), record.gps_v);
        m.insert(QStringLiteral("gnss_heading"), record.gnss_heading);
        m.insert(QStringLiteral("utc"), record.utc);
        const QString fix = decodeGnssFix(record.status);
        m.insert(QStringLiteral("gnss_status"), fix);
        m.insert(QStringLiteral("gps_status"), fix);
        m.insert(QStringLiteral("device_status"), decodeDeviceNav(record.status));
    }
    return s;
}

void InsBridge::onRecord(const RecDataStruct& record)
{
    m_chunkRecords.push_back(record);
    // The decoder driven without feed: a chunk of its own, stamped now.
    if (!m_collecting)
        publishChunk(m_clock ? m_clock() : monotonicSeconds());
}

void InsBridge::publishRecord(const RecDataStruct& record)
{
    updatePanels(record);
    m_gnssFixStatus = decodeGnssFix(record.status);
    m_deviceNavStatus = decodeDeviceNav(record.status);
    const TelemetrySnapshot snapshot = toSnapshot(record);
    m_packetFormat = snapshot.fields.value(QStringLiteral("format")).toString();
    // Shared, not copied: the text is written when it is read, not for every record.
    m_messageFields = snapshot.fields;
    emit snapshotReady(snapshot);
    noteStats(true);
}

void InsBridge::updatePanels(const RecDataStruct& record)
{
    if (record.format != m_currentFormat) {
        m_currentFormat = record.format;
        m_packetFormat = RecDataModel::PacketEnumToString(m_currentFormat);
        clearDisplayPanels();
    }
    switch (tierForPacketFormat(m_currentFormat)) {
    case 1:
        m_imuPanel = buildImuPanel(record);
        break;
    case 2:
        m_ahrsPanel = buildAhrsPanel(record);
        break;
    case 3:
        m_sinsPanel = buildSinsPanel(record);
        break;
    default:
        return;
    }
    ++m_panelEpoch;
    emit panelChanged();
}

void InsBridge::clearDisplayPanels()
{
    m_imuPanel.clear();
    m_ahrsPanel.clear();
    m_sinsPanel.clear();
    ++m_panelEpoch;
    emit panelChanged();
}

void InsBridge::updateParseHint()
{
    const QByteArray& buffer = m_model->receiveBuffer();
    const int headers = countHeaders(buffer, qMax<qsizetype>(0, buffer.size() - kHintWindow));
    if (m_model->recBytes() < kHintMinBytes) {
        m_parseHint = tr("等待导航数据…");
    } else if (m_model->recPackets() > 0) {
        m_parseHint.clear();
    } else if (headers > 0) {
        m_parseHint = tr("已发现 AA55 帧头，正在同步校验…若长时间无数据请检查输出格式是否"
                         "与 IMU/AHRS/SINS 页一致。");
    } else {
        m_parseHint = tr("已收 %1 KB，未发现 AA55 帧头，请核对纳管串口波特率（常用 "
                         "115200）。")
                          .arg(m_model->recBytes() / 1024);
    }
    if (!m_parseLogPath.isEmpty())
        writeParseLog(headers);
}

void InsBridge::writeParseLog(int headerCount)
{
    QFile file(m_parseLogPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
        return;
    const QString line = QDateTime::currentDateTime().toString(Qt::ISODate)
        + QStringLiteral(" bytes=%1 pkts=%2 aa55=%3 hint=")
              .arg(m_model->recBytes())
              .arg(m_model->recPackets())
              .arg(headerCount)
        + m_parseHint + QLatin1Char('\n');
    file.write(line.toUtf8());
}

void InsBridge::onSerialConfig(const RecConfigSerialStruct& config)
{
    m_serialConfig.insert(QStringLiteral("serialType"), config.serialType);
    m_serialConfig.insert(QStringLiteral("baudRate"), config.baudRate);
    m_serialConfig.insert(QStringLiteral("packetFre"), config.packetFre);
    m_serialConfig.insert(QStringLiteral("packetFormat"),
                          RecDataModel::PacketEnumToString(config.packetFormat));
    emit configChanged();
}

void InsBridge::onGyroConfig(const RecConfigGyroStruct& c)
{
    static const char* const kAxes[3] = { "x", "y", "z" };
    m_gyroConfig.insert(QStringLiteral("sn"), qint64(c.sn));
    for (int i = 0; i < 3; ++i) {
        const QLatin1String axis(kAxes[i]);
        m_gyroConfig.insert(QLatin1String("kgg") + axis, c.kgg[i]);
        m_gyroConfig.insert(QLatin1String("t1") + axis, c.t1[i]);
        m_gyroConfig.insert(QLatin1String("t2") + axis, c.t2[i]);
        m_gyroConfig.insert(QLatin1String("bias") + axis, c.bias[i]);
    }
    // Only the off-diagonal terms of the misalignment matrix are configurable.
    m_gyroConfig.insert(QStringLiteral("kg1xy"), c.kg1[1]);
    m_gyroConfig.insert(QStringLiteral("kg1xz"), c.kg1[2]);
    m_gyroConfig.insert(QStringLiteral("kg1yx"), c.kg1[3]);
    m_gyroConfig.insert(QStringLiteral("kg1yz"), c.kg1[5]);
    m_gyroConfig.insert(QStringLiteral("kg1zx"), c.kg1[6]);
    m_gyroConfig.insert(QStringLiteral("kg1zy"), c.kg1[7]);
    emit configChanged();
}

void InsBridge::onInstallConfig(const RecConfigInstallStruct& config)
{
    m_installConfig.insert(QStringLiteral("x"), config.x);
    m_installConfig.insert(QStringLiteral("y"), config.y);
    m_installConfig.insert(QStringLiteral("z"), config.z);
    emit configChanged();
}

void InsBridge::onAxis(const QList<QString>& axis)
{
    m_axis = axis.join(QLatin1Char(' '));
    emit configChanged();
}

void InsBridge::onSoftVer(const QString& version)
{
    m_softver = version;
    emit configChanged();
}

void InsBridge::onGnssYaw(double value)
{
    m_gnssYaw = value;
    emit configChanged();
}

void InsBridge::onExtrapTime(double value)
{
    m_extrapMs = value;
    emit configChanged();
}

} // namespace gcs
