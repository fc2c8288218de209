#pragma once

#include "ins/RecDataModel.h"
#include "ins/TelemetrySnapshot.h"

#include <QObject>
#include <QString>
#include <QVariantMap>

#include <functional>
#include <limits>
#include <vector>

namespace gcs {

/// Connects the INS decoder to the rest of the program ("app.ins"): owns the one
/// RecDataModel, feeds it the data session's bytes, and turns its signals into what the
/// pages show: per-format panels, status texts, receive statistics, a hint while nothing
/// decodes, the configuration read back from the device and the raw text of a factory
/// read-back. Every navigation record also leaves as a TelemetrySnapshot for the hub.
///
/// Each record gets a time of its own on the bridge's clock (recordTime): a chunk is
/// stamped when it is fed, and its records are spread evenly over the time since the
/// previous record, so that several records of one read do not share one instant.
///
/// statsChanged tells of every change of the statistics and status texts. The window reads
/// them on statsShown, which a paced bridge holds back until showStats, so that a fast
/// stream changes what the window shows at the pace of its refresh, not once per chunk.
class InsBridge : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString softver READ softver NOTIFY configChanged)
    Q_PROPERTY(QString axis READ axis NOTIFY configChanged)
    Q_PROPERTY(int recPackets READ recPackets NOTIFY statsShown)
    Q_PROPERTY(int packetErrs READ packetErrs NOTIFY statsShown)
    Q_PROPERTY(int packetFre READ packetFre NOTIFY statsShown)
    Q_PROPERTY(qint64 recBytes READ recBytes NOTIFY statsShown)
    Q_PROPERTY(int sendBytes READ sendBytes NOTIFY statsShown)
    Q_PROPERTY(QString recTimeText READ recTimeText NOTIFY statsShown)
    Q_PROPERTY(QString gnssFixStatus READ gnssFixStatus NOTIFY statsShown)
    Q_PROPERTY(QString deviceNavStatus READ deviceNavStatus NOTIFY statsShown)
    Q_PROPERTY(QVariantMap imuPanel READ imuPanel NOTIFY panelChanged)
    Q_PROPERTY(QVariantMap ahrsPanel READ ahrsPanel NOTIFY panelChanged)
    Q_PROPERTY(QVariantMap sinsPanel READ sinsPanel NOTIFY panelChanged)
    Q_PROPERTY(int panelEpoch READ panelEpoch NOTIFY panelChanged)
    Q_PROPERTY(double recordTime READ recordTime NOTIFY panelChanged)
    Q_PROPERTY(QString parseHint READ parseHint NOTIFY statsShown)
    Q_PROPERTY(QString messageText READ messageText NOTIFY statsShown)
    Q_PROPERTY(QString packetFormat READ packetFormat NOTIFY statsShown)
    Q_PROPERTY(int streamTier READ streamTier NOTIFY statsShown)
    Q_PROPERTY(QString streamTierLabel READ streamTierLabel NOTIFY statsShown)
    Q_PROPERTY(QVariantMap serialConfig READ serialConfig NOTIFY configChanged)
    Q_PROPERTY(QVariantMap gyroConfig READ gyroConfig NOTIFY configChanged)
    Q_PROPERTY(QVariantMap installConfig READ installConfig NOTIFY configChanged)
    Q_PROPERTY(double gnssYaw READ gnssYaw NOTIFY configChanged)
    Q_PROPERTY(double extrapMs READ extrapMs NOTIFY configChanged)
    Q_PROPERTY(QString factoryRaw READ factoryRaw NOTIFY configChanged)
    /// The decoder's integrity counters (RecDataModel::integrityFields), live.
    Q_PROPERTY(QVariantMap integrity READ integrity NOTIFY statsShown)
public:
    /// Window of the receive buffer in which the hint looks for frame headers.
    static constexpr qsizetype kHintWindow = 8192;
    /// Below this many received bytes the hint only asks to wait.
    static constexpr qint64 kHintMinBytes = 512;
    static constexpr qsizetype kFactoryRawCap = 20000;
    static constexpr qsizetype kFactoryRawKeep = 10000;
    /// Time per record assumed until the stream shows its own (a 200 Hz unit).
    static constexpr double kDefaultRecordInterval = 0.005;
    /// A chunk's records are spread over at most this many times the usual time per
    /// record each: after a silence they arrived together, not over the silence.
    static constexpr double kRecordIntervalCap = 4.0;

    explicit InsBridge(QObject* parent = nullptr);
    ~InsBridge() override;

    RecDataModel* model() const { return m_model; }

    /// One chunk from the data session, stamped on the clock: decoded, its records
    /// published with their times, then the hint and statistics refreshed.
    void feed(const QByteArray& bytes);
    /// Where chunk stamps come from, in seconds (null: the monotonic clock). A new clock
    /// starts the record times afresh.
    void setClock(std::function<double()> clock);
    /// Time of the record being published (valid while panelChanged is delivered) or
    /// of the last one, in seconds on the clock.
    double recordTime() const { return m_recordTime; }
    /// One chunk received while a factory read-back runs, each byte one Latin-1 character.
    void appendFactoryRaw(const QByteArray& bytes);

    /// Paced, changes brought by the stream are shown on the next showStats; otherwise,
    /// and always for the user's own changes (clearing, a new stream), at once.
    void setStatsPaced(bool paced);
    /// Emits statsShown when statistics changed since they were last shown.
    void showStats();

    Q_INVOKABLE void resetStats();
    Q_INVOKABLE void resetParseBuffer();
    Q_INVOKABLE void tickRecTime(int secs);
    Q_INVOKABLE void addSendBytes(int n);
    Q_INVOKABLE void clearFactoryRaw();

    QString softver() const { return m_softver; }
    QString axis() const { return m_axis; }
    int recPackets() const { return m_model->recPackets(); }
    int packetErrs() const { return m_model->packetErrs(); }
    int packetFre() const { return m_model->packetFre(); }
    qint64 recBytes() const { return m_model->recBytes(); }
    int sendBytes() const { return m_model->sendBytes(); }
    QString recTimeText() const;
    QString gnssFixStatus() const { return statusText(m_gnssFixStatus); }
    QString deviceNavStatus() const { return statusText(m_deviceNavStatus); }
    QVariantMap imuPanel() const { return m_imuPanel; }
    QVariantMap ahrsPanel() const { return m_ahrsPanel; }
    QVariantMap sinsPanel() const { return m_sinsPanel; }
    int panelEpoch() const { return m_panelEpoch; }
    QString parseHint() const { return m_parseHint; }
    /// The last record's snapshot fields as "key TAB value" lines in key order.
    QString messageText() const;
    QString packetFormat() const { return m_packetFormat; }
    int streamTier() const { return tierForPacketFormat(m_currentFormat); }
    QString streamTierLabel() const;
    QVariantMap serialConfig() const { return m_serialConfig; }
    QVariantMap gyroConfig() const { return m_gyroConfig; }
    QVariantMap installConfig() const { return m_installConfig; }
    double gnssYaw() const { return m_gnssYaw; }
    double extrapMs() const { return m_extrapMs; }
    QString factoryRaw() const { return m_factoryRaw; }
    QVariantMap integrity() const { return RecDataModel::integrityFields(m_model->integrity()); }

    /// 1 IMU (imuasc, imubin), 2 AHRS (ahrsbin, ahrsasc), 3 SINS (sinsbin, sinsasc), 0 other.
    static int tierForPacketFormat(RecPacketFormat format);
    /// GNSS fix text of the status byte's low nibble. The texts are data as they stand
    /// (records, exports, comparisons); statusText gives them to a person.
    static QString decodeGnssFix(quint8 status);
    /// Navigation state text of the status byte's high nibble, a source text as above.
    static QString decodeDeviceNav(quint8 status);
    /// A text of decodeGnssFix or decodeDeviceNav in the language of the moment.
    static QString statusText(const QString& source);
    /// fields with the values of gnss_status, gps_status and device_status as statusText.
    static QVariantMap withStatusTexts(QVariantMap fields);
    static QVariantMap buildImuPanel(const RecDataStruct& record);
    static QVariantMap buildAhrsPanel(const RecDataStruct& record);
    static QVariantMap buildSinsPanel(const RecDataStruct& record);
    /// The record as telemetry: time stamp now, "online", the keys of its tier.
    static TelemetrySnapshot toSnapshot(const RecDataStruct& record);

    void updatePanels(const RecDataStruct& record);
    void clearDisplayPanels();
    void updateParseHint();

signals:
    void snapshotReady(gcs::TelemetrySnapshot snapshot);
    void configChanged();
    void statsChanged();
    /// The statistics and status texts as the window shows them changed.
    void statsShown();
    void panelChanged();

private:
    void onRecord(const RecDataStruct& record);
    void publishRecord(const RecDataStruct& record);
    /// Publishes the records decoded from one chunk stamped at stamp.
    void publishChunk(double stamp);
    void onSerialConfig(const RecConfigSerialStruct& config);
    void onGyroConfig(const RecConfigGyroStruct& config);
    void onInstallConfig(const RecConfigInstallStruct& config);
    void onAxis(const QList<QString>& axis);
    void onSoftVer(const QString& version);
    void onGnssYaw(double value);
    void onExtrapTime(double value);
    void writeParseLog(int headerCount);
    /// Tells of changed statistics: streamed ones wait for showStats while paced.
    void noteStats(bool streamed);

    RecDataModel* m_model = nullptr;
    RecPacketFormat m_currentFormat = RecNullFormat;
    QString m_softver;
    QString m_axis;
    QVariantMap m_messageFields;
    QString m_packetFormat;
    QVariantMap m_serialConfig;
    QVariantMap m_gyroConfig;
    QVariantMap m_installConfig;
    double m_gnssYaw = 0;
    double m_extrapMs = 0;
    QString m_factoryRaw;
    QString m_gnssFixStatus;
    QString m_deviceNavStatus;
    QVariantMap m_imuPanel;
    QVariantMap m_ahrsPanel;
    QVariantMap m_sinsPanel;
    int m_panelEpoch = 0;
    QString m_parseHint;
    bool m_statsPaced = false;
    bool m_statsUnshown = false;
    /// Path of the per-chunk diagnostic file, empty unless GCS_PARSE_LOG asks for it.
    QString m_parseLogPath;

    std::function<double()> m_clock;
    /// Records decoded from the chunk being fed, published once it is whole.
    std::vector<RecDataStruct> m_chunkRecords;
    bool m_collecting = false;
    /// Bumped by resetParseBuffer, so a reset from a slot drops what is still to come.
    quint32 m_publishEpoch = 0;
    double m_recordTime = 0;
    /// Time of the last record published; NaN before the first one of a stream.
    double m_lastRecordTime = std::numeric_limits<double>::quiet_NaN();
    /// The time one record takes on average, as the stream has shown it.
    double m_recordInterval = kDefaultRecordInterval;
};

} // namespace gcs
