#include "TestSupport.h"

#include <QDir>
#include <QProcess>
#include <QTest>

using gcs::test::SimProcess;

namespace {

struct CliRun
{
    int exitCode = -1;
    QStringList out;
    QString err;
};

CliRun runCli(const QStringList& args, int timeoutMs = 20000)
{
    QProcess p;
    p.start(QDir(gcs::test::binDir()).filePath(QStringLiteral("telvo-cli")), args);
    CliRun run;
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished();
        run.err = QStringLiteral("timed out");
        return run;
    }
    run.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    run.out = QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    run.err = QString::fromUtf8(p.readAllStandardError());
    return run;
}

} // namespace

/// telvo-cli send against the simulated unit over its pseudo-terminal.
class TestCliSend : public QObject
{
    Q_OBJECT

    SimProcess m_sim;

    CliRun send(QStringList args)
    {
        args.prepend(m_sim.port());
        args.prepend(QStringLiteral("send"));
        return runCli(args);
    }

    /// Sends a command until it is answered with a line starting with reply: a fresh
    /// line may lose the first bytes before the unit looks at its rate.
    CliRun sendUntilAnswered(const QStringList& args, const QString& reply)
    {
        CliRun run;
        for (int attempt = 0; attempt < 4; ++attempt) {
            run = send(QStringList { QStringLiteral("--wait"), QStringLiteral("600") } + args);
            if (run.out.size() >= 2 && run.out.at(1).startsWith(reply))
                break;
        }
        return run;
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(m_sim.start({ QStringLiteral("--rate"), QStringLiteral("100") }),
                 qPrintable(m_sim.errorText()));
        // The configuration is read with the navigation output off, as the pages do.
        const CliRun stop = send(
            { QStringLiteral("--wait"), QStringLiteral("200"), QStringLiteral("stop_com1") });
        QCOMPARE(stop.exitCode, 0);
        QCOMPARE(stop.out, QStringList({ QStringLiteral("> #vorn,stop com1*ff") }));
    }

    void readsAreAnsweredWithTheirValues()
    {
        const CliRun com1
            = sendUntilAnswered({ QStringLiteral("get_com1") }, QStringLiteral("com1 "));
        QCOMPARE(com1.exitCode, 0);
        QCOMPARE(com1.out,
                 QStringList({ QStringLiteral("> #vorn,get com1*ff"),
                               QStringLiteral("com1 baudRate=115200 packetFormat=sinsbin "
                                              "packetFre=100 serialType=422") }));
        const CliRun ver
            = sendUntilAnswered({ QStringLiteral("get_softver") }, QStringLiteral("softver "));
        QCOMPARE(ver.out.value(1), QStringLiteral("softver softver=V2.1.0"));
        const CliRun gnm = sendUntilAnswered({ QStringLiteral("get_gnm") }, QStringLiteral("gnm "));
        QCOMPARE(gnm.out.value(1), QStringLiteral("gnm x=0 y=0 z=0"));
        const CliRun factory
            = sendUntilAnswered({ QStringLiteral("get_factory") }, QStringLiteral("factory "));
        QVERIFY(factory.out.value(1).startsWith(
            QStringLiteral("factory biasx=0 biasy=0 biasz=0 kg1xy=0")));
        QVERIFY(factory.out.value(1).contains(QStringLiteral(" sn=240601 ")));
    }

    void writesChangeWhatIsReadBack()
    {
        // Arguments may begin with a minus sign.
        const CliRun axis = sendUntilAnswered({ QStringLiteral("set_axis"), QStringLiteral("-y"),
                                                QStringLiteral("x"), QStringLiteral("z") },
                                              QStringLiteral("axis "));
        QCOMPARE(axis.out.value(0), QStringLiteral("> #vorn,set axis,-y,x,z*ff"));
        QCOMPARE(axis.out.value(1), QStringLiteral("axis axis=-y x z"));
        const CliRun gnss = sendUntilAnswered(
            { QStringLiteral("set_gnss"), QStringLiteral("-2.5") }, QStringLiteral("gnss "));
        QCOMPARE(gnss.out.value(1), QStringLiteral("gnss gnssYaw=-2.5"));
        const CliRun extrap = sendUntilAnswered({ QStringLiteral("get_extrap_time") },
                                                QStringLiteral("extrapolate time "));
        QCOMPARE(extrap.out.value(1), QStringLiteral("extrapolate time extrapMs=0"));
        const CliRun readBack
            = sendUntilAnswered({ QStringLiteral("get_gnss") }, QStringLiteral("gnss "));
        QCOMPARE(readBack.out.value(1), QStringLiteral("gnss gnssYaw=-2.5"));
    }

    void rawTextIsFramedAsTheConsoleFramesIt()
    {
        const CliRun raw
            = sendUntilAnswered({ QStringLiteral("--raw"), QStringLiteral("#vorn,get axis*ff") },
                                QStringLiteral("axis "));
        QCOMPARE(raw.exitCode, 0);
        QCOMPARE(raw.out.value(0), QStringLiteral("> #vorn,get axis*ff"));
        const CliRun hex
            = send({ QStringLiteral("--wait"), QStringLiteral("0"), QStringLiteral("--hex"),
                     QStringLiteral("--raw"), QStringLiteral("aa 55 01 02") });
        QCOMPARE(hex.exitCode, 0);
        QCOMPARE(hex.out, QStringList({ QStringLiteral("> aa 55 01 02") }));
        const CliRun cmdHex = send({ QStringLiteral("--wait"), QStringLiteral("0"),
                                     QStringLiteral("--hex"), QStringLiteral("get_gnm") });
        QCOMPARE(cmdHex.out.value(0),
                 QStringLiteral("> 23 76 6f 72 6e 2c 67 65 74 20 67 6e 6d 2a 66 66 0d 0a"));
    }

    void refusalsUseTheProgramsWords()
    {
        const CliRun unknown = send({ QStringLiteral("no_such") });
        QCOMPARE(unknown.exitCode, 1);
        QVERIFY(unknown.err.contains(QStringLiteral("未知指令：vorn.no_such")));
        QVERIFY(unknown.out.isEmpty());

        const CliRun text = send({ QStringLiteral("--raw"), QStringLiteral("AA 55 01") });
        QCOMPARE(text.exitCode, 1);
        QVERIFY(text.err.contains(QStringLiteral("内容像二进制 Hex（如 AA 55 …）")));
        const CliRun odd
            = send({ QStringLiteral("--hex"), QStringLiteral("--raw"), QStringLiteral("AA5") });
        QCOMPARE(odd.exitCode, 1);
        QVERIFY(odd.err.contains(QStringLiteral("Hex 字节须成对书写")));

        const CliRun noPort = runCli({ QStringLiteral("send"), QStringLiteral("/dev/telvo-none"),
                                       QStringLiteral("get_com1") });
        QCOMPARE(noPort.exitCode, 1);
        QVERIFY(noPort.err.startsWith(QStringLiteral("telvo-cli send: ")));
        QVERIFY(noPort.err.size() > int(sizeof("telvo-cli send: ")));

        const CliRun noCommand = runCli({ QStringLiteral("send"), m_sim.port() });
        QCOMPARE(noCommand.exitCode, 2);
        const CliRun both = runCli({ QStringLiteral("send"), m_sim.port(), QStringLiteral("--raw"),
                                     QStringLiteral("x"), QStringLiteral("get_com1") });
        QCOMPARE(both.exitCode, 2);
    }

    void setCom1MovesTheUnitToTheNewRate()
    {
        const CliRun set = sendUntilAnswered({ QStringLiteral("set_com1"), QStringLiteral("422"),
                                               QStringLiteral("230400"), QStringLiteral("50"),
                                               QStringLiteral("imubin") },
                                             QStringLiteral("com1 "));
        // The reply still comes at the old rate.
        QCOMPARE(set.out.value(1),
                 QStringLiteral("com1 baudRate=230400 packetFormat=imubin "
                                "packetFre=50 serialType=422"));
        // At the old rate the unit no longer understands; at the new one it answers.
        const CliRun old
            = send({ QStringLiteral("--wait"), QStringLiteral("500"), QStringLiteral("get_com1") });
        QCOMPARE(old.out.size(), 1);
        const CliRun now = sendUntilAnswered(
            { QStringLiteral("--baud"), QStringLiteral("230400"), QStringLiteral("get_com1") },
            QStringLiteral("com1 "));
        QCOMPARE(now.out.value(1),
                 QStringLiteral("com1 baudRate=230400 packetFormat=imubin "
                                "packetFre=50 serialType=422"));
        const CliRun reset
            = send({ QStringLiteral("--baud"), QStringLiteral("230400"), QStringLiteral("--wait"),
                     QStringLiteral("300"), QStringLiteral("reset_user_flash") });
        QCOMPARE(reset.exitCode, 0);
        const CliRun back
            = sendUntilAnswered({ QStringLiteral("get_com1") }, QStringLiteral("com1 "));
        QCOMPARE(back.out.value(1),
                 QStringLiteral("com1 baudRate=115200 packetFormat=sinsbin "
                                "packetFre=100 serialType=422"));
    }
};

QTEST_GUILESS_MAIN(TestCliSend)
#include "tst_clisend.moc"
