#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

class QObject;
class QQmlApplicationEngine;
class QQuickWindow;

namespace gcs {
class Application;
}

namespace shots {

/// One window on one controller with its own settings folder. The managed devices sit
/// on the given ports (the first is current); file dialogs answer from a queue of paths
/// (a folder dialog gets the scratch folder); uiYaml, when given, is loaded as an extra
/// profile before the window opens.
class Stage
{
public:
    Stage(const QString& binDir, const QStringList& ports, const QString& tier,
          const QByteArray& uiYaml = QByteArray());
    ~Stage();
    Stage(const Stage&) = delete;
    Stage& operator=(const Stage&) = delete;

    bool hasWindow() const { return m_window != nullptr; }
    gcs::Application* app() const { return m_app.get(); }
    QQuickWindow* window() const { return m_window; }
    /// The page the workspace shows, or null.
    QObject* page() const;
    QString scratch(const QString& name) const { return m_dir.filePath(name); }

    /// The next file dialog answers path.
    void answer(const QString& path) { m_answers << path; }
    void setTheme(int index);
    void clearToasts();
    /// Enters the workspace of the current device, as a click on its card does.
    void enterCurrentDevice();
    /// Lets the window settle for settleMs, then grabs it to path.
    bool shoot(const QString& path, int settleMs = 450);
    /// The same without the notices the steps before left on screen.
    bool shootQuiet(const QString& path, int settleMs = 450);

    /// The language every stage made afterwards shows ("zh_CN" or "en").
    static void setLanguage(const QString& code);

private:
    QTemporaryDir m_dir;
    std::unique_ptr<gcs::Application> m_app;
    std::unique_ptr<QQmlApplicationEngine> m_engine;
    QQuickWindow* m_window = nullptr;
    QStringList m_answers;
};

} // namespace shots
