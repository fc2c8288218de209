#include "link/ITransport.h"

namespace gcs {

bool ITransport::sendBlocking(const QByteArray& data)
{
    return send(data);
}

void ITransport::clearOutbound() { }

void ITransport::discardInbound() { }

int ITransport::baudRate() const
{
    return 0;
}

bool ITransport::applyBaudRate(int)
{
    return false;
}

QByteArray ITransport::readInbound()
{
    return {};
}

} // namespace gcs
