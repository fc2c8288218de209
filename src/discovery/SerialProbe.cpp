#include "discovery/SerialProbe.h"

#include "discovery/AutoSearchHit.h"
#include "discovery/DiscoveryLog.h"
#include "link/SerialPortName.h"

#include <QDeadlineTimer>
#include <QSerialPort>

#include <algorithm>

namespace gcs {

namespace {

// The head of every binary frame.
const QByteArray& frameMarker()
{
    static const QByteArray marker = QByteArray::fromHex("aa55");
    return marker;
}

const QByteArray& sentenceHeader()
{
    static const QByteArray header("#vorn");
    return header;
}

bool containsAa55(const QByteArray& bytes)
{
    return bytes.contains(frameMarker());
}

// A port another program (or another port object of ours) holds fails with a permission
// error: the serial library's lock file on Unix, the system's refusal on Windows.
bool openProbePort(QSerialPort& port, const QString& name, int baud, bool* busy = nullptr)
{
    port.setPortName(name);
    port.setBaudRate(baud, QSerialPort::AllDirections);
    port.setDataBits(QSerialPort::Data8);
    port.setParity(QSerialPort::NoParity);
    port.setStopBits(QSerialPort::OneStop);
    if (!port.open(QIODevice::ReadWrite)) {
        qCDebug(lcDiscovery) << "cannot open" << name << port.errorString();
        if (busy)
            *busy = port.error() == QSerialPort::PermissionError;
        return false;
    }
    // Whatever the line held before we asked says nothing about this baud.
    port.clear(QSerialPort::AllDirections);
    return true;
}

// Waits in short slices so that a cancel is seen soon; true when wait() reported done.
template<typename Wait> bool waitSliced(int ms, const ProbeCancel& cancel, Wait wait)
{
    const QDeadlineTimer deadline(ms);
    while (!cancel.isCancelled()) {
        const qint64 left = deadline.remainingTime();
        if (left <= 0)
            return false;
        if (wait(int(std::min<qint64>(left, SerialProbe::kCancelSliceMs))))
            return true;
    }
    return false;
}

// One command and its reply. The accumulator is shared by both commands of a probe, so a
// unit that answers only the second one is still recognised. Write failures are not
// errors here: the waits simply run out.
void probeExchange(QSerialPort& port, const QByteArray& command, QByteArray& accumulator,
                   const ProbeCancel& cancel)
{
    port.write(command);
    port.flush();
    // Once flush() has handed everything over there is nothing to wait for; asked anyway,
    // the serial library would sit out the whole wait.
    const auto written
        = [&port](int ms) { return port.bytesToWrite() == 0 || port.waitForBytesWritten(ms); };
    const auto readable = [&port](int ms) { return port.waitForReadyRead(ms); };
    if (port.bytesToWrite() > 0)
        waitSliced(SerialProbe::kWriteWaitMs, cancel, written);
    if (waitSliced(SerialProbe::kFirstReplyWaitMs, cancel, readable))
        accumulator += port.readAll();
    // A reply often arrives in more than one piece.
    waitSliced(SerialProbe::kTrailingReplyWaitMs, cancel, readable);
    accumulator += port.readAll();
}

} // namespace

QList<QByteArray> SerialProbe::probeCommands()
{
    return { QByteArrayLiteral("#vorn,get softver*ff\r\n"),
             QByteArrayLiteral("#vorn,get device info*ff\r\n") };
}

QList<int> SerialProbe::defaultBaudList()
{
    // 380400, not 384000: the units' own list has it so.
    return { 9600, 19200, 115200, 230400, 380400, 460800 };
}

QList<int> SerialProbe::withCustomBauds(const QList<int>& customBauds)
{
    QList<int> bauds = defaultBaudList();
    for (int baud : customBauds) {
        if (baud >= 1 && !bauds.contains(baud))
            bauds.append(baud);
    }
    return bauds;
}

QString SerialProbe::classifyReply(const QByteArray& reply)
{
    if (reply.isEmpty())
        return QString();
    if (containsAa55(reply))
        return QStringLiteral("ins");
    const QByteArray lower = reply.toLower();
    static const char* const kNames[] = { "imu", "ahrs", "sins", "ins-", "ax7300", "#vorn" };
    for (const char* name : kNames) {
        if (lower.contains(name))
            return QStringLiteral("ins");
    }
    return reply.contains(sentenceHeader()) ? QStringLiteral("ins") : QString();
}

bool SerialProbe::passesLinkTest(const QByteArray& reply)
{
    return !reply.isEmpty() && (containsAa55(reply) || reply.contains(sentenceHeader()));
}

QByteArray SerialProbe::probePort(const QString& port, int baud, const ProbeCancel& cancel)
{
    QSerialPort serial;
    if (cancel.isCancelled() || !openProbePort(serial, port, baud))
        return QByteArray();
    QByteArray reply;
    for (const QByteArray& command : probeCommands()) {
        probeExchange(serial, command, reply, cancel);
        if (cancel.isCancelled()) {
            reply.clear();
            break;
        }
        if (!classifyReply(reply).isEmpty())
            break;
    }
    serial.close();
    qCDebug(lcDiscovery) << "probe" << port << baud << reply.size() << "bytes";
    return reply;
}

bool SerialProbe::tryInsLinkAt(const QString& port, int baud, const ProbeCancel& cancel)
{
    return checkLinkAt(port, baud, cancel) == LinkOutcome::Answered;
}

SerialProbe::LinkOutcome SerialProbe::checkLinkAt(const QString& port, int baud,
                                                  const ProbeCancel& cancel)
{
    if (cancel.isCancelled())
        return LinkOutcome::NoAnswer;
    QSerialPort serial;
    bool busy = false;
    if (!openProbePort(serial, port, baud, &busy))
        return busy ? LinkOutcome::PortBusy : LinkOutcome::NoAnswer;
    QByteArray reply;
    for (const QByteArray& command : probeCommands()) {
        probeExchange(serial, command, reply, cancel);
        if (cancel.isCancelled())
            break;
        if (passesLinkTest(reply)) {
            serial.close();
            qCDebug(lcDiscovery) << "link at" << port << baud;
            return LinkOutcome::Answered;
        }
    }
    serial.close();
    qCDebug(lcDiscovery) << "no link at" << port << baud << reply.size() << "bytes";
    return LinkOutcome::NoAnswer;
}

QList<SerialProbeHit> SerialProbe::probeAllPorts(const QStringList& ports, int maxHits,
                                                 const QList<int>& bauds, const ProbeCancel& cancel)
{
    const QList<int> sweep = bauds.isEmpty() ? defaultBaudList() : bauds;
    QList<SerialProbeHit> hits;
    for (const QString& port : ports) {
        for (int baud : sweep) {
            if (cancel.isCancelled())
                return hits;
            const QString productId = classifyReply(probePort(port, baud, cancel));
            if (!productId.isEmpty()) {
                hits.append(SerialProbeHit { port, baud, productId });
                break;
            }
        }
        if (hits.size() >= maxHits)
            break;
    }
    return hits;
}

QList<int> SerialProbe::baudTryOrder(int preferredBaud, const QList<int>& bauds)
{
    if (preferredBaud <= 0)
        return bauds;
    QList<int> order { preferredBaud };
    for (int baud : bauds) {
        if (baud != preferredBaud)
            order.append(baud);
    }
    return order;
}

QList<SerialProbe::Attempt> SerialProbe::detectAttempts(const QString& portText, int preferredBaud,
                                                        const QStringList& ports,
                                                        const QList<int>& bauds)
{
    // The port lists show "name  description"; only the name is a port.
    const QString primary = portKeyFromText(portText);
    QList<Attempt> attempts;
    if (!primary.isEmpty()) {
        for (int baud : baudTryOrder(preferredBaud, bauds))
            attempts.append(Attempt(primary, baud));
    }
    for (const QString& port : ports) {
        if (port == primary)
            continue;
        for (int baud : baudTryOrder(0, bauds))
            attempts.append(Attempt(port, baud));
    }
    return attempts;
}

DetectLinkResult SerialProbe::runDetectSerialLink(const QString& portText, int preferredBaud,
                                                  const QStringList& ports, const QList<int>& bauds,
                                                  const ProbeCancel& cancel)
{
    for (const Attempt& attempt : detectAttempts(portText, preferredBaud, ports, bauds)) {
        if (cancel.isCancelled())
            break;
        if (tryInsLinkAt(attempt.first, attempt.second, cancel))
            return DetectLinkResult { true, attempt.first, attempt.second };
    }
    return DetectLinkResult {};
}

void SerialProbe::registerMetaTypes()
{
    qRegisterMetaType<SerialProbeHit>("gcs::SerialProbeHit");
    qRegisterMetaType<AutoSearchHit>("gcs::AutoSearchHit");
    qRegisterMetaType<DetectLinkResult>("gcs::DetectLinkResult");
    qRegisterMetaType<QList<AutoSearchHit>>("QList<gcs::AutoSearchHit>");
}

} // namespace gcs
