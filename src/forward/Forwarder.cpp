#include "forward/Forwarder.h"

#include "forward/NmeaServer.h"
#include "forward/UdpJsonSender.h"

#include <QTimer>

namespace gcs {

namespace {

bool validPort(int port)
{
    return port >= 1 && port <= 65535;
}

} // namespace

Forwarder::Forwarder(QObject* parent)
    : QObject(parent)
    , m_udp(new UdpJsonSender(this))
    , m_nmea(new NmeaServer(this))
    , m_countersTimer(new QTimer(this))
{
    m_countersTimer->setInterval(kCountersIntervalMs);
    connect(m_countersTimer, &QTimer::timeout, this, &Forwarder::tellCounters);
    connect(m_udp, &UdpJsonSender::stateChanged, this, &Forwarder::onStateChanged);
    connect(m_nmea, &NmeaServer::stateChanged, this, &Forwarder::onStateChanged);
    connect(m_nmea, &NmeaServer::clientsChanged, this, &Forwarder::stateChanged);
    connect(m_udp, &UdpJsonSender::failed, this, &Forwarder::errorOccurred);
    connect(m_nmea, &NmeaServer::failed, this, &Forwarder::errorOccurred);
}

Forwarder::~Forwarder() = default;

bool Forwarder::refuse(const QString& message)
{
    emit errorOccurred(message);
    return false;
}

bool Forwarder::setUdp(bool enabled, const QString& host, int port)
{
    const QString h = host.trimmed();
    if (enabled && h.isEmpty())
        return refuse(tr("UDP 转发：请填写目标地址"));
    if (enabled && !validPort(port))
        return refuse(tr("UDP 转发：端口须在 1 到 65535 之间"));
    const bool changed = enabled != m_udpEnabled || (!h.isEmpty() && h != m_udpHost)
        || (validPort(port) && port != m_udpPort);
    if (!h.isEmpty())
        m_udpHost = h;
    if (validPort(port))
        m_udpPort = port;
    m_udpEnabled = enabled;
    // Switching on again retries what failed.
    if (!enabled)
        m_udp->stop();
    else if (changed || m_udp->state() == ForwardOutput::State::Off
             || m_udp->state() == ForwardOutput::State::Failed)
        m_udp->start(m_udpHost, quint16(m_udpPort));
    if (changed)
        emit configChanged();
    return true;
}

bool Forwarder::setNmea(bool enabled, const QString& host, int port, double rateHz)
{
    const QString h = host.trimmed();
    if (enabled && h.isEmpty())
        return refuse(tr("NMEA 转发：请填写监听地址"));
    if (enabled && !validPort(port))
        return refuse(tr("NMEA 转发：端口须在 1 到 65535 之间"));
    if (!(rateHz >= NmeaServer::kMinRate && rateHz <= NmeaServer::kMaxRate))
        return refuse(tr("NMEA 转发：频率须在 0.1 到 100 Hz 之间"));
    const bool moved = (!h.isEmpty() && h != m_nmeaHost) || (validPort(port) && port != m_nmeaPort);
    const bool changed = moved || enabled != m_nmeaEnabled || rateHz != m_nmeaRate;
    if (!h.isEmpty())
        m_nmeaHost = h;
    if (validPort(port))
        m_nmeaPort = port;
    m_nmeaRate = rateHz;
    m_nmeaEnabled = enabled;
    m_nmea->setRate(rateHz);
    // A new rate keeps the clients; a new address starts the server afresh.
    if (!enabled)
        m_nmea->stop();
    else if (moved || m_nmea->state() == ForwardOutput::State::Off
             || m_nmea->state() == ForwardOutput::State::Failed)
        m_nmea->start(m_nmeaHost, quint16(m_nmeaPort), m_nmeaRate);
    if (changed)
        emit configChanged();
    return true;
}

void Forwarder::take(const RecDataStruct& record, qint64 hostRxMs)
{
    ++m_records;
    m_udp->send(record, hostRxMs);
    m_nmea->take(record, hostRxMs);
}

int Forwarder::udpState() const
{
    return int(m_udp->state());
}

int Forwarder::nmeaState() const
{
    return int(m_nmea->state());
}

QString Forwarder::udpStateText() const
{
    switch (m_udp->state()) {
    case ForwardOutput::State::Off:
        return tr("未开启");
    case ForwardOutput::State::Starting:
        return tr("正在解析 %1…").arg(m_udp->host());
    case ForwardOutput::State::Working:
        if (!m_udp->errorText().isEmpty())
            return m_udp->errorText();
        return tr("发送到 %1:%2").arg(m_udp->address().toString(), QString::number(m_udp->port()));
    case ForwardOutput::State::Failed:
        return m_udp->errorText();
    }
    return QString();
}

QString Forwarder::nmeaStateText() const
{
    switch (m_nmea->state()) {
    case ForwardOutput::State::Off:
        return tr("未开启");
    case ForwardOutput::State::Starting:
        return tr("正在解析 %1…").arg(m_nmea->host());
    case ForwardOutput::State::Working:
        return tr("监听 %1:%2 · %n 个客户端", "", m_nmea->clientCount())
            .arg(m_nmea->host(), QString::number(m_nmea->port()));
    case ForwardOutput::State::Failed:
        return m_nmea->errorText();
    }
    return QString();
}

int Forwarder::nmeaClients() const
{
    return m_nmea->clientCount();
}

qint64 Forwarder::udpDatagrams() const
{
    return m_udp->datagrams();
}

qint64 Forwarder::nmeaBatches() const
{
    return m_nmea->batches();
}

qint64 Forwarder::nmeaDroppedBytes() const
{
    return m_nmea->droppedBytes();
}

void Forwarder::onStateChanged()
{
    const bool on = udpState() != Off || nmeaState() != Off;
    if (on && !m_countersTimer->isActive())
        m_countersTimer->start();
    else if (!on)
        m_countersTimer->stop();
    emit stateChanged();
    tellCounters();
}

void Forwarder::tellCounters()
{
    if (udpDatagrams() == m_toldDatagrams && nmeaBatches() == m_toldBatches
        && nmeaDroppedBytes() == m_toldDropped)
        return;
    m_toldDatagrams = udpDatagrams();
    m_toldBatches = nmeaBatches();
    m_toldDropped = nmeaDroppedBytes();
    emit countersChanged();
}

} // namespace gcs
