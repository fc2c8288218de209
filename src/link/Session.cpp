#include "link/Session.h"

namespace gcs {

Session::Session(const QString& id, const QString& label, std::unique_ptr<ITransport> transport,
                 QObject* parent)
    : QObject(parent)
    , m_id(id)
    , m_label(label)
    , m_transport(std::move(transport))
{
    if (!m_transport)
        return;
    // The transport is owned here, not by Qt parentage: it must die with the session.
    m_transport->setParent(nullptr);
    connect(m_transport.get(), &ITransport::bytesReceived, this, &Session::onTransportBytes);
    connect(m_transport.get(), &ITransport::stateChanged, this, &Session::connectedChanged);
    connect(m_transport.get(), &ITransport::errorOccurred, this, &Session::errorOccurred);
    connect(m_transport.get(), &ITransport::linkLost, this, &Session::linkLost);
}

Session::~Session()
{
    // Destroying an open transport closes it and announces the close while the session
    // is still a valid object for its listeners.
    m_transport.reset();
}

bool Session::connectTransport()
{
    return m_transport && m_transport->open();
}

void Session::disconnectTransport()
{
    if (m_transport)
        m_transport->close();
}

bool Session::isConnected() const
{
    return m_transport && m_transport->isOpen();
}

QString Session::description() const
{
    return m_transport ? m_transport->description() : m_label;
}

bool Session::send(const QByteArray& data)
{
    if (!isConnected() || !m_transport->send(data))
        return false;
    m_txBytes += data.size();
    emit statsChanged();
    return true;
}

void Session::onTransportBytes(const QByteArray& data)
{
    m_rxBytes += data.size();
    emit statsChanged();
    emit bytesReceived(data);
}

} // namespace gcs
