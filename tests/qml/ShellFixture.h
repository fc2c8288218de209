#pragma once

#include <QDir>
#include <QFileInfo>
#include <QObject>
#include <QPointer>
#include <QQmlEngine>
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

/// What the QML tests use to set the stage ("fixture"): the real controller published as
/// "app" on a settings folder of its own, telvo-sim on a pseudo-terminal, scratch files,
/// and file dialogs that answer from a list instead of opening.
class ShellFixture : public QObject
{
    Q_OBJECT
public:
    explicit ShellFixture(QQmlEngine* engine);
    ~ShellFixture() override;

    /// A fresh controller on an empty settings folder, as on a first start.
    Q_INVOKABLE void resetController();
    /// A fresh folder managing one serial device per map of "port", "baud" and "model"
    /// (the first current), and a controller started on it; the devices' ids.
    Q_INVOKABLE QStringList resetWithDevices(const QVariantList& devices);
    /// A new controller on the same folder, the old one having written its settings.
    Q_INVOKABLE void restartController()
    {
        destroyController();
        createController();
    }
    /// Loads a "ui.yaml" that offers the factory configuration page.
    Q_INVOKABLE void showFactoryPage();

    /// telvo-sim with extra arguments: its port path, or empty (see simError).
    Q_INVOKABLE QString startSim(const QStringList& args = {});
    Q_INVOKABLE void stopSim();
    Q_INVOKABLE QString simError() const { return m_simError; }
    /// A telvo-sim of its own with args, its stream of ms milliseconds kept as a raw
    /// capture at path; the capture's size, or -1.
    Q_INVOKABLE qint64 captureSim(const QStringList& args, int ms, const QString& path);
    /// Roll, pitch and yaw as the attitude page shows them ("%.2f") of the 59-byte frame of
    /// a raw capture whose time tag (0.1 ms) lies ms after the first frame's.
    Q_INVOKABLE QStringList attitudeAt(const QString& path, int ms) const;

    /// The next answers of the file dialogs, in order; then a dialog counts as cancelled.
    Q_INVOKABLE void answerFileDialogs(const QStringList& paths)
    {
        m_dialogAnswers = paths;
        m_dialogRequests.clear();
    }
    /// The dialogs asked for since: maps of "kind" (open, save, directory), "title", "filter".
    Q_INVOKABLE QVariantList fileDialogRequests() const { return m_dialogRequests; }
    /// A path inside the test's own scratch folder, and files there.
    Q_INVOKABLE QString scratchPath(const QString& name) const;
    Q_INVOKABLE bool writeScratchFile(const QString& path, const QString& text) const;
    Q_INVOKABLE QStringList filesIn(const QString& dir) const
    {
        return QDir(dir).entryList(QDir::Files, QDir::Name);
    }
    Q_INVOKABLE qint64 fileSize(const QString& path) const
    {
        return QFileInfo::exists(path) ? QFileInfo(path).size() : -1;
    }
    /// A firmware image of size bytes offered to the next file dialog; its path.
    Q_INVOKABLE QString offerFirmware(const QString& name, int size);
    /// The serial ports the controller lists from its next refresh on, instead of the
    /// platform's (which lists no pseudo-terminal).
    Q_INVOKABLE void usePorts(const QStringList& names);

private:
    void createController();
    void destroyController();

    QPointer<QQmlEngine> m_engine; // the test runner may destroy it before the fixture
    std::unique_ptr<QTemporaryDir> m_dir;
    QPointer<gcs::Application> m_app;
    std::unique_ptr<gcs::test::SimProcess> m_sim;
    QString m_simError;
    QStringList m_dialogAnswers;
    QVariantList m_dialogRequests;
};
