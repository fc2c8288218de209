#pragma once

#include "forward/ForwardOutput.h"
#include "ins/RecDataStruct.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QList>
#include <QString>

class QTcpServer;
class QTcpSocket;

namespace gcs {

/// Serves NMEA 0183 (NmeaSentences) over TCP to GNSS and mapping software: each record let
/// through at the chosen rate goes to every connected client as one batch of sentences.
///
/// The rate is a token bucket on the monotonic clock, so records that arrive together (one
/// serial read) are spread no differently from evenly spaced ones, and no more batches go
/// out than records came in. A client that does not read keeps at most kClientQueueCap
/// bytes waiting in the program (beyond the system's send buffer, set to kClientSendBuffer):
/// a batch that does not fit is dropped for that client alone and counted. At most
/// kMaxClients are served; a further one is accepted and closed at once.
class NmeaServer : public ForwardOutput
{
    Q_OBJECT
public:
    static constexpr int kMaxClients = 5;
    static constexpr qint64 kClientQueueCap = 64 * 1024;
    static constexpr int kClientSendBuffer = 16 * 1024;
    static constexpr double kMinRate = 0.1;
    static constexpr double kMaxRate = 100.0;

    explicit NmeaServer(QObject* parent = nullptr);
    ~NmeaServer() override;

    /// Listens on host (an address of this machine, or a name of one) and port; 0 takes a
    /// free port. rateHz is kept within kMinRate to kMaxRate.
    void start(const QString& host, quint16 port, double rateHz);
    void stop();
    void setRate(double rateHz);

    /// Sends the record's sentences to every client when the rate lets it through.
    void take(const RecDataStruct& record, qint64 hostRxMs);

    QString host() const { return m_host; }
    /// The port asked for, or once listening the port served.
    quint16 port() const { return m_port; }
    double rate() const { return m_rate; }
    int clientCount() const { return int(m_clients.size()); }
    /// Batches of sentences sent (to one client or several, counted once).
    qint64 batches() const { return m_batches; }
    /// Bytes dropped for clients that did not take them.
    qint64 droppedBytes() const { return m_droppedBytes; }
    /// The most bytes one client ever had waiting in the program.
    qint64 queuePeak() const { return m_queuePeak; }
    /// Connections closed at once because kMaxClients were served.
    int refusedClients() const { return m_refused; }

signals:
    void clientsChanged();

private:
    void listenOn(const QHostAddress& address);
    void onNewConnection();
    void dropClient(QTcpSocket* client);

    QTcpServer* m_server = nullptr;
    QList<QTcpSocket*> m_clients;
    QString m_host;
    quint16 m_port = 0;
    double m_rate = 10.0;
    int m_lookupId = -1;

    QElapsedTimer m_clock;
    double m_tokens = 1.0;
    qint64 m_lastTokenNs = 0;

    qint64 m_batches = 0;
    qint64 m_droppedBytes = 0;
    qint64 m_queuePeak = 0;
    int m_refused = 0;
    QByteArray m_batch;
};

} // namespace gcs
