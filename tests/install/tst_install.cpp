#include "TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>

/// `cmake --install` of this build into a temporary prefix; the installed programs run
/// through their links on PATH, from a folder of the user's, as a user starts them.
class TestInstall : public QObject
{
    Q_OBJECT

    QTemporaryDir m_prefix;
    QTemporaryDir m_userDir; // the working folder of every run

    struct Run
    {
        int exitCode = -1;
        QStringList out;
        QString err;
    };

    Run run(const QString& program, const QStringList& args)
    {
        QProcess p;
        p.setWorkingDirectory(m_userDir.path());
        gcs::test::pinCliLocale(p);
        p.start(program, args);
        Run r;
        if (p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit)
            r.exitCode = p.exitCode();
        r.out = QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        r.err = QString::fromUtf8(p.readAllStandardError());
        return r;
    }

    QString installed(const QString& path) const { return QDir(m_prefix.path()).filePath(path); }

private slots:
    void initTestCase()
    {
        const Run install = run(
            qEnvironmentVariable("GCS_CMAKE"),
            { "--install", qEnvironmentVariable("GCS_BUILD_DIR"), "--prefix", m_prefix.path() });
        QVERIFY2(install.exitCode == 0, qPrintable(install.err));
    }

    // The menu entry's command is a link on PATH to the installed window, its icon is in
    // the icon theme, and the entry and the AppStream data pass their validators.
    void theMenuEntryStartsTheInstalledWindow()
    {
        const QFileInfoList entries
            = QDir(installed("share/applications")).entryInfoList({ "*.desktop" });
        QCOMPARE(entries.size(), 1);
        QSettings desktop(entries.first().filePath(), QSettings::IniFormat);
        desktop.beginGroup("Desktop Entry");
        const QFileInfo exec(installed("bin/" + desktop.value("Exec").toString()));
        QVERIFY2(exec.isSymLink(), qPrintable(exec.filePath()));
        QCOMPARE(exec.canonicalFilePath(),
                 QFileInfo(installed("lib/telvomonitor/TelvoMonitor")).canonicalFilePath());
        const QString id = desktop.value("Icon").toString();
        QVERIFY(QFileInfo::exists(installed("share/icons/hicolor/48x48/apps/" + id + ".png")));
        const QStringList checks[] = {
            { "desktop-file-validate", entries.first().filePath() },
            { "appstreamcli", "validate", "--no-net",
              installed("share/metainfo/" + id + ".metainfo.xml") },
        };
        for (const QStringList& check : checks) {
            const QString tool = QStandardPaths::findExecutable(check.first());
            QVERIFY2(!tool.isEmpty(),
                     qPrintable(check.first() + " is missing (scripts/install-deps.sh)"));
            const Run r = run(tool, check.mid(1));
            QVERIFY2(r.exitCode == 0, qPrintable(r.out.join('\n') + r.err));
        }
    }

    // telvo-cli, started through its link, reads the catalog installed beside it and
    // talks to the installed simulator; a "X:/profiles" folder under the working folder
    // is no profile folder here.
    void theInstalledToolsFindTheirProfilesFromAnyFolder()
    {
        const QString cli = installed("bin/telvo-cli");
        const Run help = run(cli, { "--help" });
        QCOMPARE(help.exitCode, 0);
        QVERIFY(help.out.join('\n').contains("send"));

        QVERIFY(gcs::test::writeFileBytes(m_userDir.filePath("X:/profiles/vorn.yaml"),
                                          "family: vorn\nheader: \"#vorn\"\ncommands:\n"
                                          "  x_only:\n    template: \"get softver\"\n"));
        gcs::test::EnvOverride bin("GCS_BIN_DIR", installed("bin").toLocal8Bit());
        gcs::test::SimProcess sim;
        QVERIFY2(sim.start({ "--rate", "100" }), qPrintable(sim.errorText()));
        QCOMPARE(run(cli, { "send", sim.port(), "--wait", "200", "stop_com1" }).out,
                 QStringList { "> #vorn,stop com1*ff" });
        QString reply; // a fresh line may lose the first bytes before the unit sees its rate
        for (int i = 0; i < 4 && !reply.startsWith("com1 "); ++i)
            reply = run(cli, { "send", sim.port(), "--wait", "600", "get_com1" }).out.value(1);
        QVERIFY2(reply.startsWith("com1 baudRate=115200"), qPrintable(reply));

        const Run other = run(cli, { "send", sim.port(), "x_only" });
        QCOMPARE(other.exitCode, 1);
        QVERIFY2(other.err.contains(QStringLiteral("未知指令：vorn.x_only")),
                 qPrintable(other.err));
    }
};

QTEST_GUILESS_MAIN(TestInstall)
#include "tst_install.moc"
