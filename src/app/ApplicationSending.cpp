// Outbound path of the controller: catalog commands, raw text and hex, timed sends.
//
// The timed-send settings are complete; sending itself is not part of this build yet and
// reports that through lastError.

#include "app/Application.h"

#include <QTimer>

namespace gcs {

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

void Application::rememberSend(const QString& /*text*/)
{
    reportUnavailable("rememberSend");
}

void Application::sendFileLines(const QString& /*content*/)
{
    reportUnavailable("sendFileLines");
}

bool Application::sendCommand(const QString& /*id*/)
{
    return reportUnavailable("sendCommand");
}

bool Application::sendCommandArgs(const QString& /*id*/, const QStringList& /*args*/)
{
    return reportUnavailable("sendCommandArgs");
}

bool Application::sendOn(const QString& /*sessionId*/, const QString& /*text*/, bool /*asHex*/)
{
    return reportUnavailable("sendOn");
}

bool Application::sendRaw(const QString& /*text*/, bool /*asHex*/)
{
    return reportUnavailable("sendRaw");
}

} // namespace gcs
