#include "link/UdpTransport.h"

namespace gcs {

namespace {

QHostAddress parseAddress(const QString& text)
{
    const QString trimmed = text.trimmed();
    return trimmed.isEmpty() ? QHostAddress() : QHostAddress(trimmed);
}

QString addressText(const QHostAddress& address)
{
    return address.isNull() ? QString() : address.toString();
}

} // namespace

UdpTransport::UdpTransport(const QString& localIp, quint16 localPort, const QString& remoteIp,
                           quint16 remotePort, QObject* parent)
    : ITransport(parent)
    , m_socket(std::make_unique<QUdpSocket>())
    , m_localAddress(parseAddress(localIp))
    , m_localPort(localPort)
    , m_remoteAddress(parseAddress(remoteIp))
    , m_remotePort(remotePort)
{
    connect(m_socket.get(), &QUdpSocket::readyRead, this, &UdpTransport::onReadyRead);
}

UdpTransport::~UdpTransport()
{
    m_socket->disconnect(this);
    m_socket->close();
    if (m_bound) {
        m_bound = false;
        emit stateChanged(false);
    }
}

bool UdpTransport::open()
{
    if (m_bound)
        return true;
    // A null local address binds to any address, as an empty or "0.0.0.0" text means.
    const QHostAddress address
        = m_localAddress.isNull() ? QHostAddress(QHostAddress::Any) : m_localAddress;
    m_bound = m_socket->bind(address, m_localPort, QAbstractSocket::DefaultForPlatform);
    emit stateChanged(m_bound);
    if (!m_bound)
        emit errorOccurred(m_socket->errorString());
    return m_bound;
}

void UdpTransport::close()
{
    m_socket->close();
    if (m_bound) {
        m_bound = false;
        emit stateChanged(false);
    }
}

bool UdpTransport::send(const QByteArray& data)
{
    if (!m_bound)
        return false;
    return m_socket->writeDatagram(data, m_remoteAddress, m_remotePort) == data.size();
}

QString UdpTransport::description() const
{
    // One arg() call: an IPv6 address with a numeric scope ("fe80::1%2") must not take the
    // place of the next number.
    return QStringLiteral("UDP %1:%2 → %3:%4")
        .arg(addressText(m_localAddress), QString::number(m_localPort),
             addressText(m_remoteAddress), QString::number(m_remotePort));
}

quint16 UdpTransport::boundPort() const
{
    return m_socket->localPort();
}

void UdpTransport::onReadyRead()
{
    while (m_socket->hasPendingDatagrams()) {
        QByteArray datagram(qsizetype(qMax<qint64>(0, m_socket->pendingDatagramSize())),
                            Qt::Uninitialized);
        const qint64 n = m_socket->readDatagram(datagram.data(), datagram.size());
        if (n < 0)
            break;
        datagram.resize(n);
        emit bytesReceived(datagram);
    }
}

} // namespace gcs
