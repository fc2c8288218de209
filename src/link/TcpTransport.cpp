#include "link/TcpTransport.h"

namespace gcs {

TcpTransport::TcpTransport(quint16 listenPort, QObject* parent)
    : ITransport(parent)
    , m_server(std::make_unique<QTcpServer>())
    , m_listenPort(listenPort)
{
    connect(m_server.get(), &QTcpServer::newConnection, this, &TcpTransport::onNewConnection);
}

TcpTransport::~TcpTransport()
{
    m_server->disconnect(this);
    dropClient();
    m_server->close();
    emit stateChanged(false);
}

bool TcpTransport::open()
{
    const bool ok = m_server->listen(QHostAddress::Any, m_listenPort);
    emit stateChanged(ok);
    if (!ok)
        emit errorOccurred(m_server->errorString());
    return ok;
}

void TcpTransport::close()
{
    dropClient();
    m_server->close();
    emit stateChanged(false);
}

bool TcpTransport::send(const QByteArray& data)
{
    if (!m_client)
        return false;
    return m_client->write(data) == data.size();
}

QString TcpTransport::description() const
{
    return QStringLiteral("TCP listen :%1").arg(m_listenPort);
}

void TcpTransport::dropClient()
{
    if (!m_client)
        return;
    // The client may be inside one of its own notifications: never delete it directly.
    QTcpSocket* old = m_client;
    m_client = nullptr;
    old->disconnect(this);
    old->disconnectFromHost();
    old->deleteLater();
}

void TcpTransport::onNewConnection()
{
    while (m_server->hasPendingConnections()) {
        dropClient();
        QTcpSocket* client = m_server->nextPendingConnection();
        if (!client)
            break;
        m_client = client;
        connect(client, &QTcpSocket::readyRead, this,
                [this, client] { emit bytesReceived(client->readAll()); });
        connect(client, &QTcpSocket::disconnected, this,
                [this] { emit stateChanged(m_server->isListening()); });
        emit stateChanged(true);
    }
}

} // namespace gcs
