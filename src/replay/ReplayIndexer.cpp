#include "replay/ReplayIndexer.h"

#include "capture/CaptureReader.h"
#include "replay/ReplayLogging.h"

#include <QElapsedTimer>
#include <QThread>

namespace gcs {

namespace {

/// Records between two looks at the clock: reading the clock costs more than a record.
constexpr qint64 kClockEvery = 1024;

} // namespace

ReplayIndexer::ReplayIndexer(QObject* parent)
    : QObject(parent)
{ }

ReplayIndexer::~ReplayIndexer()
{
    stop();
}

void ReplayIndexer::start(const QString& path)
{
    stop();
    m_index.clear();
    m_bytesRead = 0;
    m_size = 0;
    m_stop = false;
    const quint32 runNumber = ++m_run;
    m_thread = QThread::create([this, path, runNumber]() { run(path, runNumber); });
    m_thread->setObjectName(QStringLiteral("replay-index"));
    m_thread->start(QThread::LowPriority);
}

void ReplayIndexer::stop()
{
    if (!m_thread)
        return;
    ++m_run;
    m_stop = true;
    m_thread->wait();
    delete m_thread;
    m_thread = nullptr;
}

double ReplayIndexer::progress() const
{
    if (m_index.done())
        return 1.0;
    return m_size > 0 ? qBound(0.0, double(m_bytesRead) / double(m_size), 1.0) : 0.0;
}

void ReplayIndexer::run(const QString& path, quint32 runNumber)
{
    CaptureReader reader;
    Batch batch;
    batch.run = runNumber;
    if (!reader.open(path)) {
        batch.done = true;
        batch.error = reader.errorText();
        post(std::move(batch));
        return;
    }
    const qint64 size = reader.size();
    ReplayTimeBase time(reader.kind());
    QElapsedTimer sincePost;
    sincePost.start();
    CaptureRecord record;
    ReplayStamp last;
    qint64 count = 0;
    while (!m_stop.load(std::memory_order_relaxed) && reader.next(record)) {
        const ReplayTimeBase::State before = time.state();
        last = time.add(record);
        if (count % ReplayIndex::kRecordsPerCheckpoint == 0)
            batch.points.push_back(
                ReplayCheckpoint { record.offset, record.line, count, before, last });
        ++count;
        // The first record makes the recording playable; then a batch now and then.
        if (count == 1 || (count % kClockEvery == 0 && sincePost.elapsed() >= kPostIntervalMs)) {
            batch.records = count;
            batch.last = last;
            batch.bytesRead = reader.position();
            batch.size = size;
            post(std::exchange(batch, Batch()));
            batch.run = runNumber;
            sincePost.restart();
        }
    }
    if (m_stop.load())
        return;
    batch.records = count;
    batch.last = last;
    batch.bytesRead = size;
    batch.size = size;
    batch.done = true;
    batch.error = reader.errorText();
    qCDebug(lcReplay) << "indexed" << path << count << "records" << batch.error;
    post(std::move(batch));
}

void ReplayIndexer::post(Batch batch)
{
    // Delivered on this object's thread; dropped when the object is gone by then.
    QMetaObject::invokeMethod(
        this, [this, batch = std::move(batch)]() { take(batch); }, Qt::QueuedConnection);
}

void ReplayIndexer::take(const Batch& batch)
{
    if (batch.run != m_run)
        return; // a stopped run's late batch
    m_index.append(batch.points);
    m_index.setExtent(batch.records, batch.last);
    m_bytesRead = batch.bytesRead;
    m_size = batch.size;
    if (batch.done)
        m_index.setDone(batch.error);
    emit progressed();
}

} // namespace gcs
