// The serial probe against real pseudo-terminals: the simulator as a well-behaved and as
// a misbehaving unit, socat pairs as silent ports.
#include "discovery/SerialProbe.h"

#include "TestSupport.h"

#include <QSerialPort>
#include <QTest>

#include <memory>
#include <vector>

using gcs::SerialProbe;
using gcs::SerialProbeHit;
using gcs::test::PtyPair;
using gcs::test::SimProcess;

namespace {

using Attempts = QList<SerialProbe::Attempt>;

std::unique_ptr<SimProcess> startSim(const QStringList& args)
{
    auto sim = std::make_unique<SimProcess>();
    if (!sim->start(args))
        qWarning("%s", qPrintable(sim->errorText()));
    return sim;
}

QString missingPort()
{
    return QStringLiteral("/nonexistent/ttyNothing");
}

} // namespace

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
        QTest::newRow("frame head inside noise")
            << QByteArray("\x01\x02\xAA\x55\x10", 5) << "ins" << true;
        QTest::newRow("split head") << QByteArray("\xAA\x01\x55", 3) << QString() << false;
        QTest::newRow("sentence") << QByteArray("#vorn,softver,V2.1.0*ff\r\n") << "ins" << true;
        QTest::newRow("sentence in capitals") << QByteArray("#VORN,SOFTVER*FF") << "ins" << false;
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
        const QByteArray before = reply;
        QCOMPARE(SerialProbe::classifyReply(reply), product);
        QCOMPARE(SerialProbe::passesLinkTest(reply), link);
        QCOMPARE(reply, before); // lower-casing works on a copy
    }

    void detectionTriesThePreferredPortAndBaudFirst()
    {
        QCOMPARE(SerialProbe::baudTryOrder(115200, { 9600, 115200 }), QList<int>({ 115200, 9600 }));
        QCOMPARE(SerialProbe::baudTryOrder(0, { 9600, 115200 }), QList<int>({ 9600, 115200 }));
        // A preferred rate that is not listed is still tried first; duplicates of other
        // rates stay.
        QCOMPARE(SerialProbe::baudTryOrder(57600, { 9600, 9600, 57600 }),
                 QList<int>({ 57600, 9600, 9600 }));

        const Attempts attempts = SerialProbe::detectAttempts(
            QStringLiteral("COM7  USB-SERIAL CH340"), 115200, { "COM3", "COM7" }, { 9600, 115200 });
        QCOMPARE(
            attempts,
            Attempts(
                { { "COM7", 115200 }, { "COM7", 9600 }, { "COM3", 9600 }, { "COM3", 115200 } }));

        // Without a preferred port only the listed ones are tried, at the plain order.
        QCOMPARE(
            SerialProbe::detectAttempts(QStringLiteral("   "), 115200, { "COM3", "COM4" },
                                        { 9600, 115200 }),
            Attempts(
                { { "COM3", 9600 }, { "COM3", 115200 }, { "COM4", 9600 }, { "COM4", 115200 } }));
    }

    void aStreamingUnitAnswersOnlyAtItsOwnBaud()
    {
        auto sim = startSim({ "--baud", "230400" });
        QVERIFY(sim->isRunning());
        const QByteArray reply = SerialProbe::probePort(sim->port(), 230400);
        QCOMPARE(SerialProbe::classifyReply(reply), QStringLiteral("ins"));
        QVERIFY(SerialProbe::tryInsLinkAt(sim->port(), 230400));

        // At another rate the unit is heard, but only as noise.
        const QByteArray noise = SerialProbe::probePort(sim->port(), 115200);
        QVERIFY(!noise.isEmpty());
        QCOMPARE(SerialProbe::classifyReply(noise), QString());
        QVERIFY(!SerialProbe::tryInsLinkAt(sim->port(), 115200));
    }

    void aUnitThatAnswersOnlyTheSecondCommandIsFound()
    {
        auto sim = startSim({ "--stream", "off", "--answer", "info-only" });
        QVERIFY(sim->isRunning());
        const QByteArray reply = SerialProbe::probePort(sim->port(), 115200);
        QVERIFY2(reply.startsWith("#vorn,device info,AX-7300,"), reply.constData());
        QCOMPARE(SerialProbe::classifyReply(reply), QStringLiteral("ins"));
        QVERIFY(SerialProbe::tryInsLinkAt(sim->port(), 115200));
    }

    void aUnitThatOnlyStreamsFramesPassesOnTheFrameHead()
    {
        auto sim = startSim({ "--answer", "none" });
        QVERIFY(sim->isRunning());
        const QByteArray reply = SerialProbe::probePort(sim->port(), 115200);
        QVERIFY(reply.contains("\xAA\x55"));
        QVERIFY(!reply.contains("#vorn"));
        QCOMPARE(SerialProbe::classifyReply(reply), QStringLiteral("ins"));
        QVERIFY(SerialProbe::tryInsLinkAt(sim->port(), 115200));
    }

    void aUnitThatNamesItselfInCapitalsClassifiesButFailsTheLinkTest()
    {
        auto sim = startSim({ "--stream", "off", "--reply-style", "upper" });
        QVERIFY(sim->isRunning());
        const QByteArray reply = SerialProbe::probePort(sim->port(), 115200);
        // The first reply already classifies, so the second command is not sent.
        QCOMPARE(reply, QByteArray("#VORN,SOFTVER,V2.1.0*FF\r\n"));
        QCOMPARE(SerialProbe::classifyReply(reply), QStringLiteral("ins"));
        QVERIFY(!SerialProbe::tryInsLinkAt(sim->port(), 115200));
    }

    void silentMissingAndBusyPortsGiveNoAnswer()
    {
        PtyPair pair;
        QVERIFY2(pair.start(), qPrintable(pair.errorText()));
        QCOMPARE(SerialProbe::probePort(pair.endA(), 115200), QByteArray());
        QVERIFY(!SerialProbe::tryInsLinkAt(pair.endA(), 115200));

        QCOMPARE(SerialProbe::probePort(missingPort(), 115200), QByteArray());
        QVERIFY(!SerialProbe::tryInsLinkAt(missingPort(), 115200));

        // A port some connection holds does not open for probing.
        auto sim = startSim({});
        QVERIFY(sim->isRunning());
        QSerialPort holder(sim->port());
        holder.setBaudRate(115200);
        QVERIFY(holder.open(QIODevice::ReadWrite));
        QVERIFY(!SerialProbe::tryInsLinkAt(sim->port(), 115200));
        QCOMPARE(SerialProbe::probePort(sim->port(), 115200), QByteArray());
        holder.close();
        QVERIFY(SerialProbe::tryInsLinkAt(sim->port(), 115200));
    }

    void aSweepWithoutBaudsUsesTheDefaultList()
    {
        auto fast = startSim({ "--baud", "460800" });
        auto odd = startSim({ "--baud", "57600" });
        QVERIFY(fast->isRunning() && odd->isRunning());
        const QList<SerialProbeHit> hits
            = SerialProbe::probeAllPorts({ odd->port(), missingPort(), fast->port() }, 3, {});
        // 57600 is not among the six default rates; 460800, the last one, is.
        QCOMPARE(hits, QList<SerialProbeHit>({ { fast->port(), 460800, "ins" } }));
    }

    void aSweepStopsAfterTheMaximumNumberOfPorts()
    {
        std::vector<std::unique_ptr<SimProcess>> sims;
        QStringList ports;
        const QList<int> bauds { 9600, 19200, 115200, 230400, 9600 };
        for (int baud : bauds) {
            sims.push_back(startSim({ "--baud", QString::number(baud) }));
            QVERIFY(sims.back()->isRunning());
            ports.append(sims.back()->port());
        }
        const QList<SerialProbeHit> hits
            = SerialProbe::probeAllPorts(ports, 3, { 9600, 19200, 115200, 230400 });
        QCOMPARE(hits,
                 QList<SerialProbeHit>({ { ports[0], 9600, "ins" },
                                         { ports[1], 19200, "ins" },
                                         { ports[2], 115200, "ins" } }));
        // The maximum is checked after a whole port: 0 still sweeps the first one.
        QCOMPARE(SerialProbe::probeAllPorts(ports, 0, { 19200, 9600 }),
                 QList<SerialProbeHit>({ { ports[0], 9600, "ins" } }));
    }

    void detectionFindsTheUnitAtAnotherBaudAndFallsBackToOtherPorts()
    {
        auto sim = startSim({ "--baud", "230400" });
        QVERIFY(sim->isRunning());
        const QList<int> bauds = SerialProbe::defaultBaudList();

        gcs::DetectLinkResult found = SerialProbe::runDetectSerialLink(
            sim->port() + QStringLiteral("  Telvo simulator"), 115200, { sim->port() }, bauds);
        QVERIFY(found.ok);
        QCOMPARE(found.port, sim->port());
        QCOMPARE(found.baud, 230400);
        QCOMPARE(found.text(), sim->port() + QStringLiteral(":230400"));

        // The preferred port does not open; the listed ones are tried next.
        found = SerialProbe::runDetectSerialLink(missingPort(), 9600,
                                                 { missingPort(), sim->port() }, bauds);
        QVERIFY(found.ok);
        QCOMPARE(found.port, sim->port());
        QCOMPARE(found.baud, 230400);

        const gcs::DetectLinkResult none
            = SerialProbe::runDetectSerialLink(QString(), 0, { missingPort() }, bauds);
        QVERIFY(!none.ok);
        QCOMPARE(none.port, QString());
        QCOMPARE(none.baud, 0);
        QCOMPARE(none.text(), QString());
    }
};

QTEST_GUILESS_MAIN(TestSerialProbe)
#include "tst_serialprobe.moc"
