#include "capture/CaptureReader.h"

#include "capture/CaptureLogging.h"

#include <QCoreApplication>
#include <QDir>

#include <cstring>

namespace gcs {

namespace {

constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";

QString nativePath(const QFile& file)
{
    return QDir::toNativeSeparators(file.fileName());
}

} // namespace

CaptureReader::CaptureReader()
    : m_decoder(std::make_unique<RecDataModel>())
{
    setQueueRecords(true);
}

CaptureReader::~CaptureReader() = default;

bool CaptureReader::open(const QString& path)
{
    close();
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::ReadOnly)) {
        m_error = QCoreApplication::translate("gcs::CaptureReader", "无法打开文件 %1：%2")
                      .arg(nativePath(m_file), m_file.errorString());
        return false;
    }
    m_size = m_file.size();
    // A log that an editor saved again may have gained a byte-order mark.
    const QByteArray head = m_file.peek(3 + MessageLogParser::kStampLength + 1);
    const qsizetype bom = head.startsWith(kUtf8Bom) ? 3 : 0;
    const bool log = MessageLogParser::startsWithStamp(head.constData() + bom, head.size() - bom);
    m_kind = log ? Kind::MessageLog : Kind::RawCapture;
    qCDebug(lcCapture) << "reading" << path << (log ? "as a message log" : "as a raw capture");
    m_eof = false;
    return seek(log ? bom : 0, 1);
}

void CaptureReader::close()
{
    m_file.close();
    m_kind = Kind::None;
    m_size = 0;
    m_eof = true;
    m_error.clear();
    m_queue.clear();
    m_taken = 0;
}

void CaptureReader::setQueueRecords(bool on)
{
    // Without a receiver the decoder does not even build the records.
    if (!on)
        QObject::disconnect(m_recordConnection);
    else if (!m_recordConnection)
        m_recordConnection = QObject::connect(m_decoder.get(), &RecDataModel::newValue,
                                              [this](const RecDataStruct& r) { onRecord(r); });
}

qint64 CaptureReader::position() const
{
    return m_file.isOpen() ? m_file.pos() : 0;
}

bool CaptureReader::seek(qint64 offset, qint64 line)
{
    if (m_kind == Kind::None)
        return false;
    m_error.clear();
    if (offset < 0 || offset > m_size || !m_file.seek(offset)) {
        fail(QCoreApplication::translate("gcs::CaptureReader", "无法定位到文件 %1 的第 %2 字节")
                 .arg(nativePath(m_file), QString::number(offset)));
        return false;
    }
    m_base = offset;
    m_carry.clear();
    m_carryOffset = offset;
    m_line = qMax<qint64>(1, line) - 1;
    m_timing = CaptureTiming();
    m_decoder->resetParseBuffer();
    m_decoder->resetRecStatistics();
    m_queue.clear();
    m_taken = 0;
    m_eof = false;
    return true;
}

bool CaptureReader::next(CaptureRecord& record)
{
    while (m_taken >= m_queue.size()) {
        m_queue.clear();
        m_taken = 0;
        if (m_eof)
            return false;
        readChunk();
    }
    record = m_queue.at(m_taken++);
    return true;
}

bool CaptureReader::nextQueued(CaptureRecord& record)
{
    if (m_taken >= m_queue.size())
        return false;
    record = m_queue.at(m_taken++);
    return true;
}

bool CaptureReader::readChunk()
{
    if (m_eof)
        return false;
    // Records taken so far need no room any more.
    if (m_taken >= m_queue.size()) {
        m_queue.clear();
        m_taken = 0;
    }
    return m_kind == Kind::MessageLog ? readLogChunk() : readRawChunk();
}

void CaptureReader::onRecord(const RecDataStruct& r)
{
    CaptureRecord& c = m_queue.emplace_back();
    c.record = r;
    if (m_kind == Kind::MessageLog) {
        c.hostMs = m_lineMs;
        c.offset = m_lineOffset;
        c.line = m_line;
        std::memcpy(c.timeText, m_lineText, CaptureRecord::kTimeTextLength);
    } else {
        c.offset = m_base + m_decoder->messageOffset();
    }
    const QByteArrayView frame = m_decoder->messageFrame();
    c.hasImuWire = r.format == RecImuBin && !frame.isEmpty();
    for (int k = 0; c.hasImuWire && k < 6; ++k)
        c.imuWire[k] = RecDataModel::imubinWire(frame, k);
}

bool CaptureReader::readRawChunk()
{
    const QByteArray chunk = m_file.read(m_chunk);
    if (!chunk.isEmpty()) {
        m_decoder->anaylzeRec(chunk);
        return true;
    }
    m_eof = true;
    if (m_file.error() != QFileDevice::NoError) {
        fail(QCoreApplication::translate("gcs::CaptureReader", "读取文件 %1 出错：%2")
                 .arg(nativePath(m_file), m_file.errorString()));
        return false;
    }
    m_decoder->endOfInput();
    const RecDataModel::Integrity c = m_decoder->integrity();
    if (c.bytes > 0 && c.frames == 0 && c.sentences == 0)
        fail(QCoreApplication::translate(
                 "gcs::CaptureReader",
                 "无法识别的文件 %1：既不是 INS 消息记录，也没有可解码的帧或语句")
                 .arg(nativePath(m_file)));
    return false;
}

bool CaptureReader::readLogChunk()
{
    const qint64 at = m_file.pos();
    const QByteArray chunk = m_file.read(m_chunk);
    if (chunk.isEmpty()) {
        if (m_file.error() != QFileDevice::NoError)
            fail(QCoreApplication::translate("gcs::CaptureReader", "读取文件 %1 出错：%2")
                     .arg(nativePath(m_file), m_file.errorString()));
        else if (!m_carry.isEmpty())
            fail(QCoreApplication::translate(
                     "gcs::CaptureReader",
                     "消息记录的最后一行（第 %1 行）不完整，文件可能在写入时被截断；"
                     "之前的记录已读出")
                     .arg(m_line + 1));
        m_eof = true;
        return false;
    }
    const QByteArray data = m_carry.isEmpty() ? chunk : m_carry + chunk;
    const qint64 base = m_carry.isEmpty() ? at : m_carryOffset;
    const char* d = data.constData();
    const qsizetype n = data.size();
    qsizetype pos = 0;
    while (const void* hit = std::memchr(d + pos, '\n', size_t(n - pos))) {
        const qsizetype lf = static_cast<const char*>(hit) - d;
        // A log that passed through a Windows editor ends its lines with CR LF.
        const qsizetype end = (lf > pos && d[lf - 1] == '\r') ? lf - 1 : lf;
        ++m_line;
        if (!handleLogLine(d + pos, end - pos, base + pos))
            return false;
        pos = lf + 1;
    }
    m_carry = data.mid(pos);
    m_carryOffset = base + pos;
    if (m_carry.size() > kMaxLogLine) {
        fail(QCoreApplication::translate("gcs::CaptureReader",
                                         "消息记录第 %1 行过长（超过 %2 KB）；之前的记录已读出")
                 .arg(m_line + 1)
                 .arg(kMaxLogLine / 1024));
        return false;
    }
    return true;
}

bool CaptureReader::handleLogLine(const char* text, qsizetype size, qint64 offset)
{
    if (size == 0)
        return true;
    qint64 ms = 0;
    switch (m_parser.parse(text, size, m_message, ms)) {
    case MessageLogParser::Fault::None:
        break;
    case MessageLogParser::Fault::Stamp:
        fail(QCoreApplication::translate("gcs::CaptureReader",
                                         "消息记录第 %1 行不是“时间 报文”的格式；之前的记录已读出")
                 .arg(m_line));
        return false;
    case MessageLogParser::Fault::Hex:
        fail(QCoreApplication::translate("gcs::CaptureReader",
                                         "消息记录第 %1 行不是十六进制数据；之前的记录已读出")
                 .arg(m_line));
        return false;
    }
    m_timing.add(ms, m_line);
    m_lineText = text;
    m_lineOffset = offset;
    m_lineMs = ms;
    m_decoder->decodeMessage(m_message, ms);
    return true;
}

void CaptureReader::fail(const QString& text)
{
    qCDebug(lcCapture) << "reading stopped:" << text;
    m_error = text;
    m_eof = true;
}

} // namespace gcs
