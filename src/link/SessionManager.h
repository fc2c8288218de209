#pragma once

#include <QList>
#include <QObject>
#include <QString>

namespace gcs {

class Session;

/// Owns every session, in the order they were added. The oldest live session is the
/// primary one; removing a session deletes it, and with it its transport.
class SessionManager : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int onlineCount READ onlineCount NOTIFY onlineCountChanged)
    Q_PROPERTY(QString statusText READ statusText NOTIFY onlineCountChanged)
public:
    explicit SessionManager(QObject* parent = nullptr);
    ~SessionManager() override;

    void addSession(Session* session);
    /// Only hooks the session's connection changes to onlineCountChanged.
    void bindSession(Session* session);
    Q_INVOKABLE gcs::Session* session(const QString& id) const;
    Q_INVOKABLE gcs::Session* primary() const;
    int onlineCount() const;
    QString statusText() const;
    void remove(const QString& id);
    void clear();

    const QList<Session*>& sessions() const { return m_sessions; }

signals:
    void onlineCountChanged();

private:
    QList<Session*> m_sessions;
};

} // namespace gcs
