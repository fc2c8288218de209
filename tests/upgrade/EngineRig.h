#pragma once

#include "FakeTransport.h"

#include "upgrade/YModem.h"

#include <QSignalSpy>
#include <QStringList>

namespace gcs::test {

inline const QByteArray kAck("\x06");
inline const QByteArray kNak("\x15");
inline const QByteArray kC("C");
inline const QByteArray kEot("\x04");
inline const QByteArray kCanCan("\x18\x18");

/// An engine on a fake transport, driven synchronously: what the engine writes is
/// recorded, its status texts and its finished signal are collected.
struct EngineRig
{
    FakeTransport link;
    YModem engine;
    QSignalSpy finished { &engine, &YModem::finished };
    QStringList statuses;

    EngineRig()
    {
        engine.attach(&link);
        QObject::connect(&engine, &YModem::statusTextChanged,
                         [this] { statuses << engine.statusText(); });
    }
    QByteArray last() const { return link.writes.isEmpty() ? QByteArray() : link.writes.last(); }
    /// Feeds bytes and returns what the engine answered to them.
    QByteArray feed(const QByteArray& bytes)
    {
        const qsizetype before = link.writes.size();
        engine.onRx(bytes);
        QByteArray answer;
        for (qsizetype i = before; i < link.writes.size(); ++i)
            answer += link.writes.at(i);
        return answer;
    }
};

} // namespace gcs::test
