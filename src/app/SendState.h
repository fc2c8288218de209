#pragma once

#include <QString>
#include <QStringList>

namespace gcs {

/// The memory of the outbound path: texts sent from the raw console (newest first) and
/// the timed-send settings. Nothing of it is persisted.
struct SendState
{
    QStringList history;
    QString timedText;
    bool timedHex = false;
    int timedMs = 0;
};

} // namespace gcs
