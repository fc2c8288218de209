#pragma once

#include "capture/CaptureRecord.h"
#include "capture/RecordColumns.h"
#include "ins/RecPacketFormat.h"

#include <QByteArray>
#include <QString>

class QIODevice;

namespace gcs {

/// Writes navigation records as CSV for spreadsheets and analysis tools: UTF-8 with a
/// byte-order mark (so that Excel shows the Chinese status texts), a header row, one row
/// per record, RFC 4180 quoting and CR LF line ends. A cell stays empty where the
/// record's tier does not carry the value, as in the telemetry snapshot: an IMU record
/// has no attitude and no position, and "count" for a format that numbers no messages.
/// A value the unit sends as a scaled integer is written with the decimals of its scale,
/// as the unit sent it (WireFormat::write); any other as the shortest text that reads
/// back to the same float or double. "time" is the host time of a message log; a raw
/// capture has none, so there it is the seconds since the first record by the unit's
/// time tag, where the format carries one.
class CsvExporter
{
public:
    /// The columns are RecordColumns', in their order.
    static constexpr int kColumnCount = RecordColumns::ColumnCount;
    /// Room a number cell needs at most.
    static constexpr int kNumberChars = 32;

    explicit CsvExporter(QIODevice* out);
    ~CsvExporter();

    /// The byte-order mark and the header row.
    bool begin();
    void add(const CaptureRecord& record);
    /// Writes what is buffered; false (errorText) when the output refused data.
    bool finish();
    qint64 rows() const { return m_rows; }
    QString errorText() const { return m_error; }

    /// A cell's text as RFC 4180 wants it: quoted when it holds a comma, a quote or a
    /// line end, quotes doubled.
    static QByteArray quoted(const QByteArray& text);
    /// Writes the value of a number column of the record at p, as its cell holds it, and
    /// returns the end; nothing for any other column. p must have room for kNumberChars.
    /// The forwarded JSON writes its values with this too, so both say the same.
    static char* writeNumber(char* p, const RecDataStruct& record, RecordColumns::Column column);

private:
    bool flush();
    /// The time cell: the host time of a message log, else the seconds since the first
    /// record by the unit's time tag, else nothing.
    char* writeTime(char* p, const CaptureRecord& record);

    QIODevice* m_out;
    QByteArray m_buffer;
    qint64 m_rows = 0;
    QString m_error;
    /// The status texts by nibble, in UTF-8 and already quoted.
    QByteArray m_fixTexts[16];
    QByteArray m_navTexts[16];
    QByteArray m_formatNames[RecNullFormat + 1];
    bool m_haveFirstTag = false;
    qint64 m_firstTag = 0;
};

} // namespace gcs
