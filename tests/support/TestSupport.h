#pragma once

#include <QByteArray>
#include <QDeadlineTimer>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <memory>

namespace gcs::test {

/// Folder of the built executables (build/bin), from GCS_BIN_DIR or the test's own folder.
QString binDir();
/// Folder of the recorded test data (tests/data).
QString dataDir();

/// Runs the event loop until pred() is true or timeoutMs pass; returns pred().
bool waitUntil(const std::function<bool()>& pred, int timeoutMs);

/// Whole content of a file, or an empty array when it does not open.
QByteArray readFileBytes(const QString& path);
/// Writes data to path (creating missing folders); false when that fails.
bool writeFileBytes(const QString& path, const QByteArray& data);

/// Gives a program (telvo-cli) the test's locale, not the machine's, which would choose the
/// language of its messages: the C locale (Chinese) unless settings ("NAME=value") say
/// otherwise; LANGUAGE, LC_ALL, LC_MESSAGES and LANG not given are unset. Before start().
void pinCliLocale(QProcess& process, const QStringList& settings = { QStringLiteral("LC_ALL=C") });

/// Sends the running process the interrupt a Ctrl-C in its terminal would (SIGINT);
/// false when it is not running.
bool interruptProcess(const QProcess& process);

/// Sets (or, with a null value, unsets) one environment variable for the lifetime of the
/// object and restores the previous state afterwards.
class EnvOverride
{
public:
    EnvOverride(const char* name, const QByteArray& value);
    ~EnvOverride();
    EnvOverride(const EnvOverride&) = delete;
    EnvOverride& operator=(const EnvOverride&) = delete;

private:
    QByteArray m_name;
    QByteArray m_previous;
    bool m_wasSet = false;
};

/// A settings folder of the test's own: LOCALAPPDATA points at a temporary folder while the
/// object lives, so gcs.ini and whatever else the program keeps there never touch the
/// user's, and the variable is as it was afterwards.
class SettingsHome
{
public:
    SettingsHome()
        : m_env("LOCALAPPDATA", m_dir.path().toLocal8Bit())
    { }
    QString path() const { return m_dir.path(); }
    QString filePath(const QString& name) const { return m_dir.filePath(name); }
    /// The settings file the program reads and writes in this folder.
    QString iniPath() const { return filePath(QStringLiteral("TelvoMonitor/gcs.ini")); }

private:
    QTemporaryDir m_dir; // made before the variable points at it, removed after
    EnvOverride m_env;
};

/// Two pseudo-terminals joined by socat: bytes written to one end come out of the other.
/// Stopping (or destroying) the pair makes both ends go away, as an unplugged cable would.
class PtyPair
{
public:
    PtyPair();
    ~PtyPair();
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    /// Starts socat and waits until both links exist; false (with errorText) on failure.
    bool start(int timeoutMs = 5000);
    void stop();
    bool isRunning() const;
    QString endA() const { return m_a; }
    QString endB() const { return m_b; }
    QString errorText() const { return m_error; }

private:
    QTemporaryDir m_dir;
    QProcess m_socat;
    QString m_a;
    QString m_b;
    QString m_error;
};

/// A telvo-sim process on its own pseudo-terminal link inside a temporary folder.
class SimProcess
{
public:
    SimProcess();
    ~SimProcess();
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    /// Starts the simulator with extra arguments (not --link, which is chosen here) and
    /// waits until it has printed its port path.
    bool start(const QStringList& args = {}, int timeoutMs = 5000);
    void stop();
    bool isRunning() const;
    QString port() const { return m_link; }
    QString errorText() const { return m_error; }
    QByteArray standardError();
    qint64 processId() const { return m_process.processId(); }

private:
    QTemporaryDir m_dir;
    QProcess m_process;
    QString m_link;
    QString m_error;
};

/// Runs a program with its standard input and output on a terminal (one end of a PtyPair),
/// as serial peers that talk over stdio expect (lrzsz's sb and rb). Standard error is kept
/// for the test to read.
class TtyProgram
{
public:
    TtyProgram();
    ~TtyProgram();
    TtyProgram(const TtyProgram&) = delete;
    TtyProgram& operator=(const TtyProgram&) = delete;

    /// Starts program in workDir (the current folder when empty).
    bool start(const QString& program, const QStringList& args, const QString& ttyPath,
               const QString& workDir = QString(), int timeoutMs = 5000);
    /// Waits, turning the event loop, until the program has ended; false on timeout.
    bool waitForEnd(int timeoutMs);
    bool isRunning() const;
    /// Exit code, or -1 when it crashed or was killed.
    int exitCode() const;
    QByteArray standardError();
    void stop();
    QString errorText() const { return m_error; }

private:
    QProcess m_process;
    QString m_error;
};

/// Opens a pty path raw (no echo, no line discipline) for direct reads and writes in a
/// test, without going through the program's own transport.
class RawTty
{
public:
    explicit RawTty(const QString& path, int baud = 115200);
    ~RawTty();
    RawTty(const RawTty&) = delete;
    RawTty& operator=(const RawTty&) = delete;

    bool isOpen() const { return m_fd >= 0; }
    bool setBaud(int baud);
    bool write(const QByteArray& data);
    /// Reads whatever arrives within timeoutMs (returns early once maxBytes are read).
    QByteArray read(int timeoutMs, qsizetype maxBytes = 1 << 20);
    void close();

private:
    int m_fd = -1;
};

} // namespace gcs::test
