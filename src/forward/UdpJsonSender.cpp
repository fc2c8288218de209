#include "forward/UdpJsonSender.h"

#include "forward/ForwardLogging.h"
#include "forward/HostLookup.h"
#include "forward/JsonRecord.h"

#include <QUdpSocket>

namespace gcs {

UdpJsonSender::UdpJsonSender(QObject* parent)
    : ForwardOutput(parent)
    , m_socket(new QUdpSocket(this))
{ }

UdpJsonSender::~UdpJsonSender()
{
    HostLookup::abort(m_lookupId);
}

void UdpJsonSender::start(const QString& host, quint16 port)
{
    stop();
    m_host = host.trimmed();
    m_port = port;
    setState(State::Starting);
    const int lookup = HostLookup::start(
        m_host, this, [this](const QHostAddress& address, const QString& error) {
            m_lookupId = -1;
            if (address.isNull()) {
                fail(tr("UDP 转发：无法解析地址 %1（%2）").arg(m_host, error));
                return;
            }
            m_address = address;
            qCInfo(lcForward) << "UDP JSON to" << m_address.toString() << m_port;
            setState(State::Working);
        });
    // An address is taken at once; only a name leaves a lookup running.
    if (state() == State::Starting)
        m_lookupId = lookup;
}

void UdpJsonSender::stop()
{
    HostLookup::abort(m_lookupId);
    m_lookupId = -1;
    m_error.clear();
    m_address.clear();
    setState(State::Off);
}

void UdpJsonSender::send(const RecDataStruct& record, qint64 hostRxMs)
{
    if (state() != State::Working)
        return;
    JsonRecord::write(m_datagram, record, hostRxMs);
    if (m_socket->writeDatagram(m_datagram, m_address, m_port) == m_datagram.size()) {
        ++m_datagrams;
        if (!m_error.isEmpty()) {
            m_error.clear();
            emit stateChanged();
        }
        return;
    }
    ++m_sendErrors;
    // Told once until a datagram goes through again.
    const QString reason = m_socket->errorString();
    if (m_error.isEmpty()) {
        m_error
            = tr("UDP 转发：发送到 %1:%2 失败（%3）").arg(m_host, QString::number(m_port), reason);
        qCWarning(lcForward) << m_error;
        emit stateChanged();
        emit failed(m_error);
    }
}

} // namespace gcs
