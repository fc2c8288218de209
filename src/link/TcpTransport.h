#pragma once

#include "link/ITransport.h"

#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

#include <memory>

namespace gcs {

/// A TCP listening socket that talks to the client that connected last. Listening counts
/// as open, with or without a client; a new client replaces the previous one.
class TcpTransport : public ITransport
{
    Q_OBJECT
public:
    explicit TcpTransport(quint16 listenPort, QObject* parent = nullptr);
    ~TcpTransport() override;

    bool open() override;
    void close() override;
    bool isOpen() const override { return m_server->isListening(); }
    bool send(const QByteArray& data) override;
    TransportKind kind() const override { return TransportKind::Tcp; }
    QString description() const override;

    /// The port actually listened on (useful when the listen port was 0).
    quint16 serverPort() const { return m_server->serverPort(); }
    bool hasClient() const { return !m_client.isNull(); }

private:
    void onNewConnection();
    void dropClient();

    std::unique_ptr<QTcpServer> m_server;
    QPointer<QTcpSocket> m_client;
    quint16 m_listenPort = 0;
};

} // namespace gcs
