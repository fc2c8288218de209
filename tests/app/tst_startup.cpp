#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using gcs::test::binDir;

namespace {

// Runs a copy of an executable from its own folder, so that the diagnostic log it
// writes beside itself is this test's alone.
struct IsolatedRun
{
    QTemporaryDir exeDir;
    QTemporaryDir dataHome;
    QString exe;
    QStringList runAs; // a command that starts the executable as another user
    QProcess process;

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();

    ~IsolatedRun() { ::chmod(QFile::encodeName(exeDir.path()).constData(), 0755); }

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

    /// Makes the executable's folder one the run cannot write, as an install under /usr
    /// or "Program Files" is for a user. Root writes any folder whatever its mode, so as
    /// root the program runs as the user nobody, in a folder that root owns.
    bool protectFolder()
    {
        if (::geteuid() != 0)
            return ::chmod(QFile::encodeName(exeDir.path()).constData(), 0555) == 0;
        const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
        runAs = QStringList { setpriv, "--reuid=65534", "--regid=65534", "--clear-groups", "--" };
        return !setpriv.isEmpty()
            && ::chmod(QFile::encodeName(exeDir.path()).constData(), 0755) == 0
            && ::chmod(QFile::encodeName(dataHome.path()).constData(), 0777) == 0;
    }

    void start()
    {
        const QStringList command = runAs + QStringList { exe };
        process.start(command.first(), command.mid(1));
    }

    QByteArray log() const { return gcs::test::readFileBytes(exeDir.filePath("qml-error.log")); }
    /// The log in the user's application data folder.
    QString dataLog() const { return dataHome.filePath("TelvoMonitor/TelvoMonitor/qml-error.log"); }
};

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT
private slots:
    void missingMainQmlEndsWithMinusOneAndLogsWhy_data()
    {
        QTest::addColumn<bool>("protectedInstall");
        QTest::newRow("the log beside the program") << false;
        // Where the program's folder cannot be written, the log is the user's.
        QTest::newRow("a protected install") << true;
    }

    void missingMainQmlEndsWithMinusOneAndLogsWhy()
    {
        QFETCH(bool, protectedInstall);
        IsolatedRun run;
        QVERIFY(run.prepare(QStringLiteral("telvo-startup-noqml")));
        QVERIFY(!protectedInstall || run.protectFolder());
        run.start();
        QVERIFY(run.process.waitForFinished(20000));
        QCOMPARE(run.process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(run.process.exitCode(), 255); // -1 as a process exit status
        const QByteArray log
            = protectedInstall ? gcs::test::readFileBytes(run.dataLog()) : run.log();
        QCOMPARE(QFile::exists(run.dataLog()), protectedInstall);
        QCOMPARE(QFile::exists(run.exeDir.filePath("qml-error.log")), !protectedInstall);
        QVERIFY2(log.contains("qrc:/Corvane/GCS/Main.qml"), log.constData());
        // One message per line, nothing else on it.
        for (const QByteArray& line : log.split('\n'))
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
