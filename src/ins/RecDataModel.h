#pragma once

#include "ins/FrameSequence.h"
#include "ins/RecConfigGyroStruct.h"
#include "ins/RecConfigInstallStruct.h"
#include "ins/RecConfigSerialStruct.h"
#include "ins/RecDataStruct.h"
#include "ins/RecPacketFormat.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTime>
#include <QVariantMap>

/// Decoder of the INS device protocol. Every received chunk goes to anaylzeRec; the
/// decoder keeps one receive buffer, finds binary frames (header AA 55, 31 or 59 bytes,
/// 8-bit checksum) and "#vorn" text lines in it, and reports each decoded message,
/// configuration reply and accepted message's bytes through signals, synchronously.
///
/// Cost is linear in the input: a call walks its buffer once with an offset and drops
/// the consumed front once at the end, and the searches for "#vorn", AA 55 and line
/// feeds resume where the previous call stopped instead of rescanning bytes already seen.
/// Every buffer is bounded: a buffer without any header is cut to its newest
/// kBufferKeep bytes past kBufferCap, and an unterminated text line past kMaxLineBytes is
/// dropped and counted as a packet error.
///
/// The integrity counters (integrity()) are kept where every byte is decided, so a live
/// link and a capture read back from a file count the same stream the same way.
class RecDataModel : public QObject
{
    Q_OBJECT
public:
    /// What became of the bytes handed in since the statistics were last reset.
    struct Integrity
    {
        qint64 bytes = 0; ///< every byte handed in
        qint64 frames = 0; ///< binary frames decoded
        qint64 sentences = 0; ///< text lines accepted: navigation sentences and replies
        /// Frame headers whose frame failed its checksum (or could be no frame at all).
        qint64 checksumErrors = 0;
        qint64 textErrors = 0; ///< text lines rejected (packetErrs)
        /// Bytes that belong to no accepted message: garbage, broken frames, rejected or
        /// empty lines, a cut buffer, what was left when the input ended.
        qint64 skippedBytes = 0;
        /// Frames that did not arrive whole, as gcs::FrameSequence counts them: the gaps in
        /// a counter or in the steps of a time tag, and the checksum failures where
        /// neither can tell.
        qint64 lostFrames = 0;
    };

    /// Frame lengths, tried in this order while hunting.
    static constexpr int kFrameLens[2] = { 31, 59 };
    static constexpr qsizetype kBufferCap = 0x40000;
    static constexpr qsizetype kBufferKeep = 0x20000;
    static constexpr qsizetype kMaxLineBytes = 0x10000;

    /// Whether emitWireFrame receives a text line (its line end is stripped) or a binary
    /// frame (passed on whole: a checksum byte may well be 0x0A or 0x0D).
    enum class WireKind { TextLine, BinaryFrame };

    explicit RecDataModel(QObject* parent = nullptr);
    ~RecDataModel() override;

    qint64 recBytes() const { return m_recBytes; }
    int recPackets() const { return m_recPackets; }
    int sendBytes() const { return m_sendBytes; }
    int packetFre() const { return m_packetFre; }
    int packetErrs() const { return m_packetErrs; }
    QTime recTime() const { return m_recTime; }
    /// Wall-clock time (ms since the epoch) at which the latest chunk arrived; 0 before.
    qint64 hostRxMs() const { return m_hostRxMs; }
    /// Bytes received and not yet consumed.
    const QByteArray& receiveBuffer() const { return m_buffer; }
    /// 0 while hunting, else the length of the frame kind last verified.
    int lockedFrameLength() const { return m_locked ? m_lockedLen : 0; }
    Integrity integrity() const;
    /// The counters as a map with the keys "bytes", "frames", "sentences",
    /// "checksum_errors", "text_errors", "skipped_bytes" and "lost_frames".
    static QVariantMap integrityFields(const Integrity& counters);
    /// While newValue or wireFrameForLog is being emitted: where the message starts in the
    /// stream, counted in bytes since the decoder was made or its buffer last reset.
    qint64 messageOffset() const { return m_messageOffset; }
    /// While newValue is being emitted for a binary frame: the frame's bytes (empty for a
    /// sentence), for a reader that keeps more of it than the record holds.
    QByteArrayView messageFrame() const { return m_messageFrame; }

    void addRecStatisticsRecTime(int secs);
    void addRecStatisticsSendBytes(int n);

    static bool isBinaryAA55(const QByteArray& data);
    static bool isStringVorn(const QByteArray& data);
    /// Sum of the first n bytes modulo 256; 0 when n < 1.
    static quint8 checksumCalc(const QByteArray& data, signed char n);
    /// Two's complement of the same sum; 0 when n < 1.
    static quint8 checksumCompCalc(const QByteArray& data, signed char n);

    static RecDataStruct extractImubin(const QByteArray& frame);
    static RecDataStruct extractSinsbin(const QByteArray& frame);
    /// The k-th of a 31-byte frame's rates and accelerations (gx, gy, gz, ax, ay, az) as
    /// the integer the unit sent, which the record's float holds to about 7 digits only.
    static qint32 imubinWire(QByteArrayView frame, int k);
    static RecDataStruct extractImuasc(const QList<QString>& fields);
    static RecDataStruct extractAhrsasc(const QList<QString>& fields);
    static RecDataStruct extractSinsasc(const QList<QString>& fields);
    static RecConfigSerialStruct extractConfigSerial(const QList<QString>& fields);
    static RecConfigGyroStruct extractConfigGyro(const QList<QString>& fields);
    static RecConfigInstallStruct extractConfigInstall(const QList<QString>& fields);
    static QList<QString> extractConfigAxis(const QList<QString>& fields);
    static double extract_dyawGNSS(const QList<QString>& fields);
    static double extractExtrapTime(const QList<QString>& fields);

    /// One whole message as a message log keeps it, decoded on its own: a binary frame is
    /// checked at its own length whatever the lock, anything else is one text line (its
    /// line end may be missing). The receive buffer is not touched; hostRxMs stamps the
    /// message's wire frame.
    void decodeMessage(const QByteArray& message, qint64 hostRxMs);
    /// The input has ended (a capture read to its end): what the buffer still holds is
    /// decoded as far as it goes; the rest will never complete a message and counts as
    /// skipped.
    void endOfInput();

    /// Hands one accepted message to the log and the recorder (wireFrameForLog), stamped
    /// with the arrival time of its chunk.
    void emitWireFrame(const QByteArray& frame, WireKind kind = WireKind::TextLine);

    static QString PacketEnumToString(const RecPacketFormat& format);
    static RecPacketFormat stringToPacketEnum(const QString& name);
    static QStringList getPacketEnumStrings();

public slots:
    void anaylzeRec(const QByteArray& data);
    void anaylzeRecDataStream();
    void anaylzeRecTextStream();
    void resetRecStatistics();
    void resetParseBuffer();

signals:
    void newValue(const RecDataStruct& record);
    void newConfigSerialValue(const RecConfigSerialStruct& config);
    void newConfigGyroValue(const RecConfigGyroStruct& config);
    void newConfigInstallValue(const RecConfigInstallStruct& config);
    void newConfigAxisValue(const QList<QString>& axis);
    void newSoftVerValue(QString version);
    void newConfig_dyawGNSS(double value);
    void newConfigExtrapTime(double value);
    void wireFrameForLog(const QByteArray& frame, qint64 hostRxMs);

private:
    void dispatchBuffer();
    bool bufferHasVorn();
    bool bufferHasHeader();
    /// Drops the first n bytes of the buffer and moves the search marks with them.
    void consume(qsizetype n);
    void clearBuffer();
    void setLock(int len);
    void clearLock();
    /// False when the line was rejected or ignored.
    bool handleTextLine(const QByteArray& raw);
    void emitNavigation(const QByteArray& raw, const RecDataStruct& record);
    /// A verified frame of len bytes at p: counted, logged and decoded as wanted.
    void acceptFrame(const uchar* p, int len, bool wantWire, bool wantRecord);
    void noteChecksumFailure();
    bool wireFrameWanted() const;
    bool recordWanted() const;

    QByteArray m_buffer;
    // Search marks: the buffer's first m_*Clean bytes are known to hold no start of
    // "#vorn", of AA 55 and no line feed respectively. Appending keeps them true.
    qsizetype m_vornClean = 0;
    qsizetype m_headerClean = 0;
    qsizetype m_lfClean = 0;

    qint16 m_lockedLen = 0;
    qint16 m_locked = 0;

    qint64 m_recBytes = 0;
    qint32 m_recPackets = 0;
    qint32 m_sendBytes = 0;
    qint32 m_packetFre = 0;
    qint32 m_packetErrs = 0;
    QTime m_recTime = QTime(0, 0);
    qint64 m_hostRxMs = 0;

    qint64 m_frames = 0;
    qint64 m_sentences = 0;
    qint64 m_checksumErrors = 0;
    qint64 m_skippedBytes = 0;
    gcs::FrameSequence m_sequence;
    // Stream offset of the buffer's first byte, and of the message being emitted.
    qint64 m_streamPos = 0;
    qint64 m_messageOffset = 0;
    QByteArrayView m_messageFrame;

    // A slot connected to a signal may reset the buffer or feed more bytes while a chunk
    // is being decoded; the epoch tells the loops to stop, and input fed from inside is
    // decoded after the current pass instead of recursively.
    quint32 m_epoch = 0;
    bool m_decoding = false;
    bool m_inputPending = false;
};
