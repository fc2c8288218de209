#pragma once

#include "capture/CaptureRecord.h"
#include "capture/TrackThinner.h"

#include <QString>

class QIODevice;

namespace gcs {

/// Writes the GNSS track of a capture as a KML 2.2 document for Google Earth: one
/// LineString (longitude, latitude, altitude, at absolute altitude) through the records
/// that carry a position, and placemarks at its start and its end. Long tracks are
/// thinned (TrackThinner); the first and last point stay exact.
class KmlExporter
{
public:
    KmlExporter(QIODevice* out, const QString& name);

    /// Whether a record carries a position: a SINS-tier record with coordinates on the
    /// globe. 0,0 is what a unit without a fix sends, not a place it was at.
    static bool hasPosition(const RecDataStruct& record);

    void add(const CaptureRecord& record);
    /// Writes the document; false (errorText) when no record carried a position or the
    /// output refused data.
    bool finish();
    qint64 pointsWritten() const { return m_written; }
    QString errorText() const { return m_error; }

private:
    QIODevice* m_out;
    QString m_name;
    TrackThinner m_track;
    qint64 m_written = 0;
    QString m_error;
};

} // namespace gcs
