#pragma once

#include "upgrade/ProgressReport.h"
#include "upgrade/YModem.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

namespace gcs {

class Session;

/// One transfer run from a console: a serial session of its own, its received chunks
/// routed to the engine while a transfer runs (as the window's controller routes them),
/// progress written through a ProgressReport, and an interrupt (Ctrl+C) turned into a
/// cancel. The front end only parses arguments and prints.
class ConsoleTransfer : public QObject
{
    Q_OBJECT
public:
    using Writer = std::function<void(const QString&)>;

    ConsoleTransfer(Writer writeProgress, bool interactive, QObject* parent = nullptr);
    ~ConsoleTransfer() override;

    YModem* engine() { return &m_engine; }
    Session* session() const { return m_session.get(); }

    /// Opens the serial port as the session "primary" and attaches the engine to it;
    /// false with the port's error text in errorText().
    bool openSerial(const QString& port, int baud);
    QString errorText() const { return m_error; }
    /// Turns the event loop for ms milliseconds (what arrives meanwhile is dropped).
    void settle(int ms);

    /// Turns the event loop until the engine's transfer has ended, including the end of
    /// the batch after a successful send; returns whether it succeeded. The engine's
    /// message is in message(). Returns at once when the engine is not busy (a start that
    /// failed).
    bool waitForEnd();
    QString message() const { return m_message; }

    /// Writes a line of its own through the progress writer, ending a bar drawn before.
    void printLine(const QString& line);

private:
    void onProgress();
    void onFinished(bool ok, const QString& message);

    Writer m_write;
    ProgressReport m_report;
    YModem m_engine;
    std::unique_ptr<Session> m_session;
    QString m_error;
    bool m_done = false;
    bool m_ok = false;
    QString m_message;
};

} // namespace gcs
