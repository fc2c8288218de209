#pragma once

#include "link/TransportKind.h"

#include <QByteArray>
#include <QObject>
#include <QString>

namespace gcs {

/// A raw byte link to one device. Transports know no framing and no protocol; a Session
/// owns exactly one and relays its signals. Serial-only operations have neutral defaults
/// so that callers can ask any transport and act only when kind() is Serial.
class ITransport : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    ~ITransport() override = default;

    virtual bool open() = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    virtual bool send(const QByteArray& data) = 0;
    virtual bool sendBlocking(const QByteArray& data);
    virtual void clearOutbound();
    virtual void discardInbound();
    virtual int baudRate() const;
    virtual bool applyBaudRate(int baud);
    virtual QByteArray readInbound();
    virtual TransportKind kind() const = 0;
    virtual QString description() const = 0;

signals:
    /// Received bytes in arrival order; chunk boundaries carry no meaning.
    void bytesReceived(QByteArray data);
    /// The link opened (true), or closed or failed to open (false).
    void stateChanged(bool open);
    /// A link error; the text is the underlying device or socket error string.
    void errorOccurred(QString message);
    /// The link failed for good by itself (the device went away): the transport closes
    /// right after, from the event loop. Emitted once per failure, just before the
    /// errorOccurred that carries the reason, so that an owner that takes the loss in
    /// hand can tell that error from others.
    void linkLost();
};

} // namespace gcs
