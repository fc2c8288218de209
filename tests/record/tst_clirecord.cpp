#include "FrameCounters.h"
#include "TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

#include <sys/resource.h>

using namespace gcs::test;

namespace {

QString cliPath()
{
    return QDir(binDir()).filePath(QStringLiteral("telvo-cli"));
}

// The two paths the command prints once recording has started.
QStringList waitForPaths(QProcess& cli)
{
    QStringList paths;
    cli.waitForStarted();
    waitUntil(
        [&]() {
            paths += QString::fromUtf8(cli.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
            return paths.size() >= 2 || cli.state() != QProcess::Running;
        },
        30000);
    return paths;
}

} // namespace

/// telvo-cli record: the window's recording flow against the simulated unit.
class TestCliRecord : public QObject
{
    Q_OBJECT
private slots:
    // The recording is interrupted (Ctrl-C) or the unit is unplugged and comes back after
    // replugAfter seconds, a second after the recording started.
    void bothFilesHoldEverythingReceived_data()
    {
        QTest::addColumn<QString>("replugAfter"); // empty: interrupted instead
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("said");
        QTest::newRow("interrupted") << "" << 0 << "（已中断）";
        QTest::newRow("the unit comes back") << "1.5" << 0 << "时回来，记录继续";
        QTest::newRow("the unit stays away") << "60" << 1 << "设备离开后没有回来";
    }
    void bothFilesHoldEverythingReceived()
    {
        QFETCH(QString, replugAfter);
        QFETCH(int, exitCode);
        QFETCH(QString, said);
        SimProcess sim;
        QVERIFY2(sim.start({ "--replug-after", replugAfter.isEmpty() ? "2" : replugAfter }),
                 qPrintable(sim.errorText()));
        QTemporaryDir dir;
        QProcess cli;
        pinCliLocale(cli);
        cli.start(cliPath(), { "record", sim.port(), "--dir", dir.path(), "--seconds", "6" });
        const QStringList paths = waitForPaths(cli);
        QCOMPARE(paths.size(), 2);
        QVERIFY(QFileInfo(paths.at(0)).fileName().startsWith(QStringLiteral("sinsbin_")));
        QCOMPARE(paths.at(1), paths.at(0).chopped(4) + QStringLiteral(".bin"));
        QTest::qWait(1000);
        QVERIFY(replugAfter.isEmpty() ? interruptProcess(cli)
                                      : ::kill(pid_t(sim.processId()), SIGUSR2) == 0);
        QVERIFY(cli.waitForFinished(30000));
        QCOMPARE(cli.exitCode(), exitCode);
        const QByteArray err = cli.readAllStandardError();
        QVERIFY2(err.contains(said.toUtf8()), err.constData());

        // The text file holds every frame, the numbers broken only by a gap; the raw file
        // holds the same frames, and without a gap every byte of them.
        QString error;
        QList<QByteArray> lines;
        for (const QByteArray& line : readFileBytes(paths.at(0)).split('\n')) {
            if (!line.isEmpty() && !line.contains("#vorn"))
                lines << line;
        }
        const QList<quint32> numbers = messageLogCounters(lines.join('\n'), &error);
        QVERIFY2(numbers.size() > 100, qPrintable(error));
        QList<qsizetype> gaps;
        for (qsizetype i = 1; i < numbers.size(); ++i) {
            if (numbers.at(i) != numbers.at(i - 1) + 1)
                gaps.append(i);
        }
        QCOMPARE(gaps.size(), said == "时回来，记录继续" ? 1 : 0);
        const qsizetype gap = gaps.value(0);
        const QByteArray raw = readFileBytes(paths.at(1));
        for (qsizetype i : { qsizetype(0), gap ? gap - 1 : 0, gap, numbers.size() - 1 })
            QVERIFY(raw.contains(QByteArray::fromHex(lines.at(i).mid(24))));
        const QList<quint32> rawNumbers = sinsbinCaptureCounters(raw, &error);
        QVERIFY2(gaps.size() || (!rawNumbers.isEmpty() && counterGap(rawNumbers).isEmpty()),
                 qPrintable(error + counterGap(rawNumbers)));

        // The lost frames of either file are the frames the gap took.
        for (const QString& path : paths) {
            QProcess stats;
            stats.start(cliPath(), { "stats", "--json", path });
            QVERIFY(stats.waitForFinished(30000));
            QCOMPARE(
                QJsonDocument::fromJson(stats.readAllStandardOutput())["lost_frames"].toInteger(),
                gap ? numbers.at(gap) - numbers.at(gap - 1) - 1 : 0);
        }
    }

    void failuresSayWhy_data()
    {
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("said");
        QTest::addColumn<int>("files"); // in the folder afterwards, one of them there before
        QTest::newRow("no unit answers") << 1 << "通信数据与设备不匹配" << 1;
        QTest::newRow("a missing port") << 1 << "不存在" << 1;
        QTest::newRow("a missing folder") << 1 << "不是文件夹" << 1;
        QTest::newRow("a file for a folder") << 1 << "不是文件夹" << 1;
        QTest::newRow("no folder given") << 2 << "未给出 --dir" << 1;
        QTest::newRow("a disk that fills") << 1 << "已保存" << 3;
    }
    void failuresSayWhy()
    {
        QFETCH(int, exitCode);
        QFETCH(QString, said);
        QFETCH(int, files);
        const QString row = QString::fromLatin1(QTest::currentDataTag());
        SimProcess sim; // a silent one, for the unit that does not answer
        QVERIFY(sim.start(row == "no unit answers"
                              ? QStringList { "--stream", "off", "--answer", "none" }
                              : QStringList()));
        QTemporaryDir folder;
        QVERIFY(writeFileBytes(folder.filePath("plain.txt"), "x"));
        const QString path = row == "a missing folder" ? folder.filePath("missing")
            : row == "a file for a folder"             ? folder.filePath("plain.txt")
                                                       : folder.path();
        QProcess cli;
        const bool fills = row == "a disk that fills";
        if (fills) {
            // Files stop growing at 64 KiB, as on a disk that is full (EFBIG, not SIGXFSZ).
            cli.setChildProcessModifier([] {
                const rlimit limit { 64 * 1024, 64 * 1024 };
                ::setrlimit(RLIMIT_FSIZE, &limit);
                ::signal(SIGXFSZ, SIG_IGN);
            });
        }
        pinCliLocale(cli);
        cli.start(cliPath(),
                  QStringList { "record", row == "a missing port" ? "/nonexistent/tty" : sim.port(),
                                "--seconds", fills ? "20" : "1" }
                      + (row == "no folder given" ? QStringList() : QStringList { "--dir", path }));
        QVERIFY(cli.waitForFinished(60000));
        QCOMPARE(cli.exitCode(), exitCode);
        const QString err = QString::fromUtf8(cli.readAllStandardError());
        const QRegularExpression told("^telvo-cli record: .*" + QRegularExpression::escape(said),
                                      QRegularExpression::MultilineOption);
        QVERIFY2(err.contains(told), qPrintable(err));
        // What the command says was kept is what the files hold.
        const QFileInfoList entries = QDir(folder.path()).entryInfoList(QDir::Files);
        QCOMPARE(entries.size(), files);
        for (const QFileInfo& file : entries) {
            if (file.fileName() != "plain.txt")
                QVERIFY(
                    err.contains(QString("%1（%2 字节）").arg(file.filePath()).arg(file.size())));
        }
    }
};

QTEST_GUILESS_MAIN(TestCliRecord)
#include "tst_clirecord.moc"
