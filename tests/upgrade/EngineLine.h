#pragma once

#include "TestSupport.h"

#include "link/SerialTransport.h"
#include "upgrade/YModem.h"

#include <QSignalSpy>
#include <QStringList>

#include <memory>

namespace gcs::test {

/// The engine on a real serial transport at one end of a socat pty pair; the far end is
/// free for a peer (lrzsz, or a relay). Received chunks go to the engine as the program's
/// controller routes them.
class EngineLine
{
public:
    bool start(QString* error)
    {
        if (!pair.start()) {
            *error = pair.errorText();
            return false;
        }
        link = std::make_unique<SerialTransport>(pair.endA(), 115200);
        if (!link->open()) {
            *error = QStringLiteral("cannot open %1").arg(pair.endA());
            return false;
        }
        engine.attach(link.get());
        QObject::connect(link.get(), &ITransport::bytesReceived, &engine, &YModem::onRx);
        QObject::connect(&engine, &YModem::statusTextChanged,
                         [this] { statuses << engine.statusText(); });
        return true;
    }
    QString peerEnd() const { return pair.endB(); }
    bool waitFinished(int timeoutMs)
    {
        return waitUntil([this] { return !finished.isEmpty(); }, timeoutMs);
    }
    bool ok() const { return !finished.isEmpty() && finished.first().at(0).toBool(); }
    QString message() const
    {
        return finished.isEmpty() ? QStringLiteral("<not finished>")
                                  : finished.first().at(1).toString();
    }

    PtyPair pair;
    std::unique_ptr<SerialTransport> link;
    YModem engine;
    QSignalSpy finished { &engine, &YModem::finished };
    QStringList statuses;
};

} // namespace gcs::test
