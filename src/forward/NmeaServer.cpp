#include "forward/NmeaServer.h"

#include "forward/ForwardLogging.h"
#include "forward/HostLookup.h"
#include "forward/NmeaSentences.h"

#include <QTcpServer>
#include <QTcpSocket>

#include <algorithm>

namespace gcs {

namespace {

/// The bucket holds at most this long a run of tokens, and never less than one: after a
/// silence the next record goes at once, but not a burst of them.
constexpr double kBurstSeconds = 0.05;

} // namespace

NmeaServer::NmeaServer(QObject* parent)
    : ForwardOutput(parent)
    , m_server(new QTcpServer(this))
{
    m_clock.start();
    connect(m_server, &QTcpServer::newConnection, this, &NmeaServer::onNewConnection);
}

NmeaServer::~NmeaServer()
{
    HostLookup::abort(m_lookupId);
}

void NmeaServer::start(const QString& host, quint16 port, double rateHz)
{
    stop();
    m_host = host.trimmed();
    m_port = port;
    setRate(rateHz);
    setState(State::Starting);
    const int lookup = HostLookup::start(
        m_host, this, [this](const QHostAddress& address, const QString& error) {
            m_lookupId = -1;
            if (address.isNull())
                fail(tr("NMEA 转发：无法解析地址 %1（%2）").arg(m_host, error));
            else
                listenOn(address);
        });
    if (state() == State::Starting)
        m_lookupId = lookup;
}

void NmeaServer::listenOn(const QHostAddress& address)
{
    if (!m_server->listen(address, m_port)) {
        const QString where = QStringLiteral("%1:%2").arg(m_host, QString::number(m_port));
        switch (m_server->serverError()) {
        case QAbstractSocket::AddressInUseError:
            fail(tr("NMEA 转发：端口 %1 已被占用（%2），请换一个端口")
                     .arg(QString::number(m_port), where));
            break;
        case QAbstractSocket::SocketAddressNotAvailableError:
            fail(tr("NMEA 转发：%1 不是本机的地址，无法在其上监听").arg(m_host));
            break;
        case QAbstractSocket::SocketAccessError:
            fail(tr("NMEA 转发：无权监听 %1").arg(where));
            break;
        default:
            fail(tr("NMEA 转发：无法监听 %1（%2）").arg(where, m_server->errorString()));
            break;
        }
        return;
    }
    m_port = m_server->serverPort();
    qCInfo(lcForward) << "NMEA over TCP on" << m_server->serverAddress().toString() << m_port;
    m_tokens = 1.0;
    m_lastTokenNs = m_clock.nsecsElapsed();
    setState(State::Working);
}

void NmeaServer::stop()
{
    HostLookup::abort(m_lookupId);
    m_lookupId = -1;
    m_server->close();
    const bool hadClients = !m_clients.isEmpty();
    for (QTcpSocket* client : std::as_const(m_clients)) {
        client->disconnect(this);
        client->abort();
        client->deleteLater();
    }
    m_clients.clear();
    m_error.clear();
    setState(State::Off);
    if (hadClients)
        emit clientsChanged();
}

void NmeaServer::setRate(double rateHz)
{
    m_rate = std::clamp(rateHz, kMinRate, kMaxRate);
}

void NmeaServer::take(const RecDataStruct& record, qint64 hostRxMs)
{
    if (state() != State::Working || m_clients.isEmpty())
        return;
    const qint64 now = m_clock.nsecsElapsed();
    const double burst = std::max(1.0, m_rate * kBurstSeconds);
    m_tokens = std::min(burst, m_tokens + double(now - m_lastTokenNs) * 1e-9 * m_rate);
    m_lastTokenNs = now;
    if (m_tokens < 1.0)
        return;
    m_batch.clear();
    NmeaSentences::append(m_batch, record, hostRxMs);
    if (m_batch.isEmpty())
        return;
    m_tokens -= 1.0;
    ++m_batches;
    for (QTcpSocket* client : std::as_const(m_clients)) {
        const qint64 waiting = client->bytesToWrite();
        if (waiting + m_batch.size() > kClientQueueCap) {
            m_droppedBytes += m_batch.size();
            continue;
        }
        client->write(m_batch);
        m_queuePeak = std::max(m_queuePeak, waiting + m_batch.size());
    }
}

void NmeaServer::onNewConnection()
{
    while (QTcpSocket* client = m_server->nextPendingConnection()) {
        if (m_clients.size() >= kMaxClients) {
            ++m_refused;
            qCInfo(lcForward) << "NMEA client refused, already serving" << kMaxClients;
            // Nothing was written: closing sends the end of the stream, not a reset.
            client->close();
            client->deleteLater();
            continue;
        }
        client->setSocketOption(QAbstractSocket::SendBufferSizeSocketOption, kClientSendBuffer);
        client->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        // What a client says is not listened to, nor kept.
        connect(client, &QTcpSocket::readyRead, client, [client]() { client->readAll(); });
        connect(client, &QTcpSocket::disconnected, this, [this, client]() { dropClient(client); });
        m_clients.append(client);
        qCInfo(lcForward) << "NMEA client" << client->peerAddress().toString()
                          << client->peerPort();
        emit clientsChanged();
    }
}

void NmeaServer::dropClient(QTcpSocket* client)
{
    if (!m_clients.removeOne(client))
        return;
    client->disconnect(this);
    client->deleteLater();
    emit clientsChanged();
}

} // namespace gcs
