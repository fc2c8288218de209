#include "upgrade/YModem.h"

namespace gcs {

YModem::YModem(QObject* parent)
    : QObject(parent)
{ }

YModem::~YModem() = default;

void YModem::attach(ITransport* transport)
{
    m_transport = transport;
}

bool YModem::startSend(const QString&)
{
    return false;
}

void YModem::beginHandshake(int) { }

bool YModem::startReceive(const QString&)
{
    return false;
}

void YModem::cancel() { }

void YModem::onRx(const QByteArray&) { }

} // namespace gcs
