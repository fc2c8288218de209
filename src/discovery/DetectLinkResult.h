#pragma once

#include <QMetaType>
#include <QString>

namespace gcs {

/// Outcome of detecting one port: whether a port/baud pair answered, and which. Without
/// an answer the port is empty and the baud 0.
struct DetectLinkResult
{
    bool ok = false;
    QString port;
    int baud = 0;

    /// "PORT:BAUD" for an answer (as the connection dialog and the command line show
    /// it), empty otherwise.
    QString text() const
    {
        return ok ? QStringLiteral("%1:%2").arg(port, QString::number(baud)) : QString();
    }
};

} // namespace gcs

Q_DECLARE_METATYPE(gcs::DetectLinkResult)
