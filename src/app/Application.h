#pragma once

#include <QObject>
#include <QString>

namespace gcs {

class SessionManager;

/// The single controller that QML binds to as "app". It owns every long-lived service
/// as a Qt child and exposes each as a constant property.
class Application : public QObject
{
    Q_OBJECT
    Q_MOC_INCLUDE("link/SessionManager.h")
    Q_PROPERTY(gcs::SessionManager* sessions READ sessions CONSTANT)
    Q_PROPERTY(QString appVersion READ appVersion CONSTANT)
public:
    explicit Application(QObject* parent = nullptr);
    ~Application() override;

    SessionManager* sessions() const { return m_sessions; }
    QString appVersion() const { return QStringLiteral("1.0.5"); }

    /// Loads "vorn.yaml" and "ui.yaml" from dir; a missing file keeps what was loaded.
    void loadProfiles(const QString& dir);
    /// Writes the managed-device state to the settings; run when the application quits.
    Q_INVOKABLE void persistManagedState();

private:
    SessionManager* m_sessions = nullptr;
};

} // namespace gcs
