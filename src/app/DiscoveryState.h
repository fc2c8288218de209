#pragma once

#include "discovery/SerialPortListing.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace gcs {

/// What the connection dialog shows about the computer's ports and the last search or
/// detection, and where the port list comes from.
struct DiscoveryState
{
    QStringList serialPorts; ///< "name  description" per port
    QStringList localIps;
    QString detectHint;
    bool searching = false;
    bool detectingPort = false;
    int lastDetectBaud = 115200;
    /// The platform's port list when empty.
    std::function<QList<SerialPortListing>()> portSource;
};

} // namespace gcs
