#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

namespace gcs {

class SerialTransport;
class Session;
class YModem;

/// The firmware upgrade procedure around the YModem engine: the chosen firmware file, the
/// checks before a start, resetting the device into its boot loader (by command, or by the
/// user's hand), reopening the serial link at the boot loader's rate, the handshake, and
/// putting the link back to its old rate when the transfer ends.
///
/// It reaches the link only through the session the owner names as current (the window's
/// controller or the command-line tool) and reports through signals the owner turns into
/// its own error and notice texts. The owner still routes received chunks to the engine,
/// and tells the flow before it closes a session's link itself.
///
/// The old rate comes back on the link the transfer ran on, after the receiver has had the
/// end of the batch, and only while that link is open: a port the user closed, or that
/// went away, is not opened again.
class UpgradeFlow : public QObject
{
    Q_OBJECT
public:
    using SessionSource = std::function<Session*()>;

    /// The only rate at which the boot loader's handshake is recognised.
    static constexpr int kBootloaderBaud = 115200;
    static constexpr int kHandshakeMs = 20000;
    static constexpr int kHandshakeSeconds = kHandshakeMs / 1000;

    /// Both reset commands are always sent: some devices understand only one of them.
    static QByteArray vornResetCommand() { return QByteArrayLiteral("#vorn,reset system*ff\r\n"); }
    static QByteArray cmdResetCommand() { return QByteArrayLiteral("$cmd,reset system*ff\r\n"); }
    /// Title and filter for the owner's open-file dialog.
    static QString fileDialogTitle() { return tr("选择固件"); }
    static QString fileDialogFilter() { return tr("烧录文件 (*.bin);;All (*.*)"); }

    UpgradeFlow(YModem* engine, SessionSource currentSession, QObject* parent = nullptr);

    YModem* engine() const { return m_engine; }
    QString upgradeFile() const { return m_upgradeFile; }
    /// The file-name part of the upgrade file, without folders.
    QString upgradeFileName() const;
    /// A file has been chosen (whether it still exists is checked at the start).
    bool upgradeFileReady() const { return !m_upgradeFile.isEmpty(); }
    int upgradeRestoreBaud() const { return m_upgradeRestoreBaud; }
    /// The handshake window after the reset (kHandshakeMs unless changed; tests shorten it).
    void setHandshakeWindowMs(int ms) { m_handshakeMs = ms > 0 ? ms : kHandshakeMs; }
    int handshakeWindowMs() const { return m_handshakeMs; }

    /// The file the user picked in the dialog; an empty path (dialog cancelled) changes
    /// nothing and returns false. Otherwise stores it and confirms with a notice.
    bool acceptChosenFile(const QString& path);
    /// Stores the upgrade file; upgradeFileChanged when it differs.
    void setUpgradeFile(const QString& path);

    /// How the device gets into its boot loader: by the reset commands (false, the
    /// default) or by the user's hand. Kept here so that every view of the upgrade shows
    /// the mode of the transfer under way; a start sets it, and it does not change while
    /// a transfer runs.
    bool hardwareReset() const { return m_hardwareReset; }
    void setHardwareReset(bool hardware);

    /// Software-reset upgrade; an empty path uses the stored upgrade file.
    bool startUpgrade(const QString& filePath);
    bool startPickedUpgrade();
    /// Reopens at the boot loader's rate and waits while the user resets the device.
    bool startUpgradeAfterHardwareReset();
    bool startReceive(const QString& filePath);
    void cancelUpgrade();

    /// Attaches the engine to the current session's transport when that session is
    /// connected, else to none; does nothing while a transfer runs.
    void syncYModemTransport();
    /// The owner is about to close this session's link (the user's "断开", entering another
    /// device, removing this one): a transfer on it ends as cancelled, and the link is not
    /// reopened afterwards.
    void sessionClosing(const Session* session);
    /// The user leaves this session's device for another one, whose link stays open: a
    /// transfer on it ends as cancelled, and the link gets its old rate back.
    void sessionLeft(const Session* session);
    /// This session's link went away by itself (unplugged): a transfer on it ends, and the
    /// link only keeps its old rate for its next open.
    void linkLost(const Session* session);
    /// The current session's transport when it is a serial one, else null.
    SerialTransport* currentSerialTransport() const;

signals:
    void upgradeFileChanged();
    void resetModeChanged();
    /// The owner's error text is to become `message`; an empty message clears it.
    void errorReported(const QString& message);
    void noticeReported(const QString& message);
    /// The serial link was reopened or its rate restored: the owner refreshes whatever
    /// shows the baud rate, the connection hint and the connected state.
    void serialLinkChanged();
    /// A transfer ended and its link is back at its old rate (or stays closed).
    void upgradeFinished(bool ok, const QString& message);

private:
    bool beginUpgradeSession(const QString& filePath);
    bool reopenSerialForBootloader();
    void onEngineFinished(bool ok, const QString& message);
    void restoreLink();
    /// A transfer (or the end of its batch) runs on this session's link.
    bool runsOn(const Session* session) const;
    void storeResetMode(bool hardware);

    YModem* m_engine = nullptr;
    SessionSource m_currentSession;
    QString m_upgradeFile;
    bool m_hardwareReset = false;
    int m_upgradeRestoreBaud = 0;
    QPointer<SerialTransport> m_upgradeLink; ///< the link of the transfer under way
    bool m_keepClosed = false; ///< its owner is closing it: no reopen at the end
    bool m_awaitingBatchEnd = false; ///< the restore waits for the end of the batch
    /// The engine's result, told at once and again with upgradeFinished once the link is back.
    bool m_lastOk = false;
    QString m_lastMessage;
    int m_handshakeMs = kHandshakeMs;
};

} // namespace gcs
