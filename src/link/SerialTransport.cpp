#include "link/SerialTransport.h"

#include "link/SendQueue.h"
#include "link/SerialPortName.h"

#include <QDeadlineTimer>
#include <QLoggingCategory>
#include <QMetaObject>

Q_LOGGING_CATEGORY(lcSerial, "gcs.link.serial", QtWarningMsg)

namespace gcs {

namespace {

bool serialSendRaw(void* context, const QByteArray& data)
{
    auto* port = static_cast<QSerialPort*>(context);
    return port->write(data) == data.size();
}

bool isFatal(QSerialPort::SerialPortError error)
{
    return error == QSerialPort::ResourceError || error == QSerialPort::ReadError
        || error == QSerialPort::WriteError;
}

} // namespace

SerialTransport::SerialTransport(const QString& portName, int baud, QObject* parent)
    : ITransport(parent)
    , m_port(std::make_unique<QSerialPort>())
    , m_queue(new SendQueue(this))
{
    m_port->setPortName(normalizedSerialPortName(portName));
    m_port->setBaudRate(baud, QSerialPort::AllDirections);
    m_port->setDataBits(QSerialPort::Data8);
    m_port->setParity(QSerialPort::NoParity);
    m_port->setStopBits(QSerialPort::OneStop);
    connect(m_port.get(), &QSerialPort::readyRead, this, &SerialTransport::onReadyRead);
    connect(m_port.get(), &QSerialPort::errorOccurred, this, &SerialTransport::onPortError);
    m_queue->setSender(m_port.get(), &serialSendRaw);
}

SerialTransport::~SerialTransport()
{
    if (m_port->isOpen()) {
        m_port->close();
        emit stateChanged(false);
    }
    delete m_queue;
    m_queue = nullptr;
    m_port->disconnect(this);
}

bool SerialTransport::openPort()
{
    // The serial library raises its own error notification while opening; the failure is
    // reported once, after stateChanged(false), by the caller.
    m_opening = true;
    const bool ok = m_port->open(QIODevice::ReadWrite);
    m_opening = false;
    m_fatalReported = false;
    emit stateChanged(ok);
    if (!ok)
        emit errorOccurred(m_port->errorString());
    return ok;
}

bool SerialTransport::open()
{
    if (m_port->isOpen())
        return true;
    return openPort();
}

void SerialTransport::close()
{
    if (!m_port->isOpen())
        return;
    m_port->close();
    emit stateChanged(false);
}

bool SerialTransport::isOpen() const
{
    return m_port->isOpen();
}

bool SerialTransport::send(const QByteArray& data)
{
    if (!isOpen())
        return false;
    return m_queue->enqueue(data);
}

bool SerialTransport::sendBlocking(const QByteArray& data)
{
    if (!isOpen() || data.isEmpty())
        return false;
    m_queue->clear();
    if (m_port->write(data) != data.size())
        return false;
    // One successful wait does not mean the library's buffer is empty: it may have
    // handed only part of it to the device. Wait until nothing is left.
    QDeadlineTimer deadline(kBlockingWriteTimeoutMs);
    while (m_port->bytesToWrite() > 0) {
        const qint64 left = deadline.remainingTime();
        if (left <= 0 || !m_port->waitForBytesWritten(int(left)))
            return m_port->bytesToWrite() == 0;
    }
    return true;
}

void SerialTransport::clearOutbound()
{
    m_queue->clear();
}

void SerialTransport::discardInbound()
{
    m_port->clear(QSerialPort::Input);
    if (m_port->bytesAvailable() > 0)
        m_port->readAll();
}

int SerialTransport::baudRate() const
{
    return m_port->baudRate();
}

bool SerialTransport::applyBaudRate(int baud)
{
    return m_port->setBaudRate(baud, QSerialPort::AllDirections);
}

QByteArray SerialTransport::readInbound()
{
    if (!m_port->isOpen())
        return {};
    return m_port->readAll();
}

QString SerialTransport::description() const
{
    return QStringLiteral("Serial: %1 @ %2")
        .arg(m_port->portName(), QString::number(m_port->baudRate()));
}

bool SerialTransport::reopenAt(int baud)
{
    if (m_port->isOpen())
        m_port->close();
    m_port->setBaudRate(baud, QSerialPort::AllDirections);
    return openPort();
}

QString SerialTransport::portName() const
{
    return m_port->portName();
}

void SerialTransport::setPort(const QString& portName)
{
    m_port->setPortName(normalizedSerialPortName(portName));
}

void SerialTransport::onReadyRead()
{
    emit bytesReceived(m_port->readAll());
}

void SerialTransport::onPortError(QSerialPort::SerialPortError error)
{
    if (error == QSerialPort::NoError || m_opening)
        return;
    if (!isFatal(error)) {
        emit errorOccurred(m_port->errorString());
        return;
    }
    if (m_fatalReported)
        return;
    m_fatalReported = true;
    qCDebug(lcSerial) << "fatal error on" << m_port->portName() << m_port->errorString();
    emit linkLost();
    emit errorOccurred(m_port->errorString());
    // Closing inside the library's own notification is not safe; do it from the loop.
    QMetaObject::invokeMethod(this, &SerialTransport::closeAfterFatalError, Qt::QueuedConnection);
}

void SerialTransport::closeAfterFatalError()
{
    if (!m_fatalReported)
        return; // reopened meanwhile
    close();
}

} // namespace gcs
