#pragma once

#include <QByteArray>
#include <QtGlobal>

namespace gcs {

/// Reads the lines of the recorder's INS message log: the host time
/// "yyyy-MM-dd HH:mm:ss.zzz" (local time), one blank, then the message: a "#vorn"
/// sentence as its text, anything else (a binary frame) as hexadecimal pairs separated
/// by single blanks.
///
/// Turning a local date and time into ms since the epoch is the slow part of a line; the
/// conversion is made once per minute of the log and the seconds are added to it.
class MessageLogParser
{
public:
    static constexpr int kStampLength = 23;

    enum class Fault { None, Stamp, Hex };

    /// Whether text begins with a time stamp and a blank, as every line of a log does.
    static bool startsWithStamp(const char* text, qsizetype size);

    /// One line without its line end. On success message holds the message's bytes (a
    /// sentence as its text) and hostMs its time.
    Fault parse(const char* text, qsizetype size, QByteArray& message, qint64& hostMs);

private:
    bool stampToMs(const char* text, qint64& ms);

    char m_minuteKey[16] = {};
    qint64 m_minuteMs = 0;
    bool m_haveMinute = false;
};

} // namespace gcs
