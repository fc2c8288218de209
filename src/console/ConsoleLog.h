#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <deque>

namespace gcs {

/// The communication log that the raw-data and console pages show: what was sent and
/// what came back, with direction banners and time stamps, as text or hexadecimal.
///
/// The log is a chronological list of blocks: text blocks (banners, command traces,
/// time-stamped message lines) and batches of received bytes. Its text is the rendering
/// of the blocks in order, so new blocks only ever append to it; byte batches are
/// rendered in the current form (text or hex) and rendered again when the form changes.
/// Received bytes wait in a pending buffer and are taken in batches of kBatchBytes, so a
/// backlog costs one batch per turn of the event loop however large it grew.
///
/// Every buffer is bounded, the newest data kept: kMaxPendingRaw pending bytes,
/// kMaxArchiveBytes rendered bytes, kMaxTextChars characters of text. Bytes leave the
/// text kArchiveTrimStep at a time, so the text may fall somewhat below its cap.
///
/// Plain state without signals: each operation says what changed and the controller
/// tells QML. Times come from the caller.
class ConsoleLog
{
public:
    static constexpr qsizetype kMaxTextChars = 49152;
    static constexpr qsizetype kMaxPendingRaw = 49152;
    static constexpr qsizetype kMaxArchiveBytes = 98304;
    static constexpr qsizetype kBatchBytes = 6144;
    static constexpr qsizetype kArchiveTrimStep = 4096;

    /// What one batch of received bytes did to the log.
    struct Flush
    {
        bool took = false; ///< bytes were taken from the pending buffer
        QString appended; ///< text added at the end (banner and rendered bytes)
        bool more = false; ///< bytes are still pending
    };

    ConsoleLog();

    const QString& text() const { return m_text; }
    bool hexMode() const { return m_hexMode; }
    bool paused() const { return m_paused; }
    qint64 rxCount() const { return m_rxCount; }
    qint64 txCount() const { return m_txCount; }
    qsizetype pendingRawBytes() const { return m_pendingRaw.size(); }
    qsizetype archivedRawBytes() const { return m_archiveBytes; }
    /// The next received data starts with a "接收" banner.
    bool receiveBannerDue() const { return m_newBlock || !m_bannerWritten; }

    /// Appends a text block; returns the text added (empty input adds nothing).
    QString commit(const QString& block);

    /// One received message of a product whose log shows messages, not the byte stream:
    /// a time-stamped line (after a "接收" banner when one is due). Nothing while paused.
    /// Returns the text added.
    QString appendOnePacket(const QByteArray& frame, const QDateTime& now);

    /// Bytes that went out: a "发送" banner and the bytes (a binary command in text form
    /// shows the banner only). Counts them as sent and makes the next received data
    /// start a new block. Returns the text added.
    QString appendCommandTrace(const QByteArray& bytes, const QDateTime& now);

    /// One chunk received from the current device. Counted unless paused; kept for the
    /// raw-data view only while that view is shown.
    void takeReceived(const QByteArray& chunk, bool rawViewActive);

    /// Renders the next batch of pending bytes (nothing while paused unless forced).
    Flush flushRawBatch(bool force, const QDateTime& now);

    /// Switches the form of byte batches and renders the text again. False when the form
    /// was already that.
    bool setHexMode(bool on);
    /// False when the log already was in that state.
    bool setPaused(bool paused);

    /// Empties the text, the pending and rendered bytes and the counters; the pause stays.
    void clear();

    /// Writes the text as UTF-8 to path, replacing the file only once everything was
    /// written. On failure errorText (when given) says why.
    bool save(const QString& path, QString* errorText = nullptr) const;

private:
    struct Block
    {
        bool isBytes = false;
        QString text; ///< a text block
        QByteArray bytes; ///< a batch of received bytes
        qsizetype renderedSize = 0;
    };

    /// The banner for direction, on a line of its own.
    QString bannerBlock(const QString& direction, const QDateTime& now) const;
    QString render(const Block& block) const;
    QString append(Block block);
    void rebuildText();
    /// Drops the oldest blocks and bytes until every cap holds again.
    void enforceCaps();
    /// Drops n rendered characters from the front of the text (applied once, lazily).
    void dropFront(qsizetype n) { m_frontCut += n; }
    qsizetype textSize() const { return m_text.size() - m_frontCut; }
    /// Drops up to n of the oldest received bytes, and the text blocks older than them.
    void dropOldestBytes(qsizetype n);

    QString m_text;
    qsizetype m_frontCut = 0;
    std::deque<Block> m_blocks;
    qsizetype m_archiveBytes = 0;
    QByteArray m_pendingRaw;
    bool m_hexMode = false;
    bool m_paused = false;
    qint64 m_rxCount = 0;
    qint64 m_txCount = 0;
    bool m_newBlock = false;
    bool m_bannerWritten = false;
};

} // namespace gcs
