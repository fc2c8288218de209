#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace gcs::test {

// Frame numbers out of recordings of the simulator's "sinsbin" stream, whose 59-byte
// frames carry a time tag (high * 10000 + low) in 0.1 ms of the unit's output clock, one
// period per frame: frame n at rate frames/s carries n * 10000 / rate. Decoded here
// independently of the program's decoder.

/// The frame numbers of the complete frames in a raw capture, in order. The capture may
/// begin and end inside a frame; once two whole frames in a row were found, every
/// further 59 bytes must be a valid frame, else the result is empty and error says
/// where the stream broke.
QList<quint32> sinsbinCaptureCounters(const QByteArray& capture, QString* error, int rate = 200);

/// The frame numbers of a message-log text file: one line per message, a time stamp
/// ("yyyy-MM-dd HH:mm:ss.zzz"), a blank and the frame as hex pairs. Lines of "#vorn"
/// sentences are skipped; any other line that is not a valid frame makes the result
/// empty, with error saying which line.
QList<quint32> messageLogCounters(const QByteArray& text, QString* error, int rate = 200);

/// Empty when the numbers run on by one each, else where they do not.
QString counterGap(const QList<quint32>& counters);

} // namespace gcs::test
