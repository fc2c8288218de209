// Profile files of a deployment: the command catalog and the UI switches.

#include "app/Application.h"

#include "catalog/ProductRegistry.h"
#include "catalog/UiConfig.h"
#include "console/CommandCatalog.h"

#include <QDir>

namespace gcs {

void Application::loadProfiles(const QString& dir)
{
    // Both loads keep what they cannot replace: the catalog merges, and a missing
    // "ui.yaml" leaves the switches as they were. A later folder therefore wins.
    const QDir folder(dir);
    m_catalog->loadFile(folder.filePath(QStringLiteral("vorn.yaml")));
    m_uiConfig->loadFile(folder.filePath(QStringLiteral("ui.yaml")));
    applyUiConfigVisibility();
}

void Application::applyUiConfigVisibility()
{
    const bool factoryVisible = m_uiConfig->factoryConfigVisible();
    m_products->setNavItemVisible(QStringLiteral("factory_config"), factoryVisible);
    if (!factoryVisible && m_currentNav == QLatin1String("factory_config"))
        setCurrentNav(QStringLiteral("user_config"));
}

} // namespace gcs
