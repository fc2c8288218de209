#include "ShotStage.h"
#include "ShotSupport.h"

#include "app/Application.h"
#include "catalog/ManagedDevices.h"

#include <QDir>
#include <QFile>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QQuickWindow>

namespace shots {

namespace {

QString& stageLanguage()
{
    static QString code = QStringLiteral("zh_CN");
    return code;
}

} // namespace

void Stage::setLanguage(const QString& code)
{
    stageLanguage() = code;
}

Stage::Stage(const QString& binDir, const QStringList& ports, const QString& tier,
             const QByteArray& uiYaml)
{
    qputenv("LOCALAPPDATA", QFile::encodeName(m_dir.path()));
    if (!ports.isEmpty()) {
        // Write the managed devices, then start the controller on them as a program start
        // would.
        gcs::Application seed;
        const char* const models[] = { "kt45", "kt80", "kt10", "kt60" };
        for (int i = 0; i < ports.size(); ++i) {
            seed.managedDevices()->appendSerial(QStringLiteral("ins"), QString(), ports.at(i),
                                                i == 1 ? 460800 : 115200, i == 0,
                                                QString::fromLatin1(models[i % 4]));
        }
    }
    m_app = std::make_unique<gcs::Application>();
    m_app->loadProfiles(QDir(binDir).filePath(QStringLiteral("profiles")));
    if (!uiYaml.isEmpty()) {
        const QString profiles = m_dir.filePath(QStringLiteral("profiles"));
        QDir().mkpath(profiles);
        QFile ui(QDir(profiles).filePath(QStringLiteral("ui.yaml")));
        if (ui.open(QIODevice::WriteOnly))
            ui.write(uiYaml);
        ui.close();
        m_app->loadProfiles(profiles);
    }
    m_app->setFileChooser([this](gcs::FileDialogs::Kind kind, const QString&, const QString&) {
        if (kind == gcs::FileDialogs::Kind::Directory)
            return m_dir.path();
        return m_answers.isEmpty() ? QString() : m_answers.takeFirst();
    });
    m_engine = std::make_unique<QQmlApplicationEngine>();
    // Stored in the stage's own settings and in force before the window loads, as at a
    // start of the program.
    m_app->setQmlEngine(m_engine.get());
    m_app->setLanguage(stageLanguage());
    m_app->applyLanguage();
    m_engine->rootContext()->setContextProperty(QStringLiteral("app"), m_app.get());
    m_engine->addImportPath(QStringLiteral("qrc:/"));
    m_engine->load(QUrl(QStringLiteral("qrc:/Corvane/GCS/Main.qml")));
    if (!m_engine->rootObjects().isEmpty())
        m_window = qobject_cast<QQuickWindow*>(m_engine->rootObjects().constFirst());
    if (!m_window)
        return;
    m_window->show();
    waitFor([this] { return m_window->property("centredOnce").toBool(); }, 2000);
    QMetaObject::invokeMethod(m_window, "applyWindowTier", Q_ARG(QVariant, tier));
}

Stage::~Stage()
{
    m_engine.reset();
    m_app.reset();
}

QObject* Stage::page() const
{
    return prop(prop(prop(m_window, "body"), "pageHost"), "page");
}

void Stage::setTheme(int index)
{
    if (QObject* box = prop(prop(m_window, "header"), "themeBox"))
        box->setProperty("currentIndex", index);
}

void Stage::clearToasts()
{
    if (QObject* toasts = prop(m_window, "toasts"))
        QMetaObject::invokeMethod(toasts, "clear");
}

void Stage::enterCurrentDevice()
{
    const QString id = m_app->managedDevices()->currentId();
    QMetaObject::invokeMethod(m_window, "enterDeviceWorkspace", Q_ARG(QVariant, id));
}

bool Stage::shoot(const QString& path, int settleMs)
{
    settle(settleMs);
    return grabTo(m_window, path);
}

bool Stage::shootQuiet(const QString& path, int settleMs)
{
    settle(settleMs);
    clearToasts();
    return grabTo(m_window, path);
}

} // namespace shots
