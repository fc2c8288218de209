// The decoder at the end of a real serial line: the simulator (an independent encoder)
// or a recorded stream written in small pieces, read by the program's serial transport,
// fed to the bridge as the controller does.
#include "InsTestStreams.h"
#include "TestSupport.h"

#include "ins/InsBridge.h"
#include "ins/TelemetryHub.h"
#include "link/SerialTransport.h"

#include <QSignalSpy>
#include <QTest>
#include <QThread>

using gcs::InsBridge;
using gcs::SerialTransport;
using gcs::TelemetryHub;
using gcs::test::PtyPair;
using gcs::test::RawTty;
using gcs::test::SimProcess;
using gcs::test::waitUntil;

class TestInsOverPty : public QObject
{
    Q_OBJECT

private slots:
    // At 200 frames/s no frame is lost, however the reads split them.
    void simulatorFramesArriveWithoutGaps_data()
    {
        QTest::addColumn<QString>("format");
        QTest::newRow("sinsbin") << "sinsbin";
        QTest::newRow("sinsasc") << "sinsasc";
    }

    void simulatorFramesArriveWithoutGaps()
    {
        QFETCH(QString, format);
        SimProcess sim;
        QVERIFY2(sim.start({ "--format", format, "--rate", "200" }), qPrintable(sim.errorText()));
        SerialTransport link(sim.port(), 115200);
        InsBridge bridge;
        TelemetryHub hub;
        connect(&link, &gcs::ITransport::bytesReceived, &bridge, &InsBridge::feed);
        connect(&bridge, &InsBridge::snapshotReady, &hub, &TelemetryHub::publish);
        QList<double> utc;
        int reads = 0;
        connect(&link, &gcs::ITransport::bytesReceived, this, [&] { ++reads; });
        connect(bridge.model(), &RecDataModel::newValue, this,
                [&](const RecDataStruct& r) { utc << r.utc; });
        QVERIFY(link.open());
        QVERIFY(waitUntil([&] { return utc.size() >= 300; }, 10000));
        link.close();
        for (qsizetype i = 1; i < utc.size(); ++i)
            QVERIFY2(utc[i] == utc[i - 1] + 1,
                     qPrintable(QStringLiteral("frame %1 follows %2").arg(utc[i]).arg(utc[i - 1])));
        QCOMPARE(bridge.packetErrs(), 0);
        QCOMPARE(bridge.parseHint(), QString());
        QCOMPARE(bridge.streamTierLabel(), QStringLiteral("SINS"));
        QVERIFY(waitUntil([&] { return hub.hasFix(); }, 2000));
        QCOMPARE(hub.field("format", "").toString(), format);
        qInfo("%lld records in %d reads", qlonglong(utc.size()), reads);
    }

    // A recorded stream written 7 bytes at a time decodes exactly as from one chunk.
    void recordedStreamInSmallWritesDecodesWhole()
    {
        const gcs::test::InsStream s = gcs::test::loadInsStream(QStringLiteral("mixed_noisy"));
        QVERIFY2(s.error.isEmpty(), qPrintable(s.error));
        PtyPair pair;
        QVERIFY2(pair.start(), qPrintable(pair.errorText()));
        SerialTransport link(pair.endA(), 115200);
        InsBridge bridge;
        gcs::test::InsEventLog log(bridge.model());
        connect(&link, &gcs::ITransport::bytesReceived, &bridge, &InsBridge::feed);
        QVERIFY(link.open());
        RawTty far(pair.endB());
        QVERIFY(far.isOpen());
        const QByteArray data = s.bytes.left(4000);
        for (qsizetype at = 0; at < data.size(); at += 7) {
            QVERIFY(far.write(data.mid(at, 7)));
            if (at % 70 == 0)
                QCoreApplication::processEvents(); // reads of every size, small ones too
        }
        QVERIFY(waitUntil([&] { return bridge.recBytes() == data.size(); }, 10000));

        RecDataModel whole;
        gcs::test::InsEventLog expected(&whole);
        whole.anaylzeRec(data);
        QVERIFY(expected.records > 20);
        QCOMPARE(log.records, expected.records);
        QVERIFY(log.wireTrace == expected.wireTrace);
    }

    void softwareVersionReplyIsReadWhileFramesStream()
    {
        SimProcess sim;
        QVERIFY2(sim.start({ "--format", "imubin", "--rate", "100" }), qPrintable(sim.errorText()));
        SerialTransport link(sim.port(), 115200);
        InsBridge bridge;
        connect(&link, &gcs::ITransport::bytesReceived, &bridge, &InsBridge::feed);
        QVERIFY(link.open());
        QVERIFY(waitUntil([&] { return bridge.recPackets() > 10; }, 5000));
        QVERIFY(link.send("#vorn,get softver*ff\r\n"));
        QVERIFY(waitUntil([&] { return !bridge.softver().isEmpty(); }, 5000));
        QCOMPARE(bridge.softver(), QStringLiteral("V2.1.0"));
        // Frames decode again once the reply has been consumed.
        const int before = bridge.recPackets();
        QVERIFY(waitUntil([&] { return bridge.recPackets() > before + 20; }, 5000));
    }

    void wrongBaudRateShowsTheBaudHint()
    {
        SimProcess sim;
        QVERIFY2(sim.start({ "--format", "sinsbin", "--rate", "200", "--baud", "115200" }),
                 qPrintable(sim.errorText()));
        SerialTransport link(sim.port(), 9600);
        InsBridge bridge;
        connect(&link, &gcs::ITransport::bytesReceived, &bridge, &InsBridge::feed);
        QVERIFY(link.open());
        // What the unit queued before the port opened may still come through intact;
        // start counting once that is past, as the controller does on a new session.
        QVERIFY(waitUntil([&] { return bridge.recBytes() >= 8192; }, 10000));
        bridge.resetParseBuffer();
        QVERIFY(waitUntil([&] { return bridge.recBytes() >= 2048; }, 10000));
        QCOMPARE(bridge.recPackets(), 0);
        QVERIFY2(bridge.parseHint().startsWith(QStringLiteral("已收 "))
                     && bridge.parseHint().endsWith(QStringLiteral(
                         " KB，未发现 AA55 帧头，请核对纳管串口波特率（常用 115200）。")),
                 qPrintable(bridge.parseHint()));
    }
};

QTEST_GUILESS_MAIN(TestInsOverPty)
#include "tst_insoverpty.moc"
