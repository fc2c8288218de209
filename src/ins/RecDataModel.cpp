// Chunk entry, binary frame extraction, checksums, statistics and format names of the
// INS decoder. The text path lives in RecDataModelText.cpp.
#include "ins/RecDataModel.h"

#include "ins/InsLogging.h"
#include "ins/WireFormat.h"

#include <QDateTime>
#include <QMetaMethod>
#include <QtEndian>

#include <cstring>

namespace {

constexpr uchar kHeader0 = 0xAA;
constexpr uchar kHeader1 = 0x55;
constexpr int kImuLen = 31;
constexpr int kSinsLen = 59;

// Index of the first AA 55 whose first byte is at or after from, or -1.
qsizetype findHeader(const uchar* d, qsizetype n, qsizetype from)
{
    while (from + 1 < n) {
        const void* hit = std::memchr(d + from, kHeader0, size_t(n - 1 - from));
        if (!hit)
            return -1;
        const qsizetype i = static_cast<const uchar*>(hit) - d;
        if (d[i + 1] == kHeader1)
            return i;
        from = i + 1;
    }
    return -1;
}

quint8 byteSum(const uchar* p, int n)
{
    unsigned sum = 0;
    for (int i = 0; i < n; ++i)
        sum += p[i];
    return quint8(sum);
}

// The 31-byte frame ends with the plain sum of the bytes before it, the 59-byte frame
// with its two's complement; both sums include the header.
bool frameVerified(const uchar* p, int len)
{
    if (len == kImuLen)
        return byteSum(p, kImuLen - 1) == p[kImuLen - 1];
    return quint8(0u - byteSum(p, kSinsLen - 1)) == p[kSinsLen - 1];
}

template<typename T> T le(const uchar* p)
{
    return qFromLittleEndian<T>(p);
}

float leFloat(const uchar* p)
{
    const quint32 bits = qFromLittleEndian<quint32>(p);
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
}

using F = gcs::WireFormat;

// The 31-byte frame's rates and accelerations: six int32 from byte 4 on.
qint32 imuInertial(const uchar* p, int k)
{
    return le<qint32>(p + 4 + 4 * k);
}

RecDataStruct decodeImu(const uchar* p)
{
    RecDataStruct r;
    r.format = RecImuBin;
    r.count = le<qint16>(p + 2);
    r.gx = float(imuInertial(p, 0) * F::kImuRate);
    r.gy = float(imuInertial(p, 1) * F::kImuRate);
    r.gz = float(imuInertial(p, 2) * F::kImuRate);
    r.ax = float(imuInertial(p, 3) * F::kImuAccel);
    r.ay = float(imuInertial(p, 4) * F::kImuAccel);
    r.az = float(imuInertial(p, 5) * F::kImuAccel);
    r.temp = float(le<qint16>(p + 28) * F::kImuTemp);
    return r;
}

// The time tag is sent in two parts: high * 10000 + low.
qint64 sinsTimeTag(const uchar* p)
{
    return qint64(le<quint32>(p + 52)) * 10000 + le<quint16>(p + 56);
}

// Longitude comes before latitude, and the inertial values are raw IEEE floats here.
RecDataStruct decodeSins(const uchar* p)
{
    RecDataStruct r;
    r.format = RecSinsBin;
    r.status = p[2];
    r.gx = leFloat(p + 3);
    r.gy = leFloat(p + 7);
    r.gz = leFloat(p + 11);
    r.ax = leFloat(p + 15);
    r.ay = leFloat(p + 19);
    r.az = leFloat(p + 23);
    r.pitch = float(le<qint16>(p + 27) * F::kSinsAngle);
    r.roll = float(le<qint16>(p + 29) * F::kSinsAngle);
    r.yaw = float(le<quint16>(p + 31) * F::kSinsAngle);
    r.gnss_heading = float(le<quint16>(p + 33) * F::kSinsAngle);
    r.lon = le<qint32>(p + 35) * F::kSinsDegrees;
    r.lat = le<qint32>(p + 39) * F::kSinsDegrees;
    r.alt = le<qint16>(p + 43) * F::kSinsWhole;
    r.ve = float(le<qint16>(p + 45) * F::kSinsVelocity);
    r.vn = float(le<qint16>(p + 47) * F::kSinsVelocity);
    r.vu = float(le<qint16>(p + 49) * F::kSinsVelocity);
    r.temp = float(int(p[51]) - 80);
    r.utc = double(sinsTimeTag(p));
    return r;
}

} // namespace

RecDataModel::RecDataModel(QObject* parent)
    : QObject(parent)
{ }

RecDataModel::~RecDataModel() = default;

void RecDataModel::anaylzeRec(const QByteArray& data)
{
    m_hostRxMs = QDateTime::currentMSecsSinceEpoch();
    // An empty buffer takes the chunk by reference (no copy, even for a whole capture).
    if (m_buffer.isEmpty())
        m_buffer = data;
    else
        m_buffer.append(data);
    m_recBytes += data.size();
    if (m_decoding) {
        m_inputPending = true;
        return;
    }
    m_decoding = true;
    do {
        m_inputPending = false;
        dispatchBuffer();
    } while (m_inputPending);
    m_decoding = false;

    const int ms = m_recTime.msecsSinceStartOfDay();
    if (ms >= 1000)
        m_packetFre = m_recPackets / (ms / 1000);
}

void RecDataModel::dispatchBuffer()
{
    // Text wins when both kinds share the buffer.
    if (bufferHasVorn())
        anaylzeRecTextStream();
    else if (bufferHasHeader())
        anaylzeRecDataStream();
    else if (m_buffer.size() > kBufferCap) {
        m_skippedBytes += m_buffer.size() - kBufferKeep;
        consume(m_buffer.size() - kBufferKeep);
    }
}

bool RecDataModel::bufferHasVorn()
{
    static constexpr char kVorn[] = "#vorn";
    const char* d = m_buffer.constData();
    const qsizetype n = m_buffer.size();
    qsizetype from = qMin(m_vornClean, n);
    while (from + 5 <= n) {
        const void* hit = std::memchr(d + from, '#', size_t(n - 4 - from));
        if (!hit)
            break;
        const qsizetype i = static_cast<const char*>(hit) - d;
        if (std::memcmp(d + i, kVorn, 5) == 0) {
            m_vornClean = i;
            return true;
        }
        from = i + 1;
    }
    m_vornClean = qMax<qsizetype>(0, n - 4);
    return false;
}

bool RecDataModel::bufferHasHeader()
{
    const auto* d = reinterpret_cast<const uchar*>(m_buffer.constData());
    const qsizetype n = m_buffer.size();
    const qsizetype at = findHeader(d, n, qMin(m_headerClean, n));
    m_headerClean = at >= 0 ? at : qMax<qsizetype>(0, n - 1);
    return at >= 0;
}

void RecDataModel::consume(qsizetype n)
{
    if (n <= 0)
        return;
    n = qMin(n, m_buffer.size());
    m_streamPos += n;
    if (n == m_buffer.size())
        m_buffer.clear();
    else
        m_buffer = m_buffer.sliced(n);
    m_vornClean = qMax<qsizetype>(0, m_vornClean - n);
    m_headerClean = qMax<qsizetype>(0, m_headerClean - n);
    m_lfClean = qMax<qsizetype>(0, m_lfClean - n);
}

void RecDataModel::clearBuffer()
{
    m_buffer.clear();
    m_vornClean = m_headerClean = m_lfClean = 0;
    m_streamPos = 0;
    ++m_epoch;
}

void RecDataModel::setLock(int len)
{
    m_lockedLen = qint16(len);
    m_locked = 1;
    qCDebug(gcs::lcIns) << "locked on" << len << "byte frames";
}

void RecDataModel::clearLock()
{
    if (m_locked)
        qCDebug(gcs::lcIns) << "lost lock on" << m_lockedLen << "byte frames";
    m_lockedLen = 0;
    m_locked = 0;
}

bool RecDataModel::wireFrameWanted() const
{
    static const QMetaMethod signal = QMetaMethod::fromSignal(&RecDataModel::wireFrameForLog);
    return isSignalConnected(signal);
}

bool RecDataModel::recordWanted() const
{
    static const QMetaMethod signal = QMetaMethod::fromSignal(&RecDataModel::newValue);
    return isSignalConnected(signal);
}

void RecDataModel::anaylzeRecDataStream()
{
    // The local copy keeps the bytes alive should a slot reset the buffer meanwhile.
    const QByteArray bytes = m_buffer;
    const auto* d = reinterpret_cast<const uchar*>(bytes.constData());
    const qsizetype n = bytes.size();
    const quint32 epoch = m_epoch;
    // Building the frame's byte array is most of the per-frame cost, and decoding the
    // record the next: neither is done for nobody.
    const bool wantWire = wireFrameWanted();
    const bool wantRecord = recordWanted();
    qsizetype pos = 0;
    qsizetype accepted = 0;
    qsizetype from = qMin(m_headerClean, n);
    for (;;) {
        const qsizetype at = findHeader(d, n, from);
        if (at < 0) {
            // No complete header left. A last byte 0xAA may be the first half of the next
            // header, whose 0x55 arrives with the next chunk; keep it.
            pos = (n > from && d[n - 1] == kHeader0) ? n - 1 : n;
            m_headerClean = pos;
            break;
        }
        pos = at;
        int len = 0;
        if (!m_locked) {
            // Hunting: a header is given up only once every frame length has been tested
            // against the bytes and none matched; otherwise the frame may still be
            // arriving, so wait.
            bool untested = false;
            for (int L : kFrameLens) {
                if (n - pos < L) {
                    untested = true;
                    continue;
                }
                if (frameVerified(d + pos, L)) {
                    len = L;
                    break;
                }
            }
            if (len == 0) {
                if (untested) {
                    m_headerClean = pos;
                    break;
                }
                noteChecksumFailure();
                from = pos + 2;
                continue;
            }
            setLock(len);
        } else {
            len = m_lockedLen;
            if (len != kImuLen && len != kSinsLen) {
                clearLock();
                from = pos;
                continue;
            }
            if (n - pos < len) {
                m_headerClean = pos;
                break;
            }
            if (!frameVerified(d + pos, len)) {
                clearLock();
                noteChecksumFailure();
                from = pos + 2;
                continue;
            }
        }
        m_messageOffset = m_streamPos + pos;
        acceptFrame(d + pos, len, wantWire, wantRecord);
        if (m_epoch != epoch)
            return;
        pos += len;
        accepted += len;
        from = pos;
    }
    m_skippedBytes += pos - accepted;
    consume(pos);
}

void RecDataModel::acceptFrame(const uchar* p, int len, bool wantWire, bool wantRecord)
{
    if (len == kImuLen)
        m_sequence.add(RecImuBin, le<qint16>(p + 2));
    else
        m_sequence.add(RecSinsBin, sinsTimeTag(p));
    if (wantWire)
        emitWireFrame(QByteArray(reinterpret_cast<const char*>(p), len), WireKind::BinaryFrame);
    if (wantRecord) {
        m_messageFrame = QByteArrayView(p, len);
        emit newValue(len == kImuLen ? decodeImu(p) : decodeSins(p));
        m_messageFrame = QByteArrayView();
    }
    ++m_recPackets;
    ++m_frames;
}

void RecDataModel::noteChecksumFailure()
{
    ++m_checksumErrors;
    m_sequence.checksumFailure();
}

void RecDataModel::decodeMessage(const QByteArray& message, qint64 hostRxMs)
{
    m_hostRxMs = hostRxMs;
    m_recBytes += message.size();
    m_messageOffset = 0;
    const auto* d = reinterpret_cast<const uchar*>(message.constData());
    const qsizetype n = message.size();
    if (n >= 2 && d[0] == kHeader0 && d[1] == kHeader1) {
        if ((n == kImuLen || n == kSinsLen) && frameVerified(d, int(n))) {
            acceptFrame(d, int(n), wireFrameWanted(), recordWanted());
            return;
        }
        noteChecksumFailure();
        m_skippedBytes += n;
        return;
    }
    if (!handleTextLine(message))
        m_skippedBytes += n;
}

void RecDataModel::endOfInput()
{
    // Frames behind a sentence in the last chunk waited for input that will not come:
    // the text path handles a buffer as long as it holds "#vorn", the frames after it
    // only on the next call.
    for (qsizetype before = -1; !m_decoding && !m_buffer.isEmpty() && m_buffer.size() != before;) {
        before = m_buffer.size();
        dispatchBuffer();
    }
    m_skippedBytes += m_buffer.size();
    consume(m_buffer.size());
    m_vornClean = m_headerClean = m_lfClean = 0;
}

RecDataModel::Integrity RecDataModel::integrity() const
{
    Integrity c;
    c.bytes = m_recBytes;
    c.frames = m_frames;
    c.sentences = m_sentences;
    c.checksumErrors = m_checksumErrors;
    c.textErrors = m_packetErrs;
    c.skippedBytes = m_skippedBytes;
    c.lostFrames = m_sequence.lost();
    return c;
}

QVariantMap RecDataModel::integrityFields(const Integrity& c)
{
    return { { QStringLiteral("bytes"), c.bytes },
             { QStringLiteral("frames"), c.frames },
             { QStringLiteral("sentences"), c.sentences },
             { QStringLiteral("checksum_errors"), c.checksumErrors },
             { QStringLiteral("text_errors"), c.textErrors },
             { QStringLiteral("skipped_bytes"), c.skippedBytes },
             { QStringLiteral("lost_frames"), c.lostFrames } };
}

void RecDataModel::emitWireFrame(const QByteArray& frame, WireKind kind)
{
    qsizetype len = frame.size();
    if (kind == WireKind::TextLine) {
        while (len > 0 && (frame.at(len - 1) == '\r' || frame.at(len - 1) == '\n'))
            --len;
    }
    if (len == 0)
        return;
    const qint64 stamp = m_hostRxMs > 0 ? m_hostRxMs : QDateTime::currentMSecsSinceEpoch();
    emit wireFrameForLog(len == frame.size() ? frame : frame.first(len), stamp);
}

void RecDataModel::resetRecStatistics()
{
    m_recBytes = 0;
    m_recPackets = 0;
    m_sendBytes = 0;
    m_packetFre = 0;
    m_packetErrs = 0;
    m_recTime = QTime(0, 0);
    m_frames = m_sentences = m_checksumErrors = m_skippedBytes = 0;
    m_sequence.clearCount();
}

void RecDataModel::resetParseBuffer()
{
    clearBuffer();
    clearLock();
    // What follows may come from another link or another place in a capture.
    m_sequence.restart();
}

void RecDataModel::addRecStatisticsRecTime(int secs)
{
    m_recTime = m_recTime.addSecs(secs);
}

void RecDataModel::addRecStatisticsSendBytes(int n)
{
    m_sendBytes += n;
}

bool RecDataModel::isBinaryAA55(const QByteArray& data)
{
    return findHeader(reinterpret_cast<const uchar*>(data.constData()), data.size(), 0) >= 0;
}

bool RecDataModel::isStringVorn(const QByteArray& data)
{
    return data.contains("#vorn");
}

quint8 RecDataModel::checksumCalc(const QByteArray& data, signed char n)
{
    if (n < 1)
        return 0;
    const int count = int(qMin<qsizetype>(n, data.size()));
    return byteSum(reinterpret_cast<const uchar*>(data.constData()), count);
}

quint8 RecDataModel::checksumCompCalc(const QByteArray& data, signed char n)
{
    if (n < 1)
        return 0;
    return quint8(0u - checksumCalc(data, n));
}

RecDataStruct RecDataModel::extractImubin(const QByteArray& frame)
{
    if (frame.size() < kImuLen) {
        RecDataStruct r;
        r.format = RecImuBin;
        return r;
    }
    return decodeImu(reinterpret_cast<const uchar*>(frame.constData()));
}

qint32 RecDataModel::imubinWire(QByteArrayView frame, int k)
{
    if (frame.size() < kImuLen || k < 0 || k > 5)
        return 0;
    return imuInertial(reinterpret_cast<const uchar*>(frame.data()), k);
}

RecDataStruct RecDataModel::extractSinsbin(const QByteArray& frame)
{
    if (frame.size() < kSinsLen) {
        RecDataStruct r;
        r.format = RecSinsBin;
        return r;
    }
    return decodeSins(reinterpret_cast<const uchar*>(frame.constData()));
}

QString RecDataModel::PacketEnumToString(const RecPacketFormat& format)
{
    static const char* const kNames[]
        = { "imuasc",  "imubin",      "ahrsbin",     "ahrsasc", "sinsbin",
            "sinsasc", "extsinsbin0", "extsinsbin1", "calibpn", "dzt500" };
    if (format < 0 || format > RecDzt500)
        return QStringLiteral("nullformat");
    return QString::fromLatin1(kNames[format]);
}

RecPacketFormat RecDataModel::stringToPacketEnum(const QString& name)
{
    for (int v = RecImuAsc; v <= RecDzt500; ++v) {
        if (name == PacketEnumToString(RecPacketFormat(v)))
            return RecPacketFormat(v);
    }
    return RecNullFormat;
}

QStringList RecDataModel::getPacketEnumStrings()
{
    return { QStringLiteral("imubin"),      QStringLiteral("imuasc"),
             QStringLiteral("ahrsbin"),     QStringLiteral("ahrsasc"),
             QStringLiteral("sinsbin"),     QStringLiteral("sinsasc"),
             QStringLiteral("extsinsbin0"), QStringLiteral("extsinsbin1"),
             QStringLiteral("calibpn"),     QStringLiteral("dzt500") };
}
