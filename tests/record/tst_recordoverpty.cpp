#include "ins/InsBridge.h"
#include "ins/RecDataModel.h"
#include "ins/TelemetryHub.h"
#include "link/SerialTransport.h"
#include "link/Session.h"
#include "record/Recorder.h"

#include "FrameCounters.h"
#include "TestSupport.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace gcs;
using gcs::test::counterGap;
using gcs::test::messageLogCounters;
using gcs::test::sinsbinCaptureCounters;

/// The recorder behind a real serial link to the simulated unit streaming fast, wired as
/// the controller wires it (hub for the raw bytes, decoder for the message lines).
class TestRecordOverPty : public QObject
{
    Q_OBJECT

private slots:
    void fastStreamIsRecordedWithoutALoss()
    {
        constexpr int kRate = 2000;
        constexpr int kSeconds = 8;
        test::SimProcess sim;
        QVERIFY2(sim.start({ QStringLiteral("--rate"), QString::number(kRate) }),
                 qPrintable(sim.errorText()));
        Session session(QStringLiteral("primary"), QStringLiteral("串口"),
                        std::make_unique<SerialTransport>(sim.port(), 115200));
        TelemetryHub hub;
        InsBridge bridge;
        Recorder recorder;
        connect(&session, &Session::bytesReceived, &hub, &TelemetryHub::ingestRaw);
        connect(&session, &Session::bytesReceived, &bridge, &InsBridge::feed);
        connect(&bridge, &InsBridge::snapshotReady, &hub, &TelemetryHub::publish);
        connect(&hub, &TelemetryHub::rawFrame, &recorder, &Recorder::onRaw);
        connect(bridge.model(), &RecDataModel::wireFrameForLog, &recorder,
                &Recorder::storeInsWireFrame);
        QVERIFY(session.connectTransport());
        QVERIFY(test::waitUntil([&bridge]() { return bridge.recPackets() > 100; }, 5000));

        QTemporaryDir dir;
        QVERIFY(recorder.startInDirectory(dir.path(), bridge.packetFormat(), true));
        QElapsedTimer clock;
        clock.start();
        QTest::qWait(kSeconds * 1000);
        recorder.stop();
        const double seconds = double(clock.elapsed()) / 1000.0;
        session.disconnectTransport();

        QString error;
        const QList<quint32> raw
            = sinsbinCaptureCounters(test::readFileBytes(recorder.rawPath()), &error);
        QVERIFY2(!raw.isEmpty(), qPrintable(error));
        QCOMPARE(counterGap(raw), QString());
        const QList<quint32> lines
            = messageLogCounters(test::readFileBytes(recorder.textPath()), &error);
        QVERIFY2(!lines.isEmpty(), qPrintable(error));
        QCOMPARE(counterGap(lines), QString());
        // The first line may be the frame whose head arrived just before the start.
        QVERIFY(lines.first() == raw.first() || lines.first() + 1 == raw.first());
        QCOMPARE(lines.last(), raw.last());
        qInfo("recorded %lld frames in %.1f s: %.0f frames/s, %.1f KB/s", qint64(raw.size()),
              seconds, raw.size() / seconds, raw.size() * 59 / 1024.0 / seconds);
        // Enough frames to have crossed many chunk and flush boundaries.
        QVERIFY(raw.size() > 1000);
    }
};

QTEST_GUILESS_MAIN(TestRecordOverPty)
#include "tst_recordoverpty.moc"
