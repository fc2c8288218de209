#pragma once

#include <QString>
#include <QStringList>

namespace gcs {

/// What the connection dialog shows about the computer's ports and the last search or
/// detection.
struct DiscoveryState
{
    QStringList serialPorts; ///< "name  description" per port
    QStringList localIps;
    QString detectHint;
    bool searching = false;
    bool detectingPort = false;
    int lastDetectBaud = 115200;
};

} // namespace gcs
