#include "TestSupport.h"

#include "link/SerialPortName.h"
#include "link/SerialTransport.h"
#include "link/Session.h"

#include <QSignalSpy>
#include <QTest>

#include <thread>

using namespace gcs;
using gcs::test::PtyPair;
using gcs::test::RawTty;
using gcs::test::waitUntil;

class TestSerialTransport : public QObject
{
    Q_OBJECT
private slots:
    // The name a port is opened with, and the port that a list entry or typed text names.
    void portNamesTakeOneForm_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("opened");
        QTest::addColumn<QString>("key");
        const auto row = [](const char* input, const char* opened, const char* key) {
            QTest::newRow(input) << QString(input) << QString(opened) << QString(key);
        };
        // Above COM9 the Windows device namespace is needed.
        row("COM12", "\\\\.\\COM12", "COM12");
        row("com15", "\\\\.\\com15", "com15");
        row("COM10", "\\\\.\\COM10", "COM10");
        row("COM9", "COM9", "COM9");
        row("COM3 (USB serial)", "COM3", "COM3");
        row("COM21  CH340", "\\\\.\\COM21", "COM21");
        row("COMX", "COMX", "COMX");
        row("  /dev/ttyS1  ", "/dev/ttyS1", "/dev/ttyS1");
        row("", "", "");
    }
    void portNamesTakeOneForm()
    {
        QFETCH(QString, input);
        QFETCH(QString, opened);
        QFETCH(QString, key);
        QCOMPARE(normalizedSerialPortName(input), opened);
        QCOMPARE(portKeyFromText(input), key);
    }

    void openCloseAndSendWorkOnARealLine()
    {
        SerialTransport missing(QStringLiteral("/nonexistent/ttyNothing"), 115200);
        QSignalSpy failed(&missing, &ITransport::stateChanged);
        connect(&missing, &ITransport::errorOccurred, this,
                [&] { QCOMPARE(failed.count(), 1); }); // closed first, then the reason
        QVERIFY(!missing.open() && !failed.at(0).at(0).toBool());

        PtyPair pair;
        QVERIFY2(pair.start(), qPrintable(pair.errorText()));
        auto t = std::make_unique<SerialTransport>(pair.endA(), 115200);
        QSignalSpy state(t.get(), &ITransport::stateChanged);
        QVERIFY(!t->send("x") && !t->sendBlocking("x")); // not open
        QVERIFY(t->open() && t->open());
        QCOMPARE(state.count(), 1); // announced once
        QVERIFY(!t->send(QByteArray()) && !t->sendBlocking(QByteArray()));
        RawTty far(pair.endB());
        QVERIFY(t->send("#vorn,get softver*ff\r\n"));
        QCOMPARE(far.read(1000, 22), QByteArray("#vorn,get softver*ff\r\n"));
        QByteArray got;
        connect(t.get(), &ITransport::bytesReceived, this, [&](const QByteArray& d) { got += d; });
        QVERIFY(far.write("stale bytes"));
        QTest::qSleep(200); // arrived, not yet read
        t->discardInbound();
        QVERIFY(far.write(QByteArray(3000, 'f')));
        QVERIFY(waitUntil([&] { return got == QByteArray(3000, 'f'); }, 3000));
        t->close();
        t->close();
        QVERIFY(t->open());
        t.reset(); // destroying an open transport announces the close
        QVERIFY(state.count() == 4 && !state.last().at(0).toBool());
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
        QVERIFY(ok && got == payload);
    }

    void aFarEndThatGoesAwayIsReportedOnceAsALostLink()
    {
        PtyPair pair;
        QVERIFY2(pair.start(), qPrintable(pair.errorText()));
        QStringList events; // outlives the session, which announces its close when it goes
        Session session(QStringLiteral("dev"), QStringLiteral("串口"),
                        std::make_unique<SerialTransport>(pair.endA(), 115200));
        QVERIFY(session.connectTransport());
        connect(&session, &Session::linkLost, this, [&] { events << "lost"; });
        connect(&session, &Session::errorOccurred, this, [&] { events << "error"; });
        connect(&session, &Session::connectedChanged, this,
                [&] { events << (session.isConnected() ? "open" : "closed"); });
        pair.stop();
        QVERIFY(waitUntil([&] { return !session.isConnected(); }, 5000));
        // The dead port keeps signalling inside the library; only the first error gets out.
        QTest::qWait(500);
        QCOMPARE(events, QStringList({ "lost", "error", "closed" }));
    }
};

QTEST_GUILESS_MAIN(TestSerialTransport)
#include "tst_serialtransport.moc"
