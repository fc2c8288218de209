#pragma once

#include <QtGlobal>

namespace gcs {

/// The pace of a message log, measured from the host times of its lines: how many
/// messages arrived per second and the longest time nothing arrived.
struct CaptureTiming
{
    qint64 messages = 0;
    qint64 firstMs = 0;
    qint64 lastMs = 0;
    qint64 longestSilenceMs = 0;
    /// The line whose message ended the longest silence (0 while there is none).
    qint64 silenceEndLine = 0;

    void add(qint64 hostMs, qint64 line)
    {
        if (messages > 0) {
            // A clock set back makes no silence.
            const qint64 gap = hostMs - lastMs;
            if (gap > longestSilenceMs) {
                longestSilenceMs = gap;
                silenceEndLine = line;
            }
        } else {
            firstMs = hostMs;
        }
        lastMs = hostMs;
        ++messages;
    }
    qint64 durationMs() const { return messages > 0 ? lastMs - firstMs : 0; }
    /// Messages per second between the first and the last message; 0 without a span.
    double messageRate() const
    {
        const qint64 span = durationMs();
        return messages > 1 && span > 0 ? double(messages - 1) * 1000.0 / double(span) : 0.0;
    }
};

} // namespace gcs
