#include "TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <termios.h>
#include <unistd.h>

namespace gcs::test {

QString binDir()
{
    const QByteArray env = qgetenv("GCS_BIN_DIR");
    if (!env.isEmpty())
        return QString::fromLocal8Bit(env);
    return QCoreApplication::applicationDirPath();
}

QString dataDir()
{
    return QString::fromLocal8Bit(qgetenv("GCS_TEST_DATA"));
}

bool waitUntil(const std::function<bool()>& pred, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!pred()) {
        if (deadline.hasExpired())
            return pred();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(2);
    }
    return true;
}

QByteArray readFileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void pinCliLocale(QProcess& process, const QStringList& settings)
{
    QProcessEnvironment env = process.processEnvironment().isEmpty()
        ? QProcessEnvironment::systemEnvironment()
        : process.processEnvironment();
    for (const char* name : { "LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG" })
        env.remove(QLatin1String(name));
    for (const QString& setting : settings)
        env.insert(setting.section(QLatin1Char('='), 0, 0), setting.section(QLatin1Char('='), 1));
    process.setProcessEnvironment(env);
}

bool interruptProcess(const QProcess& process)
{
    if (process.state() != QProcess::Running)
        return false;
    return ::kill(pid_t(process.processId()), SIGINT) == 0;
}

bool writeFileBytes(const QString& path, const QByteArray& data)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(data) == data.size();
}

EnvOverride::EnvOverride(const char* name, const QByteArray& value)
    : m_name(name)
    , m_previous(qgetenv(name))
    , m_wasSet(qEnvironmentVariableIsSet(name))
{
    if (value.isNull())
        qunsetenv(name);
    else
        qputenv(name, value);
}

EnvOverride::~EnvOverride()
{
    if (m_wasSet)
        qputenv(m_name.constData(), m_previous);
    else
        qunsetenv(m_name.constData());
}

PtyPair::PtyPair() = default;

PtyPair::~PtyPair()
{
    stop();
}

bool PtyPair::start(int timeoutMs)
{
    if (!m_dir.isValid()) {
        m_error = QStringLiteral("no temporary folder");
        return false;
    }
    m_a = m_dir.filePath(QStringLiteral("ptyA"));
    m_b = m_dir.filePath(QStringLiteral("ptyB"));
    m_socat.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_socat.start(QStringLiteral("socat"),
                  { QStringLiteral("pty,raw,echo=0,link=%1").arg(m_a),
                    QStringLiteral("pty,raw,echo=0,link=%1").arg(m_b) });
    if (!m_socat.waitForStarted(timeoutMs)) {
        m_error = QStringLiteral("socat did not start: %1").arg(m_socat.errorString());
        return false;
    }
    // socat creates its links a little after it starts.
    const bool ok
        = waitUntil([this] { return QFileInfo::exists(m_a) && QFileInfo::exists(m_b); }, timeoutMs);
    if (!ok)
        m_error = QStringLiteral("socat links did not appear");
    return ok;
}

void PtyPair::stop()
{
    if (m_socat.state() == QProcess::NotRunning)
        return;
    m_socat.terminate();
    if (!m_socat.waitForFinished(3000)) {
        m_socat.kill();
        m_socat.waitForFinished(3000);
    }
}

bool PtyPair::isRunning() const
{
    return m_socat.state() == QProcess::Running;
}

SimProcess::SimProcess() = default;

SimProcess::~SimProcess()
{
    stop();
}

bool SimProcess::start(const QStringList& args, int timeoutMs)
{
    m_link = m_dir.filePath(QStringLiteral("ttyINS0"));
    QStringList all = { QStringLiteral("--link"), m_link };
    all += args;
    m_process.start(QDir(binDir()).filePath(QStringLiteral("telvo-sim")), all);
    if (!m_process.waitForStarted(timeoutMs)) {
        m_error = QStringLiteral("telvo-sim did not start: %1").arg(m_process.errorString());
        return false;
    }
    // The simulator prints the path once the link exists.
    const bool ok = waitUntil(
        [this] { return m_process.canReadLine() || m_process.state() != QProcess::Running; },
        timeoutMs);
    const QString line = QString::fromLocal8Bit(m_process.readLine()).trimmed();
    if (!ok || line != m_link || !QFileInfo::exists(m_link)) {
        m_error = QStringLiteral("telvo-sim printed '%1', stderr: %2")
                      .arg(line, QString::fromLocal8Bit(m_process.readAllStandardError()));
        return false;
    }
    return true;
}

void SimProcess::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(3000)) {
        m_process.kill();
        m_process.waitForFinished(3000);
    }
}

bool SimProcess::isRunning() const
{
    return m_process.state() == QProcess::Running;
}

QByteArray SimProcess::standardError()
{
    return m_process.readAllStandardError();
}

TtyProgram::TtyProgram() = default;

TtyProgram::~TtyProgram()
{
    stop();
}

bool TtyProgram::start(const QString& program, const QStringList& args, const QString& ttyPath,
                       const QString& workDir, int timeoutMs)
{
    m_process.setStandardInputFile(ttyPath);
    m_process.setStandardOutputFile(ttyPath);
    if (!workDir.isEmpty())
        m_process.setWorkingDirectory(workDir);
    m_process.start(program, args);
    if (!m_process.waitForStarted(timeoutMs)) {
        m_error = QStringLiteral("%1 did not start: %2").arg(program, m_process.errorString());
        return false;
    }
    return true;
}

bool TtyProgram::waitForEnd(int timeoutMs)
{
    return waitUntil([this] { return m_process.state() == QProcess::NotRunning; }, timeoutMs);
}

bool TtyProgram::isRunning() const
{
    return m_process.state() != QProcess::NotRunning;
}

int TtyProgram::exitCode() const
{
    if (m_process.state() != QProcess::NotRunning || m_process.exitStatus() != QProcess::NormalExit)
        return -1;
    return m_process.exitCode();
}

QByteArray TtyProgram::standardError()
{
    return m_process.readAllStandardError();
}

void TtyProgram::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(3000)) {
        m_process.kill();
        m_process.waitForFinished(3000);
    }
}

namespace {

speed_t speedFor(int baud)
{
    switch (baud) {
    case 9600:
        return B9600;
    case 19200:
        return B19200;
    case 38400:
        return B38400;
    case 57600:
        return B57600;
    case 115200:
        return B115200;
    case 230400:
        return B230400;
    case 460800:
        return B460800;
    case 921600:
        return B921600;
    default:
        return B115200;
    }
}

} // namespace

RawTty::RawTty(const QString& path, int baud)
{
    m_fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (m_fd >= 0)
        setBaud(baud);
}

RawTty::~RawTty()
{
    close();
}

bool RawTty::setBaud(int baud)
{
    termios t {};
    if (m_fd < 0 || tcgetattr(m_fd, &t) != 0)
        return false;
    cfmakeraw(&t);
    cfsetispeed(&t, speedFor(baud));
    cfsetospeed(&t, speedFor(baud));
    return tcsetattr(m_fd, TCSANOW, &t) == 0;
}

bool RawTty::write(const QByteArray& data)
{
    qsizetype done = 0;
    QElapsedTimer timer;
    timer.start();
    while (done < data.size() && timer.elapsed() < 5000) {
        const ssize_t n = ::write(m_fd, data.constData() + done, size_t(data.size() - done));
        if (n > 0) {
            done += n;
        } else if (n < 0 && errno != EAGAIN && errno != EINTR) {
            return false;
        } else {
            pollfd p { m_fd, POLLOUT, 0 };
            ::poll(&p, 1, 20);
        }
    }
    return done == data.size();
}

QByteArray RawTty::read(int timeoutMs, qsizetype maxBytes)
{
    QByteArray out;
    QElapsedTimer timer;
    timer.start();
    char buf[4096];
    while (out.size() < maxBytes) {
        const qint64 left = timeoutMs - timer.elapsed();
        if (left <= 0)
            break;
        // On the main thread the program's own transports need the event loop to write,
        // so keep it turning while waiting.
        const bool mainThread = QThread::currentThread() == QCoreApplication::instance()->thread();
        if (mainThread)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        pollfd p { m_fd, POLLIN, 0 };
        const int ready = ::poll(&p, 1, mainThread ? int(qMin<qint64>(left, 10)) : int(left));
        if (ready < 0)
            break;
        if (ready == 0)
            continue;
        const ssize_t n = ::read(m_fd, buf, sizeof buf);
        if (n > 0)
            out.append(buf, n);
        else if (n == 0 || (errno != EAGAIN && errno != EINTR))
            break;
    }
    return out;
}

void RawTty::close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

} // namespace gcs::test
