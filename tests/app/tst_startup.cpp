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

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();

    /// quitAfterMs: when the quitting probe quits (or answers a message box).
    bool prepare(const QString& name, int quitAfterMs = 0)
    {
        exe = exeDir.filePath(name);
        if (!QFile::copy(QDir(binDir()).filePath(name), exe))
            return false;
        environment.insert(QStringLiteral("XDG_DATA_HOME"), dataHome.path());
        environment.insert(QStringLiteral("LOCALAPPDATA"), dataHome.path());
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        // The program chooses its renderer itself, as it does for a user.
        environment.remove(QStringLiteral("QT_QUICK_BACKEND"));
        environment.insert(QStringLiteral("GCS_PROBE_QUIT_MS"), QString::number(quitAfterMs));
        process.setProcessEnvironment(environment);
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

    // The window loads, placed and shown, and runs until the user quits; quitting saves the
    // managed devices and lets go of the instance lock. A second start meanwhile only says
    // that one is running, and ends.
    void mainWindowRunsUntilQuitAndASecondStartDefers()
    {
        IsolatedRun first, second;
        QVERIFY(first.prepare(QStringLiteral("telvo-startup-quits"), 8000));
        first.process.start(first.exe);
        QVERIFY(first.process.waitForStarted());
        const QString lock = first.dataHome.filePath("TelvoMonitor/TelvoMonitor/instance.lock");
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(lock), 5000);

        QVERIFY(second.prepare(QStringLiteral("telvo-startup-quits"), 300));
        second.environment.insert(QStringLiteral("XDG_DATA_HOME"), first.dataHome.path());
        second.process.setProcessEnvironment(second.environment);
        second.process.start(second.exe);
        QVERIFY(second.process.waitForFinished(10000));
        QCOMPARE(second.process.exitCode(), 0);
        QVERIFY(second.process.readAllStandardError().contains(
            "message box: TelvoMonitor 已在运行中。"));
        QCOMPARE(first.process.state(), QProcess::Running);

        QVERIFY(first.process.waitForFinished(20000));
        QCOMPARE(first.process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(first.process.exitCode(), 0);
        QVERIFY2(!first.log().contains("Failed to load") && !first.log().contains("Error"),
                 first.log().constData());
        QVERIFY(!first.process.readAllStandardError().contains("message box"));
        QVERIFY(!QFile::exists(lock));
        QVERIFY(gcs::test::readFileBytes(first.dataHome.filePath("TelvoMonitor/gcs.ini"))
                    .contains("managed"));
    }
};

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
