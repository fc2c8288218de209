#include "ins/TelemetryHub.h"

#include "ins/InsBridge.h"

namespace gcs {

namespace {

const QString kOnline = QStringLiteral("online");
const QString kOffline = QStringLiteral("offline");
const QString kStreamTier = QStringLiteral("stream_tier");
const QString kFormat = QStringLiteral("format");

} // namespace

TelemetryHub::TelemetryHub(QObject* parent)
    : QObject(parent)
{
    m_working.quality = kOffline;
    m_shown.quality = kOffline;
    m_flushTimer.setInterval(kFlushIntervalMs);
    connect(&m_flushTimer, &QTimer::timeout, this, [this] {
        flushUi();
        emit uiTick();
    });
    m_flushTimer.start();
}

QVariantMap TelemetryHub::fields() const
{
    return InsBridge::withStatusTexts(m_shown.fields);
}

QVariant TelemetryHub::field(const QString& name, const QVariant& fallback) const
{
    if (m_shown.quality != kOnline)
        return fallback;
    const auto it = m_shown.fields.constFind(name);
    if (it == m_shown.fields.cend())
        return fallback;
    return name.endsWith(QLatin1String("_status")) ? InsBridge::statusText(it->toString())
                                                   : it.value();
}

QVariant TelemetryHub::field(const QString& name) const
{
    return field(name, QVariant());
}

void TelemetryHub::publish(const TelemetrySnapshot& snapshot)
{
    if (snapshot.quality == kOnline) {
        m_working.quality = kOnline;
        m_working.ts = snapshot.ts;
        if (snapshot.fields.contains(kStreamTier)) {
            // A full record from the bridge replaces everything.
            m_working.fields = snapshot.fields;
        } else {
            // A partial update: merged, unless it belongs to another format, whose keys
            // would otherwise mix with the stored ones.
            const QString incoming = snapshot.fields.value(kFormat).toString();
            const QString stored = m_working.fields.value(kFormat).toString();
            if (!incoming.isEmpty() && !stored.isEmpty() && incoming != stored)
                m_working.fields.clear();
            for (auto it = snapshot.fields.cbegin(); it != snapshot.fields.cend(); ++it)
                m_working.fields.insert(it.key(), it.value());
        }
        m_dirty = true;
    } else {
        m_working = snapshot;
        m_shown = m_working;
        m_dirty = false;
        emit snapshotChanged();
    }
    emit fullSnapshot(snapshot);
}

void TelemetryHub::markOffline()
{
    TelemetrySnapshot offline;
    offline.quality = kOffline;
    publish(offline);
}

void TelemetryHub::ingestRaw(const QByteArray& bytes)
{
    emit rawFrame(bytes);
}

void TelemetryHub::flushUi()
{
    if (!m_dirty)
        return;
    m_shown = m_working;
    m_dirty = false;
    emit snapshotChanged();
}

} // namespace gcs
