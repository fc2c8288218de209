#pragma once

#include "link/ITransport.h"
#include "link/Session.h"
#include "upgrade/YModem.h"

#include <QSignalSpy>
#include <QStringList>

#include <functional>
#include <memory>

namespace gcs::test {

inline const QByteArray kAck("\x06");
inline const QByteArray kNak("\x15");
inline const QByteArray kC("C");
inline const QByteArray kEot("\x04");
inline const QByteArray kCanCan("\x18\x18");

/// A transport that records every write and lets a test answer synchronously, also from
/// inside sendBlocking (as a real link may, when the event loop runs during a write), or
/// leave bytes it has read but not announced (as a serial port does while it writes).
class FakeTransport : public ITransport
{
public:
    bool open() override { return true; }
    void close() override { }
    bool isOpen() const override { return true; }
    bool send(const QByteArray& data) override { return sendBlocking(data); }
    bool sendBlocking(const QByteArray& data) override
    {
        maxDepth = qMax(maxDepth, ++depth);
        writes << data;
        if (onWrite)
            onWrite(data);
        --depth;
        return !refuseWrites;
    }
    void discardInbound() override { inbound.clear(); }
    QByteArray readInbound() override { return std::exchange(inbound, QByteArray()); }
    TransportKind kind() const override { return TransportKind::Serial; }
    QString description() const override { return QStringLiteral("fake"); }

    QList<QByteArray> writes;
    std::function<void(const QByteArray&)> onWrite; ///< called inside sendBlocking
    bool refuseWrites = false;
    QByteArray inbound; ///< read but not announced: returned (once) by readInbound
    int depth = 0;
    int maxDepth = 0;
};

/// The engine on a fake transport owned by a session, wired as the program wires it: the
/// session's chunks go to the engine while it is busy. Its status texts are collected.
struct EngineRig
{
    Session session { "dev", "fake", std::make_unique<FakeTransport>() };
    FakeTransport& link = *static_cast<FakeTransport*>(session.transport());
    YModem engine;
    QSignalSpy finished { &engine, &YModem::finished };
    QStringList statuses;

    EngineRig()
    {
        engine.attach(&link);
        QObject::connect(&session, &Session::bytesReceived, &engine, [this](const QByteArray& d) {
            if (engine.busy())
                engine.onRx(d);
        });
        QObject::connect(&engine, &YModem::statusTextChanged,
                         [this] { statuses << engine.statusText(); });
    }
    /// Bytes from the device, announced by the transport; returns what the engine answered.
    QByteArray feed(const QByteArray& bytes)
    {
        const qsizetype before = link.writes.size();
        emit link.bytesReceived(bytes);
        return link.writes.mid(before).join();
    }
    QString message() const { return finished.isEmpty() ? "<running>" : finished[0][1].toString(); }
};

} // namespace gcs::test
