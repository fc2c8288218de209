// Outbound path of the controller: catalog commands, raw text and hex, text files line by
// line, timed sends, and the history of what was sent.

#include "app/Application.h"

#include "catalog/ManagedDevices.h"
#include "catalog/ProductRegistry.h"
#include "console/CommandCatalog.h"
#include "console/CommandNotice.h"
#include "console/SendInput.h"
#include "ins/InsBridge.h"
#include "link/Session.h"
#include "link/SessionManager.h"
#include "upgrade/YModem.h"

#include <QTimer>

namespace gcs {

namespace {

constexpr int kMaxHistory = 20;

const char* const kUpgradeRunning = QT_TRANSLATE_NOOP("gcs::Application", "固件升级进行中");

} // namespace

QString Application::commandUserNotice(const QString& name, const QByteArray& sent) const
{
    return gcs::commandUserNotice(name, sent);
}

void Application::noteInsBytesSent(int n)
{
    if (n > 0 && m_products->currentProductId() == QLatin1String("ins"))
        m_ins->addSendBytes(n);
}

bool Application::sendCommand(const QString& id)
{
    return sendCommandArgs(id, QStringList());
}

bool Application::sendCommandArgs(const QString& id, const QStringList& args)
{
    if (m_ymodem->busy()) {
        setError(tr(kUpgradeRunning));
        return false;
    }
    Session* session = commandSession();
    if (!session || !session->isConnected()) {
        setError(tr("未连接"));
        return false;
    }
    const QString key = commandCatalogKey(id);
    if (const QString refusal = configCommandRefusal(key, args); !refusal.isEmpty()) {
        setError(refusal);
        return false;
    }
    const QByteArray bytes = m_catalog->build(key, args);
    if (bytes.isEmpty()) {
        setError(unknownCommandText(key));
        return false;
    }
    // The link reports its own errors into lastError while it sends; start clean so
    // that such a report can be told from an earlier one.
    if (!m_lastError.isEmpty())
        setError(QString());
    if (!session->send(bytes)) {
        if (!m_lastError.isEmpty())
            return false;
        if (!m_userNotice.isEmpty())
            setUserNotice(QString());
        setError(tr("指令发送失败"));
        return false;
    }
    noteInsBytesSent(int(bytes.size()));
    appendCommandTrace(bytes);
    setError(QString());
    setUserNotice(commandUserNotice(id, bytes));
    return true;
}

bool Application::sendRaw(const QString& text, bool asHex)
{
    const QString current = m_managedDevices->currentId();
    const bool ok = sendOn(current.isEmpty() ? QStringLiteral("primary") : current, text, asHex);
    if (ok && !asHex && m_products->currentProductId() == QLatin1String("ins")) {
        // A start/stop typed by hand switches the navigation output like the pages do.
        const QString lower = text.trimmed().toLower();
        if (lower.contains(QLatin1String("start com1")))
            m_configPages.navOutput = true;
        else if (lower.contains(QLatin1String("stop com1")))
            m_configPages.navOutput = false;
    }
    return ok;
}

bool Application::sendOn(const QString& sessionId, const QString& text, bool asHex)
{
    if (m_ymodem->busy()) {
        setError(tr(kUpgradeRunning));
        return false;
    }
    if (const QString refusal = rawSendRefusal(text, asHex); !refusal.isEmpty()) {
        setError(refusal);
        return false;
    }
    const QByteArray payload = rawSendPayload(text, asHex);
    Session* session = m_sessions->session(sessionId);
    if (!session || !session->isConnected()) {
        setError(tr("会话未连接"));
        return false;
    }
    if (!m_lastError.isEmpty())
        setError(QString());
    if (!session->send(payload)) {
        if (m_lastError.isEmpty())
            setError(tr("发送失败"));
        return false;
    }
    noteInsBytesSent(int(payload.size()));
    rememberSend(text);
    appendCommandTrace(payload);
    setError(QString());
    setUserNotice(asHex ? tr("已发送 Hex（%n 字节）", "", int(payload.size()))
                        : tr("已发送：%1").arg(text.trimmed()));
    return true;
}

void Application::rememberSend(const QString& text)
{
    if (text.trimmed().isEmpty())
        return;
    m_send.history.removeAll(text);
    m_send.history.prepend(text);
    while (m_send.history.size() > kMaxHistory)
        m_send.history.removeLast();
    emit sendHistoryChanged();
}

void Application::sendFileLines(const QString& content)
{
    const QStringList parts = content.split(QLatin1Char('\n'));
    for (const QString& part : parts) {
        if (!part.trimmed().isEmpty())
            sendRaw(part, false);
    }
}

void Application::setTimedSendMs(int ms)
{
    if (ms > 0) {
        m_send.timedMs = ms;
        m_timedSendTimer->setInterval(ms);
        m_timedSendTimer->start();
    } else {
        m_send.timedMs = 0;
        m_timedSendTimer->stop();
    }
    emit timedSendMsChanged();
}

void Application::setTimedSendText(const QString& text)
{
    m_send.timedText = text;
    emit timedSendMsChanged();
}

void Application::setTimedSendHex(bool hex)
{
    m_send.timedHex = hex;
    emit timedSendMsChanged();
}

void Application::timedSendTick()
{
    if (!m_send.timedText.isEmpty())
        sendRaw(m_send.timedText, m_send.timedHex);
}

} // namespace gcs
