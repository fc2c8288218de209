#include "TestSupport.h"

#include "link/SerialTransport.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

#include <thread>

using namespace gcs;
using gcs::test::PtyPair;
using gcs::test::RawTty;
using gcs::test::SimProcess;
using gcs::test::waitUntil;

namespace {

QByteArray collect(SerialTransport& t, int bytes, int timeoutMs)
{
    QByteArray got;
    auto c = QObject::connect(&t, &ITransport::bytesReceived,
                              [&got](const QByteArray& d) { got += d; });
    waitUntil([&] { return got.size() >= bytes; }, timeoutMs);
    QObject::disconnect(c);
    return got;
}

} // namespace

class TestSerialTransport : public QObject
{
    Q_OBJECT
private slots:
    void openTwiceAnnouncesOnce()
    {
        PtyPair pair;
        QVERIFY2(pair.start(), qPrintable(pair.errorText()));
        SerialTransport t(pair.endA(), 115200);
        QSignalSpy state(&t, &ITransport::stateChanged);
        QSignalSpy errors(&t, &ITransport::errorOccurred);
        QVERIFY(!t.isOpen());
        QVERIFY(t.open());
        QVERIFY(t.open());
        QCOMPARE(state.count(), 1);
        QCOMPARE(state.at(0).at(0).toBool(), true);
        QCOMPARE(errors.count(), 0);
        t.close();
        t.close();
        QCOMPARE(state.count(), 2);
        QCOMPARE(state.at(1).at(0).toBool(), false);
    }

    void failedOpenReportsStateThenOneError()
    {
        SerialTransport t(QStringLiteral("/nonexistent/ttyNothing"), 115200);
        QList<QString> events;
        connect(&t, &ITransport::stateChanged, this,
                [&](bool open) { events << (open ? "open" : "closed"); });
        connect(&t, &ITransport::errorOccurred, this, [&](const QString& m) {
            QVERIFY(!m.isEmpty());
            events << "error";
        });
        QVERIFY(!t.open());
        QCOMPARE(events, (QList<QString> { "closed", "error" }));
        QVERIFY(!t.isOpen());
    }

    void sendAndReceiveOverARealLine()
    {
        PtyPair pair;
        QVERIFY2(pair.start(), qPrintable(pair.errorText()));
        SerialTransport t(pair.endA(), 115200);
        QVERIFY(t.open());
        RawTty far(pair.endB());
        QVERIFY(far.isOpen());

        QVERIFY(t.send("#vorn,get softver*ff\r\n"));
        QCOMPARE(far.read(1000, 22), QByteArray("#vorn,get softver*ff\r\n"));

        QByteArray payload;
        for (int i = 0; i < 3000; ++i)
            payload.append(char(i * 7));
        QVERIFY(far.write(payload));
        QCOMPARE(collect(t, payload.size(), 3000), payload);
    }

    void sendRefusesEmptyAndClosed()
    {
        PtyPair pair;
        QVERIFY2(pair.start(), qPrintable(pair.errorText()));
        SerialTransport t(pair.endA(), 115200);
        QVERIFY(!t.send("x")); // not open
        QVERIFY(t.open());
        QVERIFY(!t.send(QByteArray()));
        QVERIFY(!t.sendBlocking(QByteArray()));
        t.close();
        QVERIFY(!t.sendBlocking("x"));
    }

    void sendBlockingReturnsOnlyWhenEverythingIsWritten()
    {
        PtyPair pair;
        QVERIFY2(pair.start(), qPrintable(pair.errorText()));
        SerialTransport t(pair.endA(), 115200);
        QVERIFY(t.open());
        RawTty far(pair.endB());

        // Far more than the line buffers hold: the write completes in many steps while
        // socat relays. Closing right after the call would throw away anything the
        // serial library still held, so every byte arriving proves the wait was whole.
        QByteArray payload(1 << 20, '\0');
        for (int i = 0; i < payload.size(); ++i)
            payload[i] = char((i * 131) >> 3);
        QByteArray got;
        std::thread reader([&] { got = far.read(10000, payload.size()); });
        const bool ok = t.sendBlocking(payload);
        t.close();
        reader.join();
        QVERIFY(ok);
        QCOMPARE(got.size(), payload.size());
        QVERIFY(got == payload);
    }

    void readInboundIsEmptyWhenClosedOrIdle()
    {
        PtyPair pair;
        QVERIFY2(pair.start(), qPrintable(pair.errorText()));
        SerialTransport t(pair.endA(), 115200);
        QCOMPARE(t.readInbound(), QByteArray());
        QVERIFY(t.open());
        QCOMPARE(t.readInbound(), QByteArray());
    }

    void discardInboundDropsUnreadBytes()
    {
        PtyPair pair;
        QVERIFY2(pair.start(), qPrintable(pair.errorText()));
        SerialTransport t(pair.endA(), 115200);
        QVERIFY(t.open());
        RawTty far(pair.endB());
        QVERIFY(far.write("stale bytes"));
        QTest::qSleep(200);
        t.discardInbound();
        QVERIFY(far.write("fresh"));
        QCOMPARE(collect(t, 5, 2000), QByteArray("fresh"));
    }

    void descriptionNamesPortAndBaud()
    {
        SerialTransport t(QStringLiteral("COM3"), 460800);
        QCOMPARE(t.description(), QStringLiteral("Serial: COM3 @ 460800"));
        QCOMPARE(t.kind(), TransportKind::Serial);
        SerialTransport high(QStringLiteral("COM12  USB"), 115200);
        QCOMPARE(high.portName(), QStringLiteral("\\\\.\\COM12"));
        QCOMPARE(high.description(), QStringLiteral("Serial: \\\\.\\COM12 @ 115200"));
        high.setPort(QStringLiteral("COM4 x"));
        QCOMPARE(high.portName(), QStringLiteral("COM4"));
        QVERIFY(high.applyBaudRate(9600));
        QCOMPARE(high.baudRate(), 9600);
    }

    void reopenAtMovesTheLineToAnotherBaud()
    {
        // The simulator only talks sense when the line runs at its own rate, so what it
        // sends tells whether the new rate reached the line.
        SimProcess sim;
        QVERIFY2(sim.start({ "--baud", "115200", "--rate", "100" }), qPrintable(sim.errorText()));
        SerialTransport t(sim.port(), 115200);
        QSignalSpy state(&t, &ITransport::stateChanged);
        QVERIFY(t.open());
        QVERIFY(collect(t, 2000, 3000).contains("\xAA\x55"));

        QVERIFY(t.reopenAt(9600));
        QCOMPARE(t.baudRate(), 9600);
        // Only the final state is announced: open, then open again.
        QCOMPARE(state.count(), 2);
        QVERIFY(state.at(1).at(0).toBool());
        QTest::qWait(200);
        t.discardInbound();
        const QByteArray garbage = collect(t, 3000, 1500);
        QVERIFY(!garbage.isEmpty());
        QVERIFY(!garbage.contains("\xAA\x55"));

        QVERIFY(t.reopenAt(115200));
        QTest::qWait(200);
        QVERIFY(collect(t, 3000, 3000).contains("\xAA\x55"));
    }

    void farEndGoingAwayIsReportedOnceAndCloses()
    {
        PtyPair pair;
        QVERIFY2(pair.start(), qPrintable(pair.errorText()));
        SerialTransport t(pair.endA(), 115200);
        QVERIFY(t.open());
        QSignalSpy errors(&t, &ITransport::errorOccurred);
        QSignalSpy state(&t, &ITransport::stateChanged);
        pair.stop();
        QVERIFY(waitUntil([&] { return !t.isOpen(); }, 5000));
        QCOMPARE(state.count(), 1);
        QCOMPARE(state.at(0).at(0).toBool(), false);
        // The dead port keeps raising errors inside the library; none of them may reach
        // the owner after the first.
        QTest::qWait(500);
        QCOMPARE(errors.count(), 1);
        QVERIFY(!errors.at(0).at(0).toString().isEmpty());

        // The transport stays usable: once the line is back it opens again.
        PtyPair again;
        QVERIFY2(again.start(), qPrintable(again.errorText()));
        t.setPort(again.endA());
        QVERIFY(t.open());
        RawTty far(again.endB());
        QVERIFY(t.send("back"));
        QCOMPARE(far.read(1000, 4), QByteArray("back"));
    }

    void destroyingAnOpenTransportAnnouncesTheClose()
    {
        PtyPair pair;
        QVERIFY2(pair.start(), qPrintable(pair.errorText()));
        auto* t = new SerialTransport(pair.endA(), 115200);
        QVERIFY(t->open());
        QList<bool> states;
        connect(t, &ITransport::stateChanged, this, [&](bool open) { states << open; });
        delete t;
        QCOMPARE(states, (QList<bool> { false }));
    }
};

QTEST_GUILESS_MAIN(TestSerialTransport)
#include "tst_serialtransport.moc"
