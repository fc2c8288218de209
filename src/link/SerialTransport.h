#pragma once

#include "link/ITransport.h"

#include <QSerialPort>

#include <memory>

namespace gcs {

class SendQueue;

/// A serial port behind the transport interface: 8 data bits, no parity, one stop bit,
/// the same baud in both directions. Writes go through a SendQueue; reads are relayed
/// as they arrive.
///
/// A fatal port error (the device went away, a read or write failed) is reported once, as
/// linkLost and then errorOccurred; the port is then closed from the event loop and
/// stateChanged(false) follows, because the serial library keeps signalling a dead port
/// in a tight loop otherwise.
class SerialTransport : public ITransport
{
    Q_OBJECT
public:
    SerialTransport(const QString& portName, int baud, QObject* parent = nullptr);
    ~SerialTransport() override;

    bool open() override;
    void close() override;
    bool isOpen() const override;
    bool send(const QByteArray& data) override;
    /// Drops whatever is still queued, writes data directly and waits (at most 5000 ms)
    /// until no byte of it is left to write.
    bool sendBlocking(const QByteArray& data) override;
    void clearOutbound() override;
    void discardInbound() override;
    int baudRate() const override;
    bool applyBaudRate(int baud) override;
    QByteArray readInbound() override;
    TransportKind kind() const override { return TransportKind::Serial; }
    QString description() const override;

    /// Closes (silently), switches the baud rate and opens again; reports only the
    /// final state. Used to move a link to the boot loader's rate and back.
    bool reopenAt(int baud);

    QString portName() const;
    void setPort(const QString& portName);
    bool setBaud(int baud) { return applyBaudRate(baud); }

    static constexpr int kBlockingWriteTimeoutMs = 5000;

private:
    bool openPort();
    void onReadyRead();
    void onPortError(QSerialPort::SerialPortError error);
    void closeAfterFatalError();

    std::unique_ptr<QSerialPort> m_port;
    SendQueue* m_queue = nullptr;
    bool m_opening = false;
    bool m_fatalReported = false;
};

} // namespace gcs
