#include "TestSupport.h"

#include "link/LocalIp.h"
#include "link/TcpTransport.h"
#include "link/UdpTransport.h"

#include <QNetworkDatagram>
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
    void udpSendsToTheFixedRemoteAndRelaysEveryDatagram()
    {
        UdpTransport blank(QString(), 9000, QStringLiteral("10.0.0.2"), 7);
        QCOMPARE(blank.description(), QStringLiteral("UDP :9000 → 10.0.0.2:7"));
        UdpTransport scoped(QString(), 9000, QStringLiteral("fe80::1%2"), 7);
        QCOMPARE(scoped.description(), QStringLiteral("UDP :9000 → fe80::1%2:7"));
        // "0.0.0.0", empty and blank text all mean any local address.
        for (const char* any : { "0.0.0.0", " 0.0.0.0 ", "", "   " })
            QCOMPARE(normalizedLocalIp(any), QString());
        QCOMPARE(normalizedLocalIp(" 192.168.1.5"), QStringLiteral("192.168.1.5"));
        QUdpSocket remote;
        QVERIFY(remote.bind(QHostAddress::LocalHost, 0));
        UdpTransport t("127.0.0.1", 0, "127.0.0.1", remote.localPort());
        QSignalSpy state(&t, &ITransport::stateChanged);
        QVERIFY(t.open() && t.open());
        QCOMPARE(state.count(), 1);
        QVERIFY(t.send("hello"));
        QVERIFY(waitUntil([&] { return remote.hasPendingDatagrams(); }, 2000));
        QCOMPARE(remote.receiveDatagram().data(), QByteArray("hello"));

        // Datagrams from any sender are relayed, one signal each.
        QSignalSpy received(&t, &ITransport::bytesReceived);
        QUdpSocket stranger;
        stranger.writeDatagram("abc", QHostAddress::LocalHost, t.boundPort());
        stranger.writeDatagram("defg", QHostAddress::LocalHost, t.boundPort());
        QVERIFY(waitUntil([&] { return received.count() == 2; }, 2000));
        t.close();
        QVERIFY(state.count() == 2 && !t.send("late"));

        // A port that is taken: closed, then the reason; a later open can succeed.
        UdpTransport taken("127.0.0.1", remote.localPort(), "127.0.0.1", 1);
        QSignalSpy errors(&taken, &ITransport::errorOccurred);
        QVERIFY(!taken.open() && errors.count() == 1);
        remote.close();
        QVERIFY(taken.open());
    }

    void tcpIsOpenWhileListeningAndServesTheLatestClient()
    {
        TcpTransport t(0);
        QCOMPARE(t.description(), QStringLiteral("TCP listen :0"));
        QVERIFY(t.open() && t.isOpen());
        QVERIFY(!t.send("nobody")); // no client yet
        QTcpSocket first;
        first.connectToHost(QHostAddress::LocalHost, t.serverPort());
        QVERIFY(first.waitForConnected(2000));
        QVERIFY(waitUntil([&] { return t.hasClient(); }, 2000));
        QSignalSpy state(&t, &ITransport::stateChanged);
        QTcpSocket second;
        second.connectToHost(QHostAddress::LocalHost, t.serverPort());
        QVERIFY(second.waitForConnected(2000));
        // The first client is dropped once the second arrives; data goes to the second.
        QVERIFY(
            waitUntil([&] { return first.state() == QAbstractSocket::UnconnectedState; }, 3000));
        QVERIFY(t.send("to second"));
        QVERIFY(waitUntil([&] { return second.bytesAvailable() >= 9; }, 2000));
        QCOMPARE(second.readAll(), QByteArray("to second"));
        QSignalSpy received(&t, &ITransport::bytesReceived);
        second.write("reply");
        QVERIFY(waitUntil([&] { return received.count() > 0; }, 2000));
        // A client leaving keeps the listener open.
        const qsizetype before = state.count();
        second.disconnectFromHost();
        QVERIFY(waitUntil([&] { return state.count() > before; }, 2000));
        QVERIFY(state.last().at(0).toBool() && t.isOpen());
        t.close();
        QVERIFY(!state.last().at(0).toBool() && !t.isOpen() && !t.send("closed"));
    }
};

QTEST_GUILESS_MAIN(TestNetworkTransports)
#include "tst_networktransports.moc"
