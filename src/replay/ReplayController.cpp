#include "replay/ReplayController.h"

#include "replay/ReplayTransport.h"

#include <cmath>

namespace gcs {

ReplayController::ReplayController(QObject* parent)
    : QObject(parent)
{ }

ReplayController::~ReplayController() = default;

QString ReplayController::speedLabel(double speed)
{
    if (!(speed > ReplayTransport::kFastest))
        return tr("最快");
    return QStringLiteral("%1×").arg(speed);
}

QString ReplayController::timeText(qint64 ms)
{
    const qint64 s = qMax<qint64>(0, ms) / 1000;
    return QStringLiteral("%1:%2:%3")
        .arg(s / 3600, 2, 10, QLatin1Char('0'))
        .arg(s / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(s % 60, 2, 10, QLatin1Char('0'));
}

void ReplayController::attach(ReplayTransport* transport)
{
    if (transport == m_transport)
        return;
    if (m_transport)
        disconnect(m_transport, nullptr, this, nullptr);
    m_transport = transport;
    if (transport) {
        connect(transport, &ReplayTransport::playingChanged, this,
                &ReplayController::playingChanged);
        connect(transport, &ReplayTransport::positionChanged, this,
                &ReplayController::positionChanged);
        connect(transport, &ReplayTransport::indexChanged, this, &ReplayController::indexChanged);
        connect(transport, &ReplayTransport::settingsChanged, this,
                &ReplayController::settingsChanged);
        // The file's kind is known once it is open.
        connect(transport, &ReplayTransport::stateChanged, this, &ReplayController::activeChanged);
        // The session that owns the transport may go without asking.
        connect(transport, &QObject::destroyed, this, [this]() { announceAll(); });
    }
    announceAll();
}

ReplayTransport* ReplayController::transport() const
{
    return m_transport.data();
}

void ReplayController::announceAll()
{
    emit activeChanged();
    emit kindTextChanged();
    emit playingChanged();
    emit settingsChanged();
    emit positionChanged();
    emit indexChanged();
}

QString ReplayController::fileName() const
{
    return m_transport ? m_transport->fileName() : QString();
}

QString ReplayController::filePath() const
{
    return m_transport ? m_transport->path() : QString();
}

QString ReplayController::kindText() const
{
    if (!m_transport || m_transport->captureKind() == CaptureReader::Kind::None)
        return QString();
    return m_transport->captureKind() == CaptureReader::Kind::MessageLog ? tr("消息记录")
                                                                         : tr("原始数据");
}

bool ReplayController::playing() const
{
    return m_transport && m_transport->playing();
}

double ReplayController::speed() const
{
    return m_transport ? m_transport->speed() : 1.0;
}

void ReplayController::setSpeed(double speed)
{
    if (m_transport)
        m_transport->setSpeed(speed);
}

QVariantList ReplayController::speeds() const
{
    return { 0.25, 0.5, 1.0, 2.0, 4.0, 8.0, 16.0, ReplayTransport::kFastest };
}

bool ReplayController::loop() const
{
    return m_transport && m_transport->loop();
}

void ReplayController::setLoop(bool on)
{
    if (m_transport)
        m_transport->setLoop(on);
}

double ReplayController::recordRate() const
{
    return m_transport ? m_transport->recordRate() : ReplayTransport::kDefaultRecordRate;
}

void ReplayController::setRecordRate(double rate)
{
    if (m_transport)
        m_transport->setRecordRate(rate);
}

bool ReplayController::usesRecordRate() const
{
    return m_transport && m_transport->usesRecordRate();
}

double ReplayController::recordsPerSecond() const
{
    return m_transport ? m_transport->recordsPerSecond() : 0.0;
}

qint64 ReplayController::position() const
{
    return m_transport ? qint64(std::floor(m_transport->positionMs())) : 0;
}

qint64 ReplayController::duration() const
{
    return m_transport ? qint64(std::floor(m_transport->durationMs())) : 0;
}

double ReplayController::indexProgress() const
{
    return m_transport ? m_transport->indexProgress() : 0.0;
}

bool ReplayController::indexed() const
{
    return m_transport && m_transport->indexed();
}

QString ReplayController::errorText() const
{
    return m_transport ? m_transport->errorText() : QString();
}

void ReplayController::play()
{
    if (m_transport)
        m_transport->play();
}

void ReplayController::pause()
{
    if (m_transport)
        m_transport->pause();
}

void ReplayController::toggle()
{
    if (playing())
        pause();
    else
        play();
}

void ReplayController::seek(double ms)
{
    if (m_transport)
        m_transport->seek(ms);
}

void ReplayController::step()
{
    if (m_transport)
        m_transport->stepForward();
}

void ReplayController::stepBack()
{
    if (m_transport)
        m_transport->stepBack();
}

void ReplayController::jumpToStart()
{
    if (m_transport)
        m_transport->seek(0);
}

void ReplayController::jumpToEnd()
{
    if (m_transport)
        m_transport->seek(m_transport->durationMs());
}

} // namespace gcs
