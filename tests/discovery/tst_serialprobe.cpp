// The serial probe against real pseudo-terminals: the simulator as a well-behaved and as
// a misbehaving unit, socat pairs as silent ports.
#include "discovery/SerialProbe.h"

#include "TestSupport.h"

#include <QSerialPort>
#include <QTest>

using gcs::SerialProbe;
using gcs::SerialProbeHit;
using gcs::test::SimProcess;

class TestSerialProbe : public QObject
{
    Q_OBJECT
private slots:
    void repliesAreClassifiedByFrameHeadOrNames_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QString>("product");
        QTest::addColumn<bool>("link");
        QTest::newRow("empty") << QByteArray() << QString() << false;
        QTest::newRow("frame head in noise") << QByteArray("\x01\xAA\x55\x10", 4) << "ins" << true;
        QTest::newRow("split head") << QByteArray("\xAA\x01\x55", 3) << QString() << false;
        QTest::newRow("sentence") << QByteArray("#vorn,softver,V2.1.0*ff\r\n") << "ins" << true;
        QTest::newRow("IMU") << QByteArray("model IMU-200") << "ins" << false;
        QTest::newRow("AHRS") << QByteArray("xxAHRSxx") << "ins" << false;
        QTest::newRow("sins") << QByteArray("SINS ready") << "ins" << false;
        QTest::newRow("ins-") << QByteArray("INS-5") << "ins" << false;
        QTest::newRow("ax7300") << QByteArray("AX7300") << "ins" << false;
        QTest::newRow("other device") << QByteArray("OK\r\n$GPGGA,1*5A") << QString() << false;
        QTest::newRow("hyphenated model") << QByteArray("AX-7300") << QString() << false;
    }
    void repliesAreClassifiedByFrameHeadOrNames()
    {
        QFETCH(QByteArray, reply);
        QFETCH(QString, product);
        QFETCH(bool, link);
        QCOMPARE(SerialProbe::classifyReply(reply), product);
        QCOMPARE(SerialProbe::passesLinkTest(reply), link);
    }

    // What a misbehaving unit (the simulator started with args) answers: a classified
    // reply beginning so, and whether the check before a connect passes.
    void simulatedUnitsAreTold_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("replyStart");
        QTest::addColumn<bool>("link");
        QTest::newRow("only the second command")
            << QStringList { "--stream", "off", "--answer", "info-only" }
            << QByteArray("#vorn,device info,AX-7300,") << true;
        QTest::newRow("only frames") << QStringList { "--answer", "none" } << QByteArray() << true;
        // The first reply already classifies, so the second command is not sent.
        QTest::newRow("names in capitals")
            << QStringList { "--stream", "off", "--reply-style", "upper" }
            << QByteArray("#VORN,SOFTVER,V2.1.0*FF\r\n") << false;
    }
    void simulatedUnitsAreTold()
    {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, replyStart);
        QFETCH(bool, link);
        SimProcess sim;
        QVERIFY2(sim.start(args), qPrintable(sim.errorText()));
        const QByteArray reply = SerialProbe::probePort(sim.port(), 115200);
        QVERIFY(reply.startsWith(replyStart));
        QCOMPARE(SerialProbe::classifyReply(reply), QStringLiteral("ins"));
        QCOMPARE(SerialProbe::tryInsLinkAt(sim.port(), 115200), link);
    }

    void aSweepTakesOneHitPerPortUpToTheMaximum()
    {
        SimProcess odd, fast, slow;
        QVERIFY(odd.start({ "--baud", "57600" }) && fast.start({ "--baud", "460800" })
                && slow.start({ "--baud", "9600" }));
        // No bauds: the six default rates, 460800 the last of them, 57600 not among them.
        QCOMPARE(SerialProbe::probeAllPorts({ odd.port(), fast.port() }, 3, {}),
                 QList<SerialProbeHit>({ { fast.port(), 460800, "ins" } }));
        // The maximum is checked after a whole port: 0 still sweeps the first one.
        QCOMPARE(SerialProbe::probeAllPorts({ slow.port(), fast.port() }, 0, { 19200, 9600 }),
                 QList<SerialProbeHit>({ { slow.port(), 9600, "ins" } }));
    }
};

QTEST_GUILESS_MAIN(TestSerialProbe)
#include "tst_serialprobe.moc"
