#include "upgrade/ConsoleTransfer.h"

#include "link/SerialTransport.h"
#include "link/Session.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <csignal>

namespace gcs {

namespace {

volatile std::sig_atomic_t g_interrupted = 0;

void onInterrupt(int)
{
    g_interrupted = 1;
}

} // namespace

ConsoleTransfer::ConsoleTransfer(Writer writeProgress, bool interactive, QObject* parent)
    : QObject(parent)
    , m_write(std::move(writeProgress))
    , m_report(interactive)
{
    connect(&m_engine, &YModem::progressChanged, this, &ConsoleTransfer::onProgress);
    connect(&m_engine, &YModem::statusTextChanged, this, &ConsoleTransfer::onProgress);
    connect(&m_engine, &YModem::finished, this, &ConsoleTransfer::onFinished);
}

ConsoleTransfer::~ConsoleTransfer()
{
    // The engine borrows the session's transport; drop it before the session goes.
    m_engine.attach(nullptr);
}

bool ConsoleTransfer::openSerial(const QString& port, int baud)
{
    m_session = std::make_unique<Session>(QStringLiteral("primary"), port,
                                          std::make_unique<SerialTransport>(port, baud));
    connect(m_session.get(), &Session::errorOccurred, this,
            [this](const QString& message) { m_error = message; });
    connect(m_session.get(), &Session::bytesReceived, this, [this](const QByteArray& data) {
        if (m_engine.busy())
            m_engine.onRx(data);
    });
    if (!m_session->connectTransport())
        return false;
    m_engine.attach(m_session->transport());
    return true;
}

void ConsoleTransfer::settle(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

bool ConsoleTransfer::waitForEnd()
{
    // After a successful send the receiver may still ask for the end of the batch (and the
    // upgrade puts the port back to its rate after that): the tool ends only then.
    const auto running = [this] { return (!m_done && m_engine.busy()) || m_engine.endingBatch(); };
    if (running()) {
        g_interrupted = 0;
        auto previous = std::signal(SIGINT, onInterrupt);
        QEventLoop loop;
        QTimer watch;
        connect(&watch, &QTimer::timeout, &loop, [&] {
            if (g_interrupted) {
                g_interrupted = 0;
                m_engine.cancel();
            }
            if (!running())
                loop.quit();
        });
        watch.start(50);
        loop.exec();
        std::signal(SIGINT, previous);
    }
    const QString tail = m_report.close();
    if (!tail.isEmpty())
        m_write(tail);
    return m_done && m_ok;
}

void ConsoleTransfer::printLine(const QString& line)
{
    m_write(m_report.close() + line + QLatin1Char('\n'));
}

void ConsoleTransfer::onProgress()
{
    if (!m_engine.busy())
        return;
    const QString text = m_report.update(m_engine.progress(), m_engine.statusText());
    if (!text.isEmpty())
        m_write(text);
}

void ConsoleTransfer::onFinished(bool ok, const QString& message)
{
    m_done = true;
    m_ok = ok;
    m_message = message;
    if (ok) {
        const QString text = m_report.update(m_engine.progress(), message);
        if (!text.isEmpty())
            m_write(text);
    }
}

} // namespace gcs
