#pragma once

#include <QString>
#include <QVariantMap>

namespace gcs {

/// A compensation text file of the factory page: device command lines that are sent to
/// the unit line by line. Its first line names the IMU number and its second the IMU
/// serial number, each as the fourth field of the command (fields split at "," or "*").
class CompensationFile
{
public:
    /// "content" (the text), "imuId" (from line 0) and "imuSn" (from line 1), each key
    /// only when there is something to put under it; empty for an empty text.
    static QVariantMap bundle(const QString& text);
};

} // namespace gcs
