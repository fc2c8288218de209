#include "app/Application.h"

#include "link/SessionManager.h"

namespace gcs {

Application::Application(QObject* parent)
    : QObject(parent)
    , m_sessions(new SessionManager(this))
{
}

Application::~Application() = default;

void Application::loadProfiles(const QString& dir)
{
    Q_UNUSED(dir);
}

void Application::persistManagedState() { }

} // namespace gcs
