#include "replay/ReplayTransport.h"

#include "replay/ReplayIndexer.h"
#include "replay/ReplayLogging.h"

#include <QFileInfo>

#include <cmath>
#include <limits>

namespace gcs {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

} // namespace

ReplayTransport::ReplayTransport(const QString& path, QObject* parent)
    : ITransport(parent)
    , m_path(path)
    , m_indexer(new ReplayIndexer(this))
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &ReplayTransport::pump);
    connect(m_indexer, &ReplayIndexer::progressed, this, &ReplayTransport::onIndexProgress);
    m_wall.start();
}

ReplayTransport::~ReplayTransport()
{
    close();
}

QString ReplayTransport::fileName() const
{
    return QFileInfo(m_path).fileName();
}

QString ReplayTransport::description() const
{
    return tr("回放：%1").arg(fileName());
}

bool ReplayTransport::send(const QByteArray& data)
{
    Q_UNUSED(data);
    return false;
}

bool ReplayTransport::open()
{
    if (m_open)
        return true;
    if (!m_source.open(m_path)) {
        m_error = m_source.errorText();
        emit stateChanged(false);
        emit errorOccurred(m_error);
        return false;
    }
    ++m_epoch;
    m_open = true;
    m_error.clear();
    m_havePending = m_sourceDone = m_handedAny = false;
    m_lastStamp = ReplayStamp();
    m_positionMs = 0;
    anchorAt(0);
    if (m_indexing)
        m_indexer->start(m_path);
    qCDebug(lcReplay) << "replaying" << m_path;
    emit stateChanged(true);
    return true;
}

void ReplayTransport::close()
{
    if (!m_open)
        return;
    ++m_epoch;
    m_open = false;
    m_timer.stop();
    m_indexer->stop();
    m_source.close();
    m_prerollActive = false;
    m_clockOverride = false;
    if (m_playing) {
        m_playing = false;
        emit playingChanged();
    }
    emit stateChanged(false);
}

// ---- state ------------------------------------------------------------------------------

const ReplayIndex* ReplayTransport::index() const
{
    return &m_indexer->index();
}

bool ReplayTransport::usesRecordRate() const
{
    if (m_source.kind() != CaptureReader::Kind::RawCapture)
        return false;
    return m_indexer->index().usesSteps() || m_lastStamp.steps > 0;
}

double ReplayTransport::durationMs() const
{
    const double played = lastHandedMs();
    if (!m_indexing)
        return played;
    return qMax(played, m_indexer->index().last().ms(m_rate));
}

double ReplayTransport::horizonMs() const
{
    // Without an index the end is known only once it is reached.
    if (!m_indexing && !m_sourceDone)
        return kInfinity;
    return durationMs();
}

double ReplayTransport::positionMs() const
{
    if (m_prerollActive)
        return m_prerollUntilMs;
    if (!m_playing || m_speed <= kFastest)
        return m_positionMs;
    const double running = m_anchorPosMs + (wallMs() - m_anchorWallMs) * m_speed;
    return qMax(0.0, qMin(running, horizonMs()));
}

double ReplayTransport::clockSeconds() const
{
    return (m_clockOverride ? m_clockMs : positionMs()) / 1000.0;
}

double ReplayTransport::indexProgress() const
{
    return m_indexing ? m_indexer->progress() : 1.0;
}

bool ReplayTransport::indexed() const
{
    return !m_indexing || m_indexer->index().done();
}

double ReplayTransport::recordsPerSecond() const
{
    if (m_source.kind() != CaptureReader::Kind::RawCapture || !m_indexing
        || !m_indexer->index().done())
        return 0;
    if (usesRecordRate())
        return m_rate;
    const ReplayIndex& index = m_indexer->index();
    const double spanMs = index.last().ms(m_rate);
    return index.records() > 1 && spanMs > 0 ? double(index.records() - 1) * 1000.0 / spanMs : 0;
}

// ---- controls ---------------------------------------------------------------------------

void ReplayTransport::play()
{
    if (!m_open || m_playing)
        return;
    // Play at the end starts over.
    if (m_sourceDone && !m_havePending && !m_prerollActive)
        seek(0);
    m_playing = true;
    anchorAt(m_positionMs);
    emit playingChanged();
    scheduleNext();
}

void ReplayTransport::pause()
{
    if (!m_playing)
        return;
    m_positionMs = positionMs();
    m_playing = false;
    if (!m_prerollActive)
        m_timer.stop();
    emit playingChanged();
    notifyPosition(true);
}

void ReplayTransport::setSpeed(double speed)
{
    const double s = std::isfinite(speed) && speed > 0 ? speed : kFastest;
    if (s == m_speed)
        return;
    m_positionMs = positionMs();
    m_speed = s;
    anchorAt(m_positionMs);
    emit settingsChanged();
    if (m_playing)
        scheduleNext();
}

void ReplayTransport::setLoop(bool on)
{
    if (on == m_loop)
        return;
    m_loop = on;
    emit settingsChanged();
}

void ReplayTransport::setRecordRate(double rate)
{
    if (!std::isfinite(rate))
        return;
    const double r = qBound(kMinRecordRate, rate, kMaxRecordRate);
    if (r == m_rate)
        return;
    // Every stepped time moves: the position stays on the record it was at.
    m_rate = r;
    m_positionMs = lastHandedMs();
    anchorAt(m_positionMs);
    emit settingsChanged();
    emit indexChanged();
    notifyPosition(true);
    if (m_playing)
        scheduleNext();
}

void ReplayTransport::seek(double ms)
{
    if (!m_open)
        return;
    const double target
        = qBound(0.0, std::isfinite(ms) ? ms : 0.0, m_indexing ? durationMs() : 0.0);
    const double from = target - m_prerollMs;
    const ReplayCheckpoint* checkpoint
        = m_indexing ? m_indexer->index().before(from, m_rate) : nullptr;
    ++m_epoch;
    m_havePending = m_sourceDone = false;
    if (!(checkpoint ? m_source.restore(*checkpoint) : m_source.rewind())) {
        fail(m_source.errorText());
        return;
    }
    // Records before the preroll are passed over without reading their bytes; the last
    // of them is the record at the target when none lies between.
    ReplayUnit before;
    bool haveBefore = false;
    while (ensurePending() && unitMs(m_pending) < from) {
        before = std::move(m_pending);
        haveBefore = true;
        m_havePending = false;
    }
    m_handedAny = false;
    m_lastStamp = ReplayStamp();
    m_prerollActive = true;
    m_prerollUntilMs = target;
    m_prerollNextMs = -kInfinity;
    m_positionMs = target;
    emit rewound();
    notifyPosition(true);
    if (haveBefore && (!m_havePending || unitMs(m_pending) > target)) {
        if (!withBytes(before))
            return;
        m_lastStamp = before.stamp;
        m_handedAny = true;
        if (!deliver(before.bytes, unitMs(before)))
            return;
    }
    prerollSlice();
}

void ReplayTransport::stepForward()
{
    if (!m_open)
        return;
    pause();
    if (m_prerollActive || !ensurePending() || !withBytes(m_pending))
        return;
    QByteArray chunk = m_pending.bytes;
    const double ms = unitMs(m_pending);
    m_lastStamp = m_pending.stamp;
    m_handedAny = true;
    m_havePending = false;
    m_positionMs = ms;
    if (!deliver(chunk, ms))
        return;
    notifyPosition(true);
}

void ReplayTransport::stepBack()
{
    if (!m_open || !m_handedAny || m_prerollActive)
        return;
    pause();
    // Just before the last record: the one before it is the last handed on again.
    seek(lastHandedMs() - 0.05);
}

// ---- handing on -------------------------------------------------------------------------

bool ReplayTransport::ensurePending()
{
    if (m_havePending)
        return true;
    if (m_sourceDone || !m_open)
        return false;
    if (m_indexing) {
        const ReplayIndex& index = m_indexer->index();
        if (!index.done() && m_source.upcomingRecord() >= index.records())
            return false; // not indexed yet
    }
    if (!m_source.next(m_pending)) {
        m_sourceDone = true;
        // The indexer reports what it ran into; without it, the player does.
        if (!m_indexing && !m_source.errorText().isEmpty() && m_error.isEmpty())
            fail(m_source.errorText());
        return false;
    }
    m_havePending = true;
    return true;
}

bool ReplayTransport::withBytes(ReplayUnit& unit, QByteArray* pending, double pendingMs)
{
    if (unit.filled || m_source.fill(unit))
        return true;
    // A receiver that moved the replay meanwhile meets the failure from there.
    if (pending && !deliver(*pending, pendingMs))
        return false;
    m_sourceDone = true;
    m_havePending = false;
    fail(m_source.errorText());
    return false;
}

bool ReplayTransport::deliver(QByteArray& chunk, double clockMs)
{
    if (chunk.isEmpty())
        return true;
    const quint32 epoch = m_epoch;
    const bool override = m_clockOverride;
    m_clockOverride = true;
    m_clockMs = clockMs;
    emit bytesReceived(chunk);
    chunk.clear();
    if (epoch != m_epoch)
        return false;
    m_clockOverride = override;
    return true;
}

void ReplayTransport::pump()
{
    if (!m_open)
        return;
    if (m_prerollActive) {
        prerollSlice();
        return;
    }
    if (!m_playing)
        return;
    const bool fastest = m_speed <= kFastest;
    const double due = fastest ? kInfinity : m_anchorPosMs + (wallMs() - m_anchorWallMs) * m_speed;
    QElapsedTimer slice;
    slice.start();
    QByteArray chunk;
    double chunkMs = 0;
    bool cutShort = false;
    while (ensurePending() && unitMs(m_pending) <= due) {
        if (slice.elapsed() >= kSliceBudgetMs) {
            cutShort = true;
            break;
        }
        if (!withBytes(m_pending, &chunk, chunkMs))
            return;
        // The first record after a rewind goes alone: a receiver has no time of an
        // earlier one to spread the rest of a chunk from.
        const bool first = !m_handedAny;
        chunk += m_pending.bytes;
        chunkMs = unitMs(m_pending);
        m_lastStamp = m_pending.stamp;
        m_handedAny = true;
        m_havePending = false;
        if ((first || chunk.size() >= kChunkBytes) && !deliver(chunk, chunkMs))
            return;
    }
    if (!deliver(chunk, chunkMs))
        return;
    if (fastest)
        m_positionMs = lastHandedMs();
    else if (cutShort)
        anchorAt(lastHandedMs()); // fell behind: the position waits for the data
    if (!m_havePending && m_sourceDone) {
        reachedEnd();
        return;
    }
    // Waiting for the index: the position waits at its end.
    if (!m_havePending && !fastest)
        anchorAt(positionMs());
    notifyPosition(false);
    scheduleNext();
}

void ReplayTransport::prerollSlice()
{
    QElapsedTimer slice;
    slice.start();
    const double gap = qMax(1000.0 / kPrerollRecordsPerSecond, m_prerollMs / kPrerollRecords);
    while (ensurePending() && unitMs(m_pending) <= m_prerollUntilMs) {
        ReplayUnit unit = std::move(m_pending);
        m_havePending = false;
        const double ms = unitMs(unit);
        // Thinned to what a chart keeps, but the record at the target is always there.
        const bool last = !ensurePending() || unitMs(m_pending) > m_prerollUntilMs;
        if (ms >= m_prerollNextMs || last) {
            if (!withBytes(unit))
                return;
            m_prerollNextMs = ms + gap;
            m_lastStamp = unit.stamp;
            m_handedAny = true;
            // One record a chunk: thinned records lie far apart, and a receiver that
            // spreads a chunk's records evenly would put them at the wrong times.
            if (!deliver(unit.bytes, ms))
                return;
        }
        if (slice.elapsed() >= kSliceBudgetMs)
            break;
    }
    if (m_havePending && unitMs(m_pending) <= m_prerollUntilMs) {
        m_timer.start(0);
        return;
    }
    finishPreroll();
}

void ReplayTransport::finishPreroll()
{
    m_prerollActive = false;
    m_positionMs = m_prerollUntilMs;
    anchorAt(m_positionMs);
    emit seeked();
    notifyPosition(true);
    if (!m_havePending && m_sourceDone && m_playing) {
        reachedEnd();
        return;
    }
    scheduleNext();
}

void ReplayTransport::reachedEnd()
{
    if (m_loop && m_handedAny) {
        seek(0);
        return;
    }
    m_positionMs = lastHandedMs();
    anchorAt(m_positionMs);
    if (m_playing) {
        m_playing = false;
        emit playingChanged();
    }
    notifyPosition(true);
    emit finished();
}

void ReplayTransport::anchorAt(double positionMs)
{
    m_anchorPosMs = positionMs;
    m_anchorWallMs = wallMs();
}

void ReplayTransport::scheduleNext()
{
    if (!m_open || m_prerollActive || !m_playing)
        return;
    if (!m_havePending && !ensurePending()) {
        // Waiting for the index (or for the end to be noticed).
        m_timer.start(m_sourceDone ? 0 : kMaxTickMs);
        return;
    }
    if (m_speed <= kFastest) {
        m_timer.start(0);
        return;
    }
    const double dueWall = m_anchorWallMs + (unitMs(m_pending) - m_anchorPosMs) / m_speed;
    const double wait = dueWall - wallMs();
    int ms = wait <= 0 ? 0 : qMax(kMinTickMs, int(std::ceil(wait)));
    m_timer.start(qMin(ms, kMaxTickMs));
}

void ReplayTransport::notifyPosition(bool force)
{
    const double now = wallMs();
    if (!force && now - m_notifiedWallMs < kPositionNotifyMs)
        return;
    m_notifiedWallMs = now;
    emit positionChanged();
}

void ReplayTransport::fail(const QString& text)
{
    if (text.isEmpty())
        return;
    qCWarning(lcReplay) << "replay stopped:" << text;
    m_error = text;
    pause();
    emit errorOccurred(text);
    emit indexChanged();
}

void ReplayTransport::onIndexProgress()
{
    const ReplayIndex& index = m_indexer->index();
    if (index.done() && !index.errorText().isEmpty() && m_error.isEmpty()) {
        m_error = index.errorText();
        emit errorOccurred(m_error);
    }
    emit indexChanged();
    // What was waiting for the index can go on.
    if (m_open && !m_havePending && (m_playing || m_prerollActive))
        m_timer.start(0);
}

} // namespace gcs
