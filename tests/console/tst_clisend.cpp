#include "TestSupport.h"

#include <QDir>
#include <QProcess>
#include <QTest>

/// telvo-cli send against the simulated unit over its pseudo-terminal.
class TestCliSend : public QObject
{
    Q_OBJECT

    gcs::test::SimProcess m_sim;

    struct Run
    {
        int exitCode = -1;
        QStringList out;
        QString err;
    };

    /// Runs "telvo-cli send" with args, the simulator's port standing for "PORT".
    Run send(QStringList args)
    {
        QProcess p;
        gcs::test::pinCliLocale(p);
        p.start(QDir(gcs::test::binDir()).filePath(QStringLiteral("telvo-cli")),
                QStringList { QStringLiteral("send") }
                    + args.replaceInStrings(QStringLiteral("PORT"), m_sim.port()));
        Run run;
        if (p.waitForFinished(20000) && p.exitStatus() == QProcess::NormalExit)
            run.exitCode = p.exitCode();
        run.out = QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        run.err = QString::fromUtf8(p.readAllStandardError());
        return run;
    }

    /// Sends until a reply line starts with reply: a fresh line may lose the first bytes
    /// before the unit looks at its rate. Returns that reply line.
    QString answer(const QStringList& args, const QString& reply)
    {
        for (int attempt = 0; attempt < 4; ++attempt) {
            const Run run = send(QStringList { "PORT", "--wait", "600" } + args);
            if (run.out.value(1).startsWith(reply))
                return run.out.at(1);
        }
        return QString();
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(m_sim.start({ QStringLiteral("--rate"), QStringLiteral("100") }),
                 qPrintable(m_sim.errorText()));
        // The configuration is read with the navigation output off, as the pages do.
        QCOMPARE(send({ "PORT", "--wait", "200", "stop_com1" }).out,
                 QStringList { "> #vorn,stop com1*ff" });
    }

    void commandsAndRawTextGoOutRepliesAreShownAndRefusalsSayWhy()
    {
        // Everything after the command id is an argument, also with a minus sign.
        QCOMPARE(answer({ "set_axis", "-y", "x", "z" }, "axis "), "axis axis=-y x z");
        QCOMPARE(answer({ "--raw", "#vorn,get axis*ff" }, "axis "), "axis axis=-y x z");
        QCOMPARE(send({ "PORT", "--wait", "300", "--hex", "get_gnm" }).out.value(0),
                 "> 23 76 6f 72 6e 2c 67 65 74 20 67 6e 6d 2a 66 66 0d 0a");

        // Refusals in the program's words: 1 for what cannot be sent, 2 for bad arguments.
        const Run unknown = send({ "PORT", "no_such" });
        QCOMPARE(unknown.exitCode, 1);
        QVERIFY(unknown.err.startsWith(QStringLiteral("telvo-cli send: 未知指令：vorn.no_such")));
        QCOMPARE(send({ "/dev/telvo-none", "get_com1" }).exitCode, 1);
        QCOMPARE(send({ "PORT", "--raw", "x", "get_com1" }).exitCode, 2);

        // Options take "=VALUE"; after the command id "-h" and "--help" are arguments too,
        // before it they ask for the help.
        QCOMPARE(send({ "PORT", "--wait=0", "set_axis", "-h", "--help", "z" }).out.value(0),
                 "> #vorn,set axis,-h,--help,z*ff");
        QVERIFY(send({ "--help" }).out.value(0).startsWith("用法：telvo-cli send PORT"));
    }

    // A reply that waited on the line since an earlier run (it came after that run ended)
    // answers nothing that this run sent.
    void repliesFromBeforeTheSendAreNotShown()
    {
        gcs::test::PtyPair pair;
        QVERIFY2(pair.start(), qPrintable(pair.errorText()));
        gcs::test::RawTty unit(pair.endA());
        QVERIFY(unit.write("#vorn,gnm,1,2,3*ff\r\n"));
        QTest::qWait(200);
        QProcess p;
        gcs::test::pinCliLocale(p);
        p.start(QDir(gcs::test::binDir()).filePath(QStringLiteral("telvo-cli")),
                { QStringLiteral("send"), pair.endB(), QStringLiteral("--wait"),
                  QStringLiteral("200"), QStringLiteral("get_softver") });
        QVERIFY(p.waitForFinished(20000));
        QCOMPARE(QString::fromUtf8(p.readAllStandardOutput()), "> #vorn,get softver*ff\n");
    }

    void setCom1MovesTheUnitToTheNewRate()
    {
        const QString moved = QStringLiteral(
            "com1 baudRate=230400 packetFormat=imubin packetFre=50 serialType=422");
        // The reply still comes at the old rate; after it the unit answers at the new one.
        QCOMPARE(answer({ "set_com1", "422", "230400", "50", "imubin" }, "com1 "), moved);
        QCOMPARE(send({ "PORT", "--wait", "500", "get_com1" }).out.size(), 1);
        QCOMPARE(answer({ "--baud", "230400", "get_com1" }, "com1 "), moved);
    }
};

QTEST_GUILESS_MAIN(TestCliSend)
#include "tst_clisend.moc"
