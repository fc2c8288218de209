#include "TestSupport.h"

#include "link/TcpTransport.h"
#include "link/UdpTransport.h"

#include <QSignalSpy>
#include <QTcpSocket>
#include <QTest>
#include <QUdpSocket>

using namespace gcs;
using gcs::test::waitUntil;

class TestNetworkTransports : public QObject
{
    Q_OBJECT
private slots:
    void udpDescribesBothEnds()
    {
        UdpTransport t(QStringLiteral("0.0.0.0"), 9000, QStringLiteral("192.168.1.10"), 9001);
        QCOMPARE(t.description(), QStringLiteral("UDP 0.0.0.0:9000 → 192.168.1.10:9001"));
        QCOMPARE(t.kind(), TransportKind::Udp);
        UdpTransport blank(QString(), 9000, QStringLiteral("10.0.0.2"), 7);
        QCOMPARE(blank.description(), QStringLiteral("UDP :9000 → 10.0.0.2:7"));
        // Network links have no serial features.
        QCOMPARE(t.baudRate(), 0);
        QVERIFY(!t.applyBaudRate(115200));
        QVERIFY(t.readInbound().isEmpty());
    }

    void udpSendsToTheFixedRemoteWhoeverReplies()
    {
        QUdpSocket remote;
        QVERIFY(remote.bind(QHostAddress::LocalHost, 0));
        UdpTransport t(QStringLiteral("127.0.0.1"), 0, QStringLiteral("127.0.0.1"),
                       remote.localPort());
        QVERIFY(!t.send("early")); // not bound
        QSignalSpy state(&t, &ITransport::stateChanged);
        QVERIFY(t.open());
        QVERIFY(t.open());
        QCOMPARE(state.count(), 1);

        QVERIFY(t.send("hello"));
        QVERIFY(t.send("world"));
        QVERIFY(waitUntil([&] { return remote.hasPendingDatagrams(); }, 2000));
        QByteArray first(int(remote.pendingDatagramSize()), '\0');
        remote.readDatagram(first.data(), first.size());
        QCOMPARE(first, QByteArray("hello"));

        // Datagrams from an unrelated sender are relayed too, one signal each.
        QList<QByteArray> received;
        connect(&t, &ITransport::bytesReceived, this,
                [&](const QByteArray& d) { received << d; });
        QUdpSocket stranger;
        stranger.writeDatagram("abc", QHostAddress::LocalHost, t.boundPort());
        stranger.writeDatagram("defg", QHostAddress::LocalHost, t.boundPort());
        QVERIFY(waitUntil([&] { return received.size() == 2; }, 2000));
        QCOMPARE(received, (QList<QByteArray> { "abc", "defg" }));

        t.close();
        QCOMPARE(state.count(), 2);
        QVERIFY(!t.isOpen());
        QVERIFY(!t.send("late"));
    }

    void udpBindFailureReportsAndCanRetry()
    {
        QUdpSocket holder;
        QVERIFY(holder.bind(QHostAddress::LocalHost, 0));
        UdpTransport t(QStringLiteral("127.0.0.1"), holder.localPort(),
                       QStringLiteral("127.0.0.1"), 1);
        QSignalSpy state(&t, &ITransport::stateChanged);
        QSignalSpy errors(&t, &ITransport::errorOccurred);
        QVERIFY(!t.open());
        QCOMPARE(state.count(), 1);
        QCOMPARE(state.at(0).at(0).toBool(), false);
        QCOMPARE(errors.count(), 1);
        holder.close();
        QVERIFY(t.open());
    }

    void tcpIsOpenWhileListeningAndServesTheLatestClient()
    {
        TcpTransport t(0);
        QCOMPARE(t.description(), QStringLiteral("TCP listen :0"));
        QSignalSpy state(&t, &ITransport::stateChanged);
        QVERIFY(t.open());
        QVERIFY(t.isOpen());
        QVERIFY(!t.send("nobody")); // no client yet

        QTcpSocket first;
        first.connectToHost(QHostAddress::LocalHost, t.serverPort());
        QVERIFY(first.waitForConnected(2000));
        QVERIFY(waitUntil([&] { return t.hasClient(); }, 2000));
        QVERIFY(t.send("to first"));
        QVERIFY(waitUntil([&] { return first.bytesAvailable() >= 8; }, 2000));
        QCOMPARE(first.readAll(), QByteArray("to first"));

        QByteArray got;
        connect(&t, &ITransport::bytesReceived, this, [&](const QByteArray& d) { got += d; });
        QTcpSocket second;
        second.connectToHost(QHostAddress::LocalHost, t.serverPort());
        QVERIFY(second.waitForConnected(2000));
        // The first client is dropped by the server once the second arrives.
        QVERIFY(waitUntil([&] { return first.state() == QAbstractSocket::UnconnectedState; },
                          3000));
        QVERIFY(t.send("to second"));
        QVERIFY(waitUntil([&] { return second.bytesAvailable() >= 9; }, 2000));
        QCOMPARE(second.readAll(), QByteArray("to second"));
        second.write("reply");
        QVERIFY(waitUntil([&] { return got == "reply"; }, 2000));

        const int before = state.count();
        t.close();
        QVERIFY(!t.isOpen());
        QCOMPARE(state.count(), before + 1);
        QCOMPARE(state.last().at(0).toBool(), false);
        QVERIFY(!t.send("closed"));
    }

    void tcpClientLeavingKeepsTheListenerOpen()
    {
        TcpTransport t(0);
        QVERIFY(t.open());
        QList<bool> states;
        connect(&t, &ITransport::stateChanged, this, [&](bool s) { states << s; });
        {
            QTcpSocket client;
            client.connectToHost(QHostAddress::LocalHost, t.serverPort());
            QVERIFY(client.waitForConnected(2000));
            QVERIFY(waitUntil([&] { return !states.isEmpty(); }, 2000));
            client.disconnectFromHost();
        }
        QVERIFY(waitUntil([&] { return states.size() == 2; }, 2000));
        QCOMPARE(states, (QList<bool> { true, true }));
        QVERIFY(t.isOpen());
    }
};

QTEST_GUILESS_MAIN(TestNetworkTransports)
#include "tst_networktransports.moc"
