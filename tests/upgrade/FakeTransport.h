#pragma once

#include "link/ITransport.h"

#include <QByteArray>
#include <QList>

#include <functional>
#include <utility>

namespace gcs::test {

/// A transport that records every write and lets a test answer synchronously, also from
/// inside sendBlocking (as a real link may, when the event loop runs during a write).
class FakeTransport : public ITransport
{
public:
    bool open() override { return m_open = true; }
    void close() override { m_open = false; }
    bool isOpen() const override { return m_open; }
    bool send(const QByteArray& data) override { return sendBlocking(data); }
    bool sendBlocking(const QByteArray& data) override
    {
        ++depth;
        maxDepth = qMax(maxDepth, depth);
        writes << data;
        if (onWrite)
            onWrite(data);
        --depth;
        return acceptWrite ? acceptWrite(data) : true;
    }
    QByteArray readInbound() override { return std::exchange(inbound, QByteArray()); }
    int baudRate() const override { return baud; }
    TransportKind kind() const override { return transportKind; }
    QString description() const override { return QStringLiteral("fake"); }

    QList<QByteArray> writes;
    /// Called inside sendBlocking with the bytes being written.
    std::function<void(const QByteArray&)> onWrite;
    /// Decides the result of a write (true when unset).
    std::function<bool(const QByteArray&)> acceptWrite;
    QByteArray inbound; ///< returned (once) by readInbound
    int baud = 115200;
    TransportKind transportKind = TransportKind::Serial;
    int depth = 0;
    int maxDepth = 0;

private:
    bool m_open = true;
};

} // namespace gcs::test
