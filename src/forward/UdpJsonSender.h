#pragma once

#include "forward/ForwardOutput.h"
#include "ins/RecDataStruct.h"

#include <QByteArray>
#include <QHostAddress>
#include <QString>

class QUdpSocket;

namespace gcs {

/// Sends every navigation record as one JSON datagram (JsonRecord) to a host and port, as
/// plotting tools take them. A host name is looked up first, without blocking. A datagram
/// that cannot be sent is counted and told once, not for every record, and sending goes on
/// with the next record: nothing here stops the data that feed it.
class UdpJsonSender : public ForwardOutput
{
    Q_OBJECT
public:
    explicit UdpJsonSender(QObject* parent = nullptr);
    ~UdpJsonSender() override;

    /// Starts sending to host:port (1 to 65535), after a lookup when host is a name.
    void start(const QString& host, quint16 port);
    void stop();

    /// Sends the record while Sending.
    void send(const RecDataStruct& record, qint64 hostRxMs);

    QString host() const { return m_host; }
    quint16 port() const { return m_port; }
    QHostAddress address() const { return m_address; }
    qint64 datagrams() const { return m_datagrams; }
    qint64 sendErrors() const { return m_sendErrors; }

private:
    QUdpSocket* m_socket = nullptr;
    QString m_host;
    quint16 m_port = 0;
    QHostAddress m_address;
    int m_lookupId = -1;
    qint64 m_datagrams = 0;
    qint64 m_sendErrors = 0;
    QByteArray m_datagram;
};

} // namespace gcs
