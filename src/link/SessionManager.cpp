#include "link/SessionManager.h"

#include "link/Session.h"

namespace gcs {

SessionManager::SessionManager(QObject* parent)
    : QObject(parent)
{ }

SessionManager::~SessionManager()
{
    // Sessions announce their closing links while they die; nobody should hear about
    // that through a manager that is half destroyed.
    const QList<Session*> sessions = m_sessions;
    m_sessions.clear();
    for (Session* s : sessions) {
        s->disconnect(this);
        delete s;
    }
}

void SessionManager::addSession(Session* session)
{
    if (!session)
        return;
    session->setParent(this);
    m_sessions.append(session);
    bindSession(session);
    emit onlineCountChanged();
}

void SessionManager::bindSession(Session* session)
{
    if (session)
        connect(session, &Session::connectedChanged, this, &SessionManager::onlineCountChanged);
}

Session* SessionManager::session(const QString& id) const
{
    for (Session* s : m_sessions) {
        if (s->id() == id)
            return s;
    }
    return nullptr;
}

Session* SessionManager::primary() const
{
    return m_sessions.isEmpty() ? nullptr : m_sessions.first();
}

int SessionManager::onlineCount() const
{
    int n = 0;
    for (const Session* s : m_sessions) {
        if (s->isConnected())
            ++n;
    }
    return n;
}

QString SessionManager::statusText() const
{
    const int n = onlineCount();
    return n > 0 ? tr("在线设备：%1").arg(n) : tr("设备离线 / 未连接");
}

void SessionManager::remove(const QString& id)
{
    for (qsizetype i = 0; i < m_sessions.size(); ++i) {
        if (m_sessions.at(i)->id() == id) {
            Session* s = m_sessions.takeAt(i);
            delete s;
            emit onlineCountChanged();
            return;
        }
    }
}

void SessionManager::clear()
{
    const QList<Session*> sessions = m_sessions;
    m_sessions.clear();
    qDeleteAll(sessions);
    emit onlineCountChanged();
}

} // namespace gcs
