#include "TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

using gcs::test::readFileBytes;

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
        p.start(program, args);
        Run r;
        if (p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit)
            r.exitCode = p.exitCode();
        r.out = QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        r.err = QString::fromUtf8(p.readAllStandardError());
        return r;
    }

    QString installed(const QString& path) const { return QDir(m_prefix.path()).filePath(path); }

    /// The value of key in a desktop entry's text.
    static QString entry(const QString& text, const QString& key)
    {
        const QRegularExpression line(QStringLiteral("^%1=(.*)$").arg(key),
                                      QRegularExpression::MultilineOption);
        return line.match(text).captured(1).trimmed();
    }

private slots:
    void initTestCase()
    {
        const Run install
            = run(qEnvironmentVariable("GCS_CMAKE"),
                  { QStringLiteral("--install"), qEnvironmentVariable("GCS_BUILD_DIR"),
                    QStringLiteral("--prefix"), m_prefix.path() });
        QVERIFY2(install.exitCode == 0, qPrintable(install.err));
    }

    // The menu entry's command is a link on PATH to the installed window, its icon is in
    // the icon theme, and the entry and the AppStream data pass their validators.
    void theMenuEntryStartsTheInstalledWindow()
    {
        const QStringList entries
            = QDir(installed("share/applications")).entryList({ QStringLiteral("*.desktop") });
        QCOMPARE(entries.size(), 1);
        const QString desktop = installed("share/applications/" + entries.first());
        const QString text = QString::fromUtf8(readFileBytes(desktop));
        const QFileInfo exec(
            installed("bin/" + entry(text, QStringLiteral("Exec")).section(' ', 0, 0)));
        QVERIFY2(exec.isSymLink(), qPrintable(exec.filePath()));
        QCOMPARE(exec.canonicalFilePath(),
                 QFileInfo(installed("lib/telvomonitor/TelvoMonitor")).canonicalFilePath());
        QVERIFY(QFileInfo(exec.canonicalFilePath()).isExecutable());
        const QString icon = entry(text, QStringLiteral("Icon"));
        for (const char* size : { "16x16", "48x48", "256x256" })
            QVERIFY(QFileInfo::exists(installed(QStringLiteral("share/icons/hicolor/%1/apps/%2.png")
                                                    .arg(QLatin1String(size), icon))));
        const QString metainfo = installed("share/metainfo/" + icon + ".metainfo.xml");
        const struct
        {
            const char* tool;
            QStringList args;
        } checks[] = { { "desktop-file-validate", { desktop } },
                       { "appstreamcli",
                         { QStringLiteral("validate"), QStringLiteral("--no-net"), metainfo } } };
        for (const auto& check : checks) {
            const QString tool = QStandardPaths::findExecutable(QLatin1String(check.tool));
            if (tool.isEmpty()) {
                qWarning("%s is not installed: not checked", check.tool);
                continue;
            }
            const Run r = run(tool, check.args);
            QVERIFY2(r.exitCode == 0, qPrintable(r.out.join('\n') + r.err));
        }
    }

    // telvo-cli, started through its link, reads the catalog installed beside it and
    // talks to the installed simulator; a "X:/profiles" folder under the working folder
    // is no profile folder here.
    void theInstalledToolsFindTheirProfilesFromAnyFolder()
    {
        const QString cli = installed("bin/telvo-cli");
        const Run help = run(cli, { QStringLiteral("--help") });
        QCOMPARE(help.exitCode, 0);
        QVERIFY(help.out.join('\n').contains(QStringLiteral("send")));

        QVERIFY(gcs::test::writeFileBytes(m_userDir.filePath("X:/profiles/vorn.yaml"),
                                          "family: vorn\nheader: \"#vorn\"\ncommands:\n"
                                          "  x_only:\n    template: \"get softver\"\n"));
        gcs::test::EnvOverride bin("GCS_BIN_DIR", installed("bin").toLocal8Bit());
        gcs::test::SimProcess sim;
        QVERIFY2(sim.start({ QStringLiteral("--rate"), QStringLiteral("100") }),
                 qPrintable(sim.errorText()));
        const Run stop = run(cli, { "send", sim.port(), "--wait", "200", "stop_com1" });
        QCOMPARE(stop.out, QStringList { "> #vorn,stop com1*ff" });
        QString reply;
        for (int attempt = 0; attempt < 4 && !reply.startsWith(QStringLiteral("com1 ")); ++attempt)
            reply = run(cli, { "send", sim.port(), "--wait", "600", "get_com1" }).out.value(1);
        QVERIFY2(reply.startsWith(QStringLiteral("com1 baudRate=115200")), qPrintable(reply));

        const Run other = run(cli, { "send", sim.port(), "x_only" });
        QCOMPARE(other.exitCode, 1);
        QVERIFY2(other.err.contains(QStringLiteral("未知指令：vorn.x_only")),
                 qPrintable(other.err));
    }
};

QTEST_GUILESS_MAIN(TestInstall)
#include "tst_install.moc"
