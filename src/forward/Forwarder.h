#pragma once

#include "forward/ForwardOutput.h"
#include "ins/RecDataStruct.h"

#include <QObject>
#include <QString>

class QTimer;

namespace gcs {

class NmeaServer;
class UdpJsonSender;

/// Hands the decoded records on to other programs ("app.forward"): one JSON datagram per
/// record over UDP for plotting tools (UdpJsonSender), and NMEA 0183 over TCP for GNSS and
/// mapping software (NmeaServer). Fed by whatever decodes records, a live link or a
/// replay alike; each output is switched on and off with its address on its own.
///
/// A failure (an address that cannot be resolved or listened on, a port in use, datagrams
/// that do not go) is told through errorOccurred and the output's state text, and stays
/// with that output: the records and the link that brings them go on.
class Forwarder : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool udpEnabled READ udpEnabled NOTIFY configChanged)
    Q_PROPERTY(QString udpHost READ udpHost NOTIFY configChanged)
    Q_PROPERTY(int udpPort READ udpPort NOTIFY configChanged)
    Q_PROPERTY(bool nmeaEnabled READ nmeaEnabled NOTIFY configChanged)
    Q_PROPERTY(QString nmeaHost READ nmeaHost NOTIFY configChanged)
    Q_PROPERTY(int nmeaPort READ nmeaPort NOTIFY configChanged)
    Q_PROPERTY(double nmeaRate READ nmeaRate NOTIFY configChanged)
    Q_PROPERTY(int udpState READ udpState NOTIFY stateChanged)
    Q_PROPERTY(QString udpStateText READ udpStateText NOTIFY stateChanged)
    Q_PROPERTY(int nmeaState READ nmeaState NOTIFY stateChanged)
    Q_PROPERTY(QString nmeaStateText READ nmeaStateText NOTIFY stateChanged)
    Q_PROPERTY(int nmeaClients READ nmeaClients NOTIFY stateChanged)
    /// An output is on and working (sending, or listening).
    Q_PROPERTY(bool active READ active NOTIFY stateChanged)
    Q_PROPERTY(qint64 udpDatagrams READ udpDatagrams NOTIFY countersChanged)
    Q_PROPERTY(qint64 nmeaBatches READ nmeaBatches NOTIFY countersChanged)
    Q_PROPERTY(qint64 nmeaDroppedBytes READ nmeaDroppedBytes NOTIFY countersChanged)
public:
    /// An output's state for the window: ForwardOutput::State as a number.
    enum State {
        Off = int(ForwardOutput::State::Off),
        Starting = int(ForwardOutput::State::Starting),
        Working = int(ForwardOutput::State::Working),
        Failed = int(ForwardOutput::State::Failed)
    };
    Q_ENUM(State)

    static constexpr const char* kDefaultUdpHost = "127.0.0.1";
    static constexpr int kDefaultUdpPort = 9870;
    static constexpr const char* kDefaultNmeaHost = "127.0.0.1";
    static constexpr int kDefaultNmeaPort = 10110;
    static constexpr double kDefaultNmeaRate = 10.0;
    /// How often the counters are told while an output is on.
    static constexpr int kCountersIntervalMs = 500;

    explicit Forwarder(QObject* parent = nullptr);
    ~Forwarder() override;

    /// Switches the UDP JSON output on (to host:port) or off. False, told through
    /// errorOccurred, when switching on with no host or a port outside 1 to 65535; the
    /// output is then left as it was.
    Q_INVOKABLE bool setUdp(bool enabled, const QString& host, int port);
    /// The same for the NMEA server, listening on host:port; rateHz from 0.1 to 100.
    Q_INVOKABLE bool setNmea(bool enabled, const QString& host, int port, double rateHz);

    /// One decoded record and the host time it arrived at (ms since the epoch).
    void take(const RecDataStruct& record, qint64 hostRxMs);

    bool udpEnabled() const { return m_udpEnabled; }
    QString udpHost() const { return m_udpHost; }
    int udpPort() const { return m_udpPort; }
    bool nmeaEnabled() const { return m_nmeaEnabled; }
    QString nmeaHost() const { return m_nmeaHost; }
    int nmeaPort() const { return m_nmeaPort; }
    double nmeaRate() const { return m_nmeaRate; }
    int udpState() const;
    QString udpStateText() const;
    int nmeaState() const;
    QString nmeaStateText() const;
    int nmeaClients() const;
    bool active() const { return udpState() == Working || nmeaState() == Working; }
    qint64 udpDatagrams() const;
    qint64 nmeaBatches() const;
    qint64 nmeaDroppedBytes() const;
    /// Records taken since the forwarder was made.
    qint64 records() const { return m_records; }

    UdpJsonSender* udpSender() const { return m_udp; }
    NmeaServer* nmeaServer() const { return m_nmea; }

signals:
    /// The outputs' switches or addresses changed (worth remembering).
    void configChanged();
    void stateChanged();
    void countersChanged();
    void errorOccurred(const QString& message);

private:
    bool refuse(const QString& message);
    void onStateChanged();
    void tellCounters();

    UdpJsonSender* m_udp = nullptr;
    NmeaServer* m_nmea = nullptr;
    QTimer* m_countersTimer = nullptr;
    bool m_udpEnabled = false;
    QString m_udpHost = QString::fromLatin1(kDefaultUdpHost);
    int m_udpPort = kDefaultUdpPort;
    bool m_nmeaEnabled = false;
    QString m_nmeaHost = QString::fromLatin1(kDefaultNmeaHost);
    int m_nmeaPort = kDefaultNmeaPort;
    double m_nmeaRate = kDefaultNmeaRate;
    qint64 m_records = 0;
    qint64 m_toldDatagrams = 0;
    qint64 m_toldBatches = 0;
    qint64 m_toldDropped = 0;
};

} // namespace gcs
