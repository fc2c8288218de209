#pragma once

#include "link/ITransport.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

namespace gcs {

/// YModem with CRC-16 (128- and 1024-byte blocks, block 0 carrying name and size, EOT
/// handshake, empty block 0 ending the batch) over a borrowed transport: the sender for
/// firmware upgrades and, the other way round, a receiver for files from a device.
///
/// Event-driven on the caller's thread. Bytes come in through onRx (the owner forwards the
/// link's chunks while busy) or, during the handshake, by polling the transport. Timers
/// give the handshake window with its countdown and, after it, the inactivity limit.
/// The only re-entrancy is the transport's sendBlocking, which may run the event loop:
/// bytes that arrive meanwhile are only buffered and looked at once the send returns.
///
/// Stop-and-wait: one block in flight. The inactivity limit is renewed each time the
/// transfer advances (a block, header or EOT accepted), so a peer that only ever answers
/// with NAK, or only sends noise, ends the transfer instead of keeping it alive.
///
/// A send has succeeded once the receiver acknowledges the EOT: finished(true) comes then.
/// The receiver may still ask for the empty header that ends the batch; for a while after
/// the success (endingBatch) the engine listens to the transport itself and answers that
/// request, and nothing it hears then can undo the success.
class YModem : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int progress READ progress NOTIFY progressChanged)
    Q_PROPERTY(bool busy READ busy NOTIFY busyChanged)
    Q_PROPERTY(QString statusText READ statusText NOTIFY statusTextChanged)
    Q_PROPERTY(bool waitingForC READ waitingForC NOTIFY waitingForCChanged)
    Q_PROPERTY(int handshakeRemainSec READ handshakeRemainSec NOTIFY handshakeRemainChanged)
    Q_PROPERTY(bool endingBatch READ endingBatch NOTIFY endingBatchChanged)
public:
    enum State {
        Idle = 0,
        Prepared = 1, ///< file open for sending; received bytes only buffered
        WaitingForC = 2, ///< handshake window running
        Sending = 3, ///< header sent, data blocks in flight
        EotSent = 4,
        ReceiveStart = 5, ///< receiver: 'C' sent, waiting for the header
        Receiving = 6,
        ReceiveEnd = 7, ///< receiver: second EOT acknowledged, waiting for the empty header
    };
    Q_ENUM(State)

    static constexpr int kInactivityLimitMs = 15000;
    static constexpr int kDefaultHandshakeMs = 20000;
    static constexpr int kPollIntervalMs = 15;
    static constexpr int kCountdownIntervalMs = 200;
    /// How many of the first handshake bytes are kept for the timeout diagnosis.
    static constexpr int kCaptureLimit = 128;
    /// How many of them the timeout message shows.
    static constexpr int kCaptureShown = 24;
    /// After the EOT's ACK, how long the engine listens for the receiver's request ('C') for
    /// the empty header that ends the batch. A unit that boots its new firmware at once
    /// never asks.
    static constexpr int kEndOfBatchWaitMs = 3000;
    /// How long it then waits for that header's ACK. A receiver answers or asks again; it
    /// may drop input right after its 'C' (rb does so under load) and asks again only after
    /// its own timeout of about 10 s, so the wait outlasts that retry and answers it.
    static constexpr int kEndOfBatchAnswerWaitMs = 15000;
    /// How many times the empty header is sent at most.
    static constexpr int kEndOfBatchSends = 3;
    /// A receiver answers a packet with one control byte, perhaps with a line end or a
    /// progress mark around it. More other bytes than this since the last packet went out
    /// mean the line carries something else (a unit still running its firmware, at another
    /// rate, or already the new one), and an ACK or 'C' among them is chance.
    static constexpr int kAnswerSlack = 16;
    /// Bytes kept while Prepared (only a 'C', the newest byte, can matter there).
    static constexpr int kPreparedBufferLimit = 4096;
    /// While waiting for the boot loader, how long the line must have carried nothing but
    /// answers before a 'C' counts as its request (what comes sooner is the old firmware's).
    static constexpr int kQuietBeforeRequestMs = 40;

    explicit YModem(QObject* parent = nullptr);
    ~YModem() override;

    /// Replaces the borrowed transport (may be null). The engine never deletes it.
    void attach(ITransport* transport);
    ITransport* transport() const { return m_transport; }

    /// Opens the file and prepares sending; the handshake starts with beginHandshake.
    Q_INVOKABLE bool startSend(const QString& filePath);
    /// Starts waiting for the receiver's 'C' for `ms` (20000 when below 1).
    void beginHandshake(int ms);
    /// Starts receiving into savePath (truncated); sends one 'C'.
    Q_INVOKABLE bool startReceive(const QString& savePath);
    /// Aborts a transfer: two CAN bytes to the peer, then "已取消". After a successful send
    /// it only stops answering the receiver's request for the end of the batch.
    Q_INVOKABLE void cancel();
    /// Ends a transfer whose link has gone with this failure; nothing more is sent.
    void abandon(const QString& reason);
    /// Feeds received bytes; ignored unless busy.
    void onRx(const QByteArray& bytes);
    /// Handshake poll: reads what the transport holds but has not announced.
    void pollInbound();
    /// Throws away what was received and not yet looked at, in the engine and in the
    /// transport: the line has been reopened for the boot loader, and what came before
    /// (the old firmware's output while the reset went out) is nobody's answer.
    void discardInbound();

    static quint16 crc16(const QByteArray& data);

    int progress() const { return m_progress; }
    bool busy() const { return m_busy; }
    QString statusText() const { return m_statusText; }
    bool waitingForC() const { return m_busy && m_state == WaitingForC; }
    /// A send has succeeded and the receiver may still ask for the batch-ending header.
    bool endingBatch() const { return m_endingBatch; }
    int handshakeRemainSec() const { return m_handshakeRemain; }
    State state() const { return m_state; }

    /// The limit without progress after the handshake (15000 ms unless changed; tests use
    /// short limits). Takes effect the next time the limit is renewed.
    void setInactivityLimitMs(int ms);
    int inactivityLimitMs() const { return m_inactivityLimitMs; }

signals:
    void progressChanged();
    void busyChanged();
    void statusTextChanged();
    void waitingForCChanged();
    void handshakeRemainChanged();
    /// Once per transfer that became busy, and for the two file-open failures.
    void finished(bool ok, QString message);
    /// True with a successful send; false once the receiver has had the end of the batch
    /// or has not asked for it in time, and the link is the owner's alone again.
    void endingBatchChanged();

private:
    // YModem.cpp: shared plumbing
    void resetTransferState();
    void drain();
    bool sendBytes(const QByteArray& bytes);
    bool sendPacket(quint8 number, const QByteArray& data);
    bool sendCtrl(char c);
    void announceHeld(const QByteArray& bytes);
    void sendCancelBytes();
    void finish(bool ok, const QString& message);
    void renewInactivityLimit();
    void setStatus(const QString& text);
    void setProgress(int value);
    void setHandshakeRemain(int seconds);
    void refreshHandshakeStatus();
    void onCountdownTick();
    void onDeadline();
    QString handshakeTimeoutMessage() const;

    // YModemSend.cpp
    void scanSenderBytes(const QByteArray& chunk);
    /// Whether a read during the handshake may hold the boot loader's request.
    bool takesHandshakeRead(bool clean);
    bool onSenderByte(char c);
    bool onEndOfBatchByte(char c);
    void onHandshakeC();
    void onDataAck();
    void startData();
    void completeSend();
    void onEndingBatchBytes(const QByteArray& bytes);
    void sendEndOfBatch();
    void endBatch();
    bool readNextChunk();

    // YModemReceive.cpp
    void parseReceived();
    void rejectPacket();
    void onReceivedEot();
    void onReceivedPacket(quint8 number, const QByteArray& data);
    void onReceivedHeader(const QByteArray& data);
    void acceptDataBlock(quint8 number, const QByteArray& data);
    bool writeReceived(const QByteArray& data);
    bool flushHeldBlock(bool last);

    QPointer<ITransport> m_transport;
    QFile m_file;
    QTimer m_deadline;
    QTimer m_countdown;
    QTimer m_poll;
    QTimer m_batchWait; ///< how long the end of the batch is still answered
    QMetaObject::Connection m_batchListener;

    State m_state = Idle;
    int m_progress = 0;
    bool m_busy = false;
    QString m_statusText;
    int m_inactivityLimitMs = kInactivityLimitMs;

    // sender
    int m_nextBlock = 0;
    bool m_headerAcked = false;
    bool m_endingBatch = false;
    int m_endOfBatchSends = 0;
    int m_strayBytes = 0; ///< bytes other than answers since the last packet went out
    QByteArray m_chunk; ///< data of the last data block read from the file
    QByteArray m_lastPacket; ///< sent once more on NAK
    qint64 m_fileSize = 0;
    qint64 m_bytesSent = 0;

    // receiver
    qint64 m_bytesReceived = 0;
    QByteArray m_rxBuffer;
    bool m_receiving = false;
    bool m_eotSeen = false;
    quint8 m_lastBlock = 0; ///< number of the last data block taken (0 after the header)
    qint64 m_blocksTaken = 0;
    /// Without an announced size: the last block, written once the next one arrives.
    QByteArray m_heldBlock;

    // both
    QByteArray m_pending;
    bool m_draining = false;
    int m_sendDepth = 0;
    int m_cancelCount = 0;
    int m_handshakeRemain = 0;
    int m_handshakeBytes = 0;
    QByteArray m_handshakeCapture;
    QElapsedTimer m_handshakeNoise; ///< since the last read of other bytes in the handshake
};

} // namespace gcs
