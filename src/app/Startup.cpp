#include "app/Startup.h"

#include "app/Application.h"
#include "app/DiagnosticLog.h"
#include "app/InstanceLock.h"
#include "app/ProfileFolders.h"
#include "app/QmlTypes.h"
#include "app/RenderSetup.h"
#include "app/WindowPlacement.h"
#include "catalog/AppSettings.h"
#include "catalog/SettingsKeys.h"
#include "i18n/Language.h"

#include <QApplication>
#include <QIcon>
#include <QLockFile>
#include <QMessageBox>
#include <QPalette>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QQuickStyle>
#include <QQuickWindow>
#include <QScreen>
#include <QSettings>

// The build defines it (CMake's GCS_APP_ID); this is for tools that compile the file alone.
#ifndef GCS_APP_ID
#define GCS_APP_ID "example.corvane.TelvoMonitor"
#endif

namespace gcs {

namespace {

const char* const kAppName = "TelvoMonitor";
const char* const kMainQml = "qrc:/Corvane/GCS/Main.qml";
const char* const kIconPath = ":/Corvane/GCS/assets/app-icon.png";

void showSecondInstanceBox()
{
    // In the language the running instance shows; the file is only read here.
    language::apply(QSettings(AppSettings::defaultFilePath(), QSettings::IniFormat)
                        .value(settingskeys::kLanguage)
                        .toString());
    QMessageBox box(QMessageBox::Warning, QString::fromLatin1(kAppName),
                    QCoreApplication::translate("gcs::Startup", "TelvoMonitor 已在运行中。"),
                    QMessageBox::Ok);
    box.setInformativeText(QCoreApplication::translate(
        "gcs::Startup", "请勿重复打开多个实例；若需重新启动，请先关闭已有窗口。"));
    box.exec();
}

QPalette buildPalette()
{
    struct RoleColour
    {
        QPalette::ColorRole role;
        const char* colour;
    };
    static const RoleColour kRoles[] = {
        { QPalette::Window, "#071018" },
        { QPalette::WindowText, "#d7e6f0" },
        { QPalette::Base, "#0a1620" },
        { QPalette::AlternateBase, "#12202e" },
        { QPalette::Text, "#d7e6f0" },
        { QPalette::Button, "#12202e" },
        { QPalette::ButtonText, "#d7e6f0" },
        { QPalette::Highlight, "#2f8bff" },
        { QPalette::HighlightedText, "#f4f8fc" },
        { QPalette::ToolTipBase, "#12202e" },
        { QPalette::ToolTipText, "#d7e6f0" },
        { QPalette::PlaceholderText, "#8aa0b3" },
        { QPalette::Light, "#1e3a4c" },
        { QPalette::Mid, "#1e3a4c" },
        { QPalette::Dark, "#050b12" },
    };
    QPalette palette = QApplication::palette();
    for (const RoleColour& rc : kRoles)
        palette.setBrush(QPalette::All, rc.role, QBrush(QColor(QLatin1String(rc.colour))));
    return palette;
}

std::optional<ScreenGeometry> screenOf(QQuickWindow* window)
{
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return std::nullopt;
    return ScreenGeometry { screen->availableGeometry(), screen->geometry() };
}

void placeMainWindow(QQuickWindow* window)
{
    const std::optional<ScreenGeometry> screen = screenOf(window);
    const InitialPlacement placement = computeInitialPlacement(screen, window->minimumSize());
    window->resize(placement.size);
    if (screen)
        window->setPosition(centredPosition(*screen, window->size()));
}

} // namespace

int runApplication(int argc, char** argv)
{
    RenderSetup::prepareProcess();
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QString::fromLatin1(kAppName));
    QCoreApplication::setApplicationName(QString::fromLatin1(kAppName));
    QGuiApplication::setApplicationDisplayName(QString::fromLatin1(kAppName));
    QGuiApplication::setDesktopFileName(QStringLiteral(GCS_APP_ID));

    QLockFile lock(instanceLockPath());
    if (!takeInstanceLock(lock)) {
        showSecondInstanceBox();
        return 0;
    }

    installDiagnosticLog(defaultDiagnosticLogPath());
    QQuickStyle::setStyle(QStringLiteral("Fusion"));
    const QIcon icon(QString::fromLatin1(kIconPath));
    QGuiApplication::setWindowIcon(icon);
    const QPalette palette = buildPalette();
    QApplication::setPalette(palette);

    registerQmlTypes();
    RenderSetup::chooseBackend();

    Application controller;
    for (const QString& folder : profileFolders())
        controller.loadProfiles(folder);

    QQmlApplicationEngine engine;
    // The stored language is in force before the window's first binding is evaluated, and
    // a change made later reaches the window's texts through the engine.
    controller.setQmlEngine(&engine);
    controller.applyLanguage();
    engine.rootContext()->setContextProperty(QStringLiteral("app"), &controller);
    engine.addImportPath(QStringLiteral("qrc:/"));
    QObject::connect(
        &engine, &QQmlApplicationEngine::objectCreated, &app,
        [](QObject* object, const QUrl& url) {
            if (!object)
                qCritical("Failed to load %s", qPrintable(url.toString()));
        },
        Qt::QueuedConnection);
    engine.load(QUrl(QString::fromLatin1(kMainQml)));
    if (engine.rootObjects().isEmpty())
        return -1;

    if (auto* window = qobject_cast<QQuickWindow*>(engine.rootObjects().constFirst())) {
        window->setTitle(QString::fromLatin1(kAppName));
        window->setIcon(icon);
        window->show();
        placeMainWindow(window);
        QMetaObject::invokeMethod(window, "applyWindowTier", Qt::DirectConnection,
                                  Q_ARG(QVariant, QVariant(QStringLiteral("medium"))));
        window->raise();
        window->requestActivate();
    }

    QObject::connect(&app, &QCoreApplication::aboutToQuit, &controller,
                     &Application::persistManagedState);
    // A probe still running would keep the process (and its port) alive after the window
    // closed; stopped here, it lets go at once, before the instance lock is released.
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &controller, &Application::stopProbes);
    return app.exec();
}

} // namespace gcs
