#include "FrameCounters.h"
#include "TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace gcs::test;

namespace {

QString cliPath()
{
    return QDir(binDir()).filePath(QStringLiteral("telvo-cli"));
}

/// Checks that a recording's two files hold the same frames without a gap.
void checkRecording(const QString& textPath, const QString& rawPath)
{
    QString error;
    const QList<quint32> raw = sinsbinCaptureCounters(readFileBytes(rawPath), &error);
    QVERIFY2(!raw.isEmpty(), qPrintable(error));
    QCOMPARE(counterGap(raw), QString());
    const QList<quint32> lines = messageLogCounters(readFileBytes(textPath), &error);
    QVERIFY2(!lines.isEmpty(), qPrintable(error));
    QCOMPARE(counterGap(lines), QString());
    QVERIFY(lines.first() == raw.first() || lines.first() + 1 == raw.first());
    QCOMPARE(lines.last(), raw.last());
}

} // namespace

/// telvo-cli record: the window's recording flow against the simulated unit.
class TestCliRecord : public QObject
{
    Q_OBJECT

    SimProcess m_sim;

private slots:
    void initTestCase()
    {
        QVERIFY2(m_sim.start({ QStringLiteral("--rate"), QStringLiteral("1000") }),
                 qPrintable(m_sim.errorText()));
    }

    void recordsForTheGivenTime()
    {
        QTemporaryDir dir;
        QProcess cli;
        cli.start(cliPath(),
                  { QStringLiteral("record"), m_sim.port(), QStringLiteral("--dir"), dir.path(),
                    QStringLiteral("--seconds"), QStringLiteral("3") });
        QVERIFY(cli.waitForFinished(60000));
        QCOMPARE(cli.exitCode(), 0);
        const QStringList paths
            = QString::fromUtf8(cli.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(paths.size(), 2);
        QVERIFY(QFileInfo(paths.at(0)).fileName().startsWith(QStringLiteral("sinsbin_")));
        QVERIFY(paths.at(0).endsWith(QStringLiteral(".txt")));
        QCOMPARE(paths.at(1), paths.at(0).chopped(4) + QStringLiteral(".bin"));
        QCOMPARE(QFileInfo(paths.at(0)).absolutePath(), QFileInfo(dir.path()).absoluteFilePath());
        checkRecording(paths.at(0), paths.at(1));
    }

    void anInterruptStopsWithBothFilesComplete()
    {
        QTemporaryDir dir;
        QProcess cli;
        cli.start(cliPath(),
                  { QStringLiteral("record"), m_sim.port(), QStringLiteral("--dir"), dir.path(),
                    QStringLiteral("--seconds"), QStringLiteral("120") });
        QVERIFY(cli.waitForStarted());
        QStringList paths;
        QVERIFY(waitUntil(
            [&]() {
                paths += QString::fromUtf8(cli.readAllStandardOutput())
                             .split('\n', Qt::SkipEmptyParts);
                return paths.size() >= 2 || cli.state() != QProcess::Running;
            },
            30000));
        QCOMPARE(paths.size(), 2);
        QTest::qWait(1500);
        QVERIFY(interruptProcess(cli));
        QVERIFY(cli.waitForFinished(10000));
        QCOMPARE(cli.exitStatus(), QProcess::NormalExit);
        QCOMPARE(cli.exitCode(), 0);
        QVERIFY(
            QString::fromUtf8(cli.readAllStandardError()).contains(QStringLiteral("interrupted")));
        // Everything received up to the interrupt is in both files.
        checkRecording(paths.at(0), paths.at(1));
    }

    void noUnitOnThePortIsAFailure()
    {
        PtyPair pair; // a line with nothing on its other end
        QVERIFY2(pair.start(), qPrintable(pair.errorText()));
        QTemporaryDir dir;
        QProcess cli;
        cli.start(cliPath(),
                  { QStringLiteral("record"), pair.endA(), QStringLiteral("--dir"), dir.path(),
                    QStringLiteral("--seconds"), QStringLiteral("1") });
        QVERIFY(cli.waitForFinished(60000));
        QCOMPARE(cli.exitCode(), 1);
        const QString err = QString::fromUtf8(cli.readAllStandardError());
        QVERIFY2(err.startsWith(QStringLiteral("telvo-cli record: ")) && err.size() > 20,
                 qPrintable(err));
        QVERIFY(QDir(dir.path()).isEmpty());
    }

    void aFolderThatCannotBeWrittenIsAFailure()
    {
        QTemporaryDir dir;
        const QString missing = dir.filePath(QStringLiteral("missing"));
        QProcess cli;
        cli.start(cliPath(),
                  { QStringLiteral("record"), m_sim.port(), QStringLiteral("--dir"), missing });
        QVERIFY(cli.waitForFinished(30000));
        QCOMPARE(cli.exitCode(), 1);
        QVERIFY(QString::fromUtf8(cli.readAllStandardError()).contains(missing));

        const QString file = dir.filePath(QStringLiteral("plain.txt"));
        QVERIFY(writeFileBytes(file, "x"));
        cli.start(cliPath(),
                  { QStringLiteral("record"), m_sim.port(), QStringLiteral("--dir"), file });
        QVERIFY(cli.waitForFinished(30000));
        QCOMPARE(cli.exitCode(), 1);

        cli.start(cliPath(), { QStringLiteral("record"), m_sim.port() });
        QVERIFY(cli.waitForFinished(30000));
        QCOMPARE(cli.exitCode(), 2);
    }
};

QTEST_GUILESS_MAIN(TestCliRecord)
#include "tst_clirecord.moc"
