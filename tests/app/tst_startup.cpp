#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using gcs::test::binDir;

namespace {

// Runs a copy of an executable from its own folder, so that the diagnostic log it
// writes beside itself is this test's alone.
struct IsolatedRun
{
    QTemporaryDir exeDir;
    QTemporaryDir dataHome;
    QString exe;
    QProcess process;

    bool prepare(const QString& name)
    {
        exe = exeDir.filePath(name);
        if (!QFile::copy(QDir(binDir()).filePath(name), exe))
            return false;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_DATA_HOME"), dataHome.path());
        env.insert(QStringLiteral("LOCALAPPDATA"), dataHome.path());
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(exeDir.path());
        return true;
    }

    QByteArray log() const { return gcs::test::readFileBytes(exeDir.filePath("qml-error.log")); }
};

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT
private slots:
    void missingMainQmlEndsWithMinusOneAndLogsWhy()
    {
        IsolatedRun run;
        QVERIFY(run.prepare(QStringLiteral("telvo-startup-noqml")));
        run.process.start(run.exe);
        QVERIFY(run.process.waitForFinished(20000));
        QCOMPARE(run.process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(run.process.exitCode(), 255); // -1 as a process exit status
        QVERIFY2(run.log().contains("qrc:/Corvane/GCS/Main.qml"), run.log().constData());
        // One message per line, nothing else on it.
        for (const QByteArray& line : run.log().split('\n'))
            QVERIFY2(!line.startsWith("Warning") && !line.startsWith("["), line.constData());
        // Nothing of the engine's complaint leaks to standard error.
        QVERIFY(!run.process.readAllStandardError().contains("Main.qml"));
    }

    void mainWindowLoadsAndRunsUntilQuit()
    {
        IsolatedRun run;
        QVERIFY(run.prepare(QStringLiteral("TelvoMonitor")));
        run.process.start(run.exe);
        QVERIFY(run.process.waitForStarted());
        QVERIFY2(!run.process.waitForFinished(2500), run.log().constData());
        QVERIFY2(!run.log().contains("Failed to load") && !run.log().contains("Error"),
                 run.log().constData());
        // The lock of the running instance is where a second start looks for it.
        QVERIFY(QFile::exists(run.dataHome.filePath("TelvoMonitor/TelvoMonitor/instance.lock")));
        run.process.terminate();
        QVERIFY(run.process.waitForFinished(5000));
    }
};

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
