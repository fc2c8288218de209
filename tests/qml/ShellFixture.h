#pragma once

#include <QObject>
#include <QPointer>
#include <QQmlEngine>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include <memory>

class QTemporaryDir;

namespace gcs {
class Application;
namespace test {
class SimProcess;
}
} // namespace gcs

/// What the QML tests use to set the stage: the real controller published as "app" on a
/// settings folder of its own, a restart on the same folder (persistence), seeded managed
/// devices, and telvo-sim on a pseudo-terminal.
class ShellFixture : public QObject
{
    Q_OBJECT
public:
    explicit ShellFixture(QQmlEngine* engine);
    ~ShellFixture() override;

    /// A fresh controller on an empty settings folder, as on a first start.
    Q_INVOKABLE void resetController();
    /// A fresh settings folder that manages one serial device per entry of devices (maps
    /// with "port", "baud" and "model"); the first is current. The controller then starts
    /// on it as the program would.
    Q_INVOKABLE QStringList resetWithDevices(const QVariantList& devices);
    /// Destroys the controller (writing its settings) and starts a new one on the same
    /// folder.
    Q_INVOKABLE void restartController();
    /// Loads a "ui.yaml" that offers the factory configuration page.
    Q_INVOKABLE void showFactoryPage();
    /// The settings file as text.
    Q_INVOKABLE QString settingsText() const;

    /// Starts telvo-sim with extra arguments; its port path, or empty (see simError).
    Q_INVOKABLE QString startSim(const QStringList& args = {});
    Q_INVOKABLE void stopSim();
    Q_INVOKABLE QString simError() const;

    /// The next answers of the file and folder dialogs, in order; once they are used up a
    /// dialog counts as cancelled. No dialog window ever opens in a test.
    Q_INVOKABLE void answerFileDialogs(const QStringList& paths);
    /// The dialogs asked for since the last answerFileDialogs, as maps of "kind" ("open",
    /// "save", "directory"), "title" and "filter".
    Q_INVOKABLE QVariantList fileDialogRequests() const;
    /// A path inside the test's own folder (the folder is created).
    Q_INVOKABLE QString scratchPath(const QString& name) const;
    /// Writes bytes given as UTF-8 text; false when that fails.
    Q_INVOKABLE bool writeScratchFile(const QString& path, const QString& text) const;
    /// Names of the files in a folder, sorted.
    Q_INVOKABLE QStringList filesIn(const QString& dir) const;
    /// Size of a file in bytes, -1 when it does not exist.
    Q_INVOKABLE qint64 fileSize(const QString& path) const;
    /// Writes a firmware image of size bytes into the settings folder and makes the
    /// next file dialog answer with it; returns its path.
    Q_INVOKABLE QString offerFirmware(const QString& name, int size);
    /// The serial ports the controller lists from its next refresh on, instead of the
    /// platform's (which lists no pseudo-terminal).
    Q_INVOKABLE void usePorts(const QStringList& names);

private:
    void createController();
    void destroyController();

    // The test runner may destroy its engine before the fixture.
    QPointer<QQmlEngine> m_engine;
    std::unique_ptr<QTemporaryDir> m_dir;
    QPointer<gcs::Application> m_app;
    std::unique_ptr<gcs::test::SimProcess> m_sim;
    QString m_simError;
    QStringList m_dialogAnswers;
    QVariantList m_dialogRequests;
};
