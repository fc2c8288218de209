#pragma once

#include <QByteArray>
#include <QString>

namespace gcs {

/// The communication log as the raw-data and console pages show it: the text, how
/// payloads are rendered, whether received data is taken in, and the byte counters.
struct ConsoleLogState
{
    /// Received bytes not yet rendered are capped; the newest are kept.
    static constexpr qsizetype kMaxPendingRaw = 49152;

    QString text;
    bool hexMode = false;
    bool paused = false;
    qint64 rxCount = 0;
    qint64 txCount = 0;
    QByteArray pendingRaw;

    /// Accounts one received chunk of the current device: counted unless the log is
    /// paused, and kept for rendering only while the raw view is shown.
    void takeReceived(const QByteArray& chunk, bool rawViewActive)
    {
        if (paused)
            return;
        rxCount += chunk.size();
        if (!rawViewActive || chunk.isEmpty())
            return;
        pendingRaw += chunk;
        if (pendingRaw.size() > kMaxPendingRaw)
            pendingRaw.remove(0, pendingRaw.size() - kMaxPendingRaw);
    }
};

} // namespace gcs
