#include "replay/ReplaySource.h"

#include "replay/ReplayLogging.h"

#include <QCoreApplication>
#include <QDir>

#include <cstring>

namespace gcs {

namespace {

constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";

} // namespace

bool ReplaySource::open(const QString& path)
{
    close();
    m_path = path;
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::ReadOnly)) {
        m_error = QCoreApplication::translate("gcs::ReplaySource", "无法打开文件 %1：%2")
                      .arg(QDir::toNativeSeparators(path), m_file.errorString());
        return false;
    }
    // Nothing to play is a file the user should hear about, not a replay that ends at once.
    if (m_file.size() == 0) {
        m_error
            = QCoreApplication::translate("gcs::ReplaySource", "文件 %1 是空的，没有可回放的记录")
                  .arg(QDir::toNativeSeparators(path));
        m_file.close();
        return false;
    }
    if (rewind())
        return true;
    m_file.close();
    return false;
}

void ReplaySource::close()
{
    m_reader.close();
    m_file.close();
    m_error.clear();
    m_haveCurrent = m_haveFollowing = m_started = false;
}

QString ReplaySource::errorText() const
{
    return m_error.isEmpty() ? m_reader.errorText() : m_error;
}

bool ReplaySource::rewind()
{
    if (!m_file.isOpen())
        return false;
    // Opened afresh, the reader finds the first line of a log behind a byte-order mark.
    if (!m_reader.open(m_path)) {
        m_error = m_reader.errorText();
        return false;
    }
    m_error.clear();
    m_time = ReplayTimeBase(kind());
    m_unitStart = 0;
    m_nextRecord = 0;
    m_haveCurrent = m_haveFollowing = m_started = false;
    return true;
}

bool ReplaySource::restore(const ReplayCheckpoint& checkpoint)
{
    if (checkpoint.record == 0)
        return rewind();
    if (!m_file.isOpen() || !m_reader.seek(checkpoint.offset, checkpoint.line)) {
        m_error = m_reader.errorText();
        return false;
    }
    m_error.clear();
    m_time.restore(checkpoint.time);
    m_unitStart = checkpoint.offset;
    m_nextRecord = checkpoint.record;
    m_haveCurrent = m_haveFollowing = m_started = false;
    return true;
}

bool ReplaySource::takeRecord()
{
    if (!m_started) {
        m_started = true;
        m_haveFollowing = m_reader.next(m_following);
    }
    m_haveCurrent = m_haveFollowing;
    if (!m_haveCurrent)
        return false;
    m_current = m_following;
    m_currentStamp = m_time.add(m_current);
    m_currentRecord = m_nextRecord++;
    m_haveFollowing = m_reader.next(m_following);
    // The last record's unit runs to the end of the file, whatever follows it there.
    m_currentEnd = qMax(m_unitStart, m_haveFollowing ? m_following.offset : m_reader.size());
    return true;
}

bool ReplaySource::next(ReplayUnit& unit)
{
    // Every record gets a unit, even one of no bytes; a long one gets several.
    if (!m_haveCurrent || m_unitStart >= m_currentEnd) {
        if (!takeRecord())
            return false;
    }
    qint64 end = m_currentEnd;
    if (end - m_unitStart > kMaxUnitBytes) {
        end = m_unitStart + kMaxUnitBytes;
        if (kind() == CaptureReader::Kind::MessageLog) {
            // A log's lines are rebuilt whole: cut after the last line end in the range.
            QByteArray block;
            if (readRange(m_unitStart, end, block)) {
                const qsizetype lf = block.lastIndexOf('\n');
                if (lf >= 0)
                    end = m_unitStart + lf + 1;
            }
        }
    }
    unit.stamp = m_currentStamp;
    unit.offset = m_unitStart;
    unit.end = end;
    unit.bytes.clear();
    unit.filled = false;
    m_unitStart = end;
    return true;
}

bool ReplaySource::fill(ReplayUnit& unit)
{
    QByteArray part;
    if (!readRange(unit.offset, unit.end, part))
        return false;
    if (kind() == CaptureReader::Kind::MessageLog)
        rebuildLog(part, unit.offset == 0, unit.bytes);
    else
        unit.bytes = part;
    unit.filled = true;
    return true;
}

bool ReplaySource::readRange(qint64 from, qint64 to, QByteArray& out)
{
    out.clear();
    if (to <= from)
        return true;
    if ((m_file.pos() != from && !m_file.seek(from))
        || (out = m_file.read(to - from)).size() != to - from) {
        // A read that comes short without an error: the file lost its end since it was read.
        const QString why = m_file.error() == QFileDevice::NoError
            ? QCoreApplication::translate("gcs::ReplaySource", "文件在打开后被截断或改动")
            : m_file.errorString();
        m_error = QCoreApplication::translate("gcs::ReplaySource", "读取文件 %1 出错：%2")
                      .arg(QDir::toNativeSeparators(m_path), why);
        qCWarning(lcReplay) << "read failed at" << from << why;
        out.clear();
        return false;
    }
    return true;
}

void ReplaySource::rebuildLog(const QByteArray& lines, bool atFileStart, QByteArray& out)
{
    out.clear();
    const char* d = lines.constData();
    const qsizetype n = lines.size();
    qsizetype pos = atFileStart && lines.startsWith(kUtf8Bom) ? 3 : 0;
    QByteArray message;
    qint64 ms = 0;
    while (pos < n) {
        const void* hit = std::memchr(d + pos, '\n', size_t(n - pos));
        const qsizetype lf = hit ? static_cast<const char*>(hit) - d : n;
        qsizetype length = lf - pos;
        if (length > 0 && d[pos + length - 1] == '\r')
            --length;
        // A line the reader did not accept (the damaged end of a log) rebuilds nothing.
        if (length > 0
            && m_parser.parse(d + pos, length, message, ms) == MessageLogParser::Fault::None) {
            out += message;
            // The log keeps a sentence without its line end; the unit sent CR LF.
            if (message.startsWith("#vorn"))
                out += "\r\n";
        }
        pos = lf + 1;
    }
}

} // namespace gcs
