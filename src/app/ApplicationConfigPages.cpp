// Device side of the configuration pages, calibration and compensation files, text
// files and file dialogs.
//
// Not part of this build yet: the operations report that through lastError; the page
// hooks called on navigation do nothing.

#include "app/Application.h"

namespace gcs {

void Application::enterInsUserConfigPage()
{
    // Switching the navigation output off and reading the configuration back arrive
    // with the configuration pages.
}

void Application::syncInsNavOutForNav(const QString& /*navId*/)
{
    // The navigation output follows the page once the configuration pages exist.
}

bool Application::sendVornNavOutCommand(bool /*on*/)
{
    return reportUnavailable("sendVornNavOutCommand");
}

QString Application::readTextFile(const QString& /*path*/)
{
    reportUnavailable("readTextFile");
    return QString();
}

bool Application::writeTextFile(const QString& /*path*/, const QString& /*content*/)
{
    return reportUnavailable("writeTextFile");
}

QVariantMap Application::parseCompensateDatFile(const QString& /*path*/)
{
    reportUnavailable("parseCompensateDatFile");
    return QVariantMap();
}

QVariantMap Application::readCompensateFileBundle(const QString& /*path*/)
{
    reportUnavailable("readCompensateFileBundle");
    return QVariantMap();
}

void Application::readInsUserConfig()
{
    reportUnavailable("readInsUserConfig");
}

void Application::startFactoryReadback()
{
    reportUnavailable("startFactoryReadback");
}

void Application::stopFactoryReadback()
{
    reportUnavailable("stopFactoryReadback");
}

QString Application::pickOpenFile(const QString& /*title*/, const QString& /*filter*/)
{
    reportUnavailable("pickOpenFile");
    return QString();
}

QString Application::pickSaveFile(const QString& /*title*/, const QString& /*filter*/)
{
    reportUnavailable("pickSaveFile");
    return QString();
}

QString Application::pickDirectory(const QString& /*title*/)
{
    reportUnavailable("pickDirectory");
    return QString();
}

} // namespace gcs
