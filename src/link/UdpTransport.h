#pragma once

#include "link/ITransport.h"

#include <QHostAddress>
#include <QUdpSocket>

#include <memory>

namespace gcs {

/// Datagrams between a local address and port and one fixed remote address and port.
/// Every send goes to the fixed remote; datagrams from any sender are relayed, one
/// bytesReceived per datagram.
class UdpTransport : public ITransport
{
    Q_OBJECT
public:
    UdpTransport(const QString& localIp, quint16 localPort, const QString& remoteIp,
                 quint16 remotePort, QObject* parent = nullptr);
    ~UdpTransport() override;

    bool open() override;
    void close() override;
    bool isOpen() const override { return m_bound; }
    bool send(const QByteArray& data) override;
    TransportKind kind() const override { return TransportKind::Udp; }
    QString description() const override;

    /// The port actually bound (useful when the local port was 0).
    quint16 boundPort() const;

private:
    void onReadyRead();

    std::unique_ptr<QUdpSocket> m_socket;
    QHostAddress m_localAddress;
    quint16 m_localPort = 0;
    QHostAddress m_remoteAddress;
    quint16 m_remotePort = 0;
    bool m_bound = false;
};

} // namespace gcs
