#pragma once

#include <QString>

namespace gcs {

/// The communication log as the raw-data and console pages show it: the text, how
/// payloads are rendered, whether received data is taken in, and the byte counters.
struct ConsoleLogState
{
    QString text;
    bool hexMode = false;
    bool paused = false;
    qint64 rxCount = 0;
    qint64 txCount = 0;
};

} // namespace gcs
