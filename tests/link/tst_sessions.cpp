#include "TestSupport.h"

#include "link/Session.h"
#include "link/SessionManager.h"
#include "link/TcpTransport.h"
#include "link/UdpTransport.h"

#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QUdpSocket>

using namespace gcs;
using gcs::test::waitUntil;

namespace {

std::unique_ptr<ITransport> udpTo(quint16 remotePort)
{
    return std::make_unique<UdpTransport>(QStringLiteral("127.0.0.1"), 0,
                                          QStringLiteral("127.0.0.1"), remotePort);
}

Session* udpSession(const QString& id, quint16 remotePort = 9)
{
    return new Session(id, QStringLiteral("UDP"), udpTo(remotePort));
}

} // namespace

class TestSessions : public QObject
{
    Q_OBJECT
private slots:
    void receiveCounterIsUpdatedBeforeTheChunkIsRelayed()
    {
        auto transport = udpTo(9);
        auto* udp = static_cast<UdpTransport*>(transport.get());
        Session s(QStringLiteral("dev"), QStringLiteral("UDP"), std::move(transport));
        QVERIFY(s.connectTransport());
        qint64 seenInHandler = -1;
        QByteArray chunk;
        connect(&s, &Session::bytesReceived, this, [&](const QByteArray& d) {
            seenInHandler = s.rxBytes();
            chunk = d;
        });
        QSignalSpy stats(&s, &Session::statsChanged);
        QUdpSocket peer;
        peer.writeDatagram(QByteArray(12, 'z'), QHostAddress::LocalHost, udp->boundPort());
        QVERIFY(waitUntil([&] { return !chunk.isEmpty(); }, 2000));
        QCOMPARE(seenInHandler, 12);
        QCOMPARE(chunk, QByteArray(12, 'z'));
        QCOMPARE(stats.count(), 1);
    }

    void onlySuccessfulSendsCount()
    {
        QUdpSocket remote;
        QVERIFY(remote.bind(QHostAddress::LocalHost, 0));
        Session s(QStringLiteral("dev"), QStringLiteral("UDP"), udpTo(remote.localPort()));
        QVERIFY(!s.send("closed"));
        QCOMPARE(s.txBytes(), 0);
        QVERIFY(s.connectTransport());
        QSignalSpy stats(&s, &Session::statsChanged);
        QVERIFY(s.send("12345"));
        QCOMPARE(s.txBytes(), 5);
        QCOMPARE(stats.count(), 1);

        // A listening TCP link is open but has no client: its send fails.
        Session tcp(QStringLiteral("t"), QStringLiteral("TCP"), std::make_unique<TcpTransport>(0));
        QVERIFY(tcp.connectTransport());
        QVERIFY(tcp.isConnected());
        QSignalSpy tcpStats(&tcp, &Session::statsChanged);
        QVERIFY(!tcp.send("lost"));
        QCOMPARE(tcp.txBytes(), 0);
        QCOMPARE(tcpStats.count(), 0);
    }

    void sessionWithoutTransportIsInert()
    {
        Session s(QStringLiteral("x"), QStringLiteral("标签"), nullptr);
        QVERIFY(!s.connectTransport());
        QVERIFY(!s.isConnected());
        QVERIFY(!s.send("a"));
        s.disconnectTransport();
        QCOMPARE(s.description(), QStringLiteral("标签"));
    }

    void connectionChangesAndErrorsAreRelayed()
    {
        QUdpSocket holder;
        QVERIFY(holder.bind(QHostAddress::LocalHost, 0));
        Session s(QStringLiteral("dev"), QStringLiteral("UDP"),
                  std::make_unique<UdpTransport>(QStringLiteral("127.0.0.1"), holder.localPort(),
                                                 QStringLiteral("127.0.0.1"), 9));
        QSignalSpy connected(&s, &Session::connectedChanged);
        QSignalSpy errors(&s, &Session::errorOccurred);
        QVERIFY(!s.connectTransport()); // port taken
        QCOMPARE(connected.count(), 1);
        QCOMPARE(errors.count(), 1);
        const quint16 port = holder.localPort();
        holder.close();
        QVERIFY(s.connectTransport());
        QCOMPARE(connected.count(), 2);
        QCOMPARE(s.description(), QStringLiteral("UDP 127.0.0.1:%1 → 127.0.0.1:9").arg(port));
        s.disconnectTransport();
        QCOMPARE(connected.count(), 3);
        QVERIFY(!s.isConnected());
    }

    void emptyManagerIsOffline()
    {
        SessionManager m;
        QCOMPARE(m.primary(), nullptr);
        QCOMPARE(m.onlineCount(), 0);
        QCOMPARE(m.statusText(), QStringLiteral("设备离线 / 未连接"));
        QCOMPARE(m.session(QStringLiteral("none")), nullptr);
        QSignalSpy changed(&m, &SessionManager::onlineCountChanged);
        m.remove(QStringLiteral("none"));
        QCOMPARE(changed.count(), 0);
        m.clear();
        QCOMPARE(changed.count(), 1);
    }

    void onlineCountFollowsTheLinks()
    {
        SessionManager m;
        QSignalSpy changed(&m, &SessionManager::onlineCountChanged);
        Session* a = udpSession(QStringLiteral("a"));
        Session* b = udpSession(QStringLiteral("b"));
        m.addSession(a);
        m.addSession(b);
        QCOMPARE(changed.count(), 2);
        QCOMPARE(a->parent(), &m);
        QVERIFY(a->connectTransport());
        QCOMPARE(changed.count(), 3);
        QCOMPARE(m.statusText(), QStringLiteral("在线设备：1"));
        QVERIFY(b->connectTransport());
        QCOMPARE(changed.count(), 4);
        QCOMPARE(m.onlineCount(), 2);
        QCOMPARE(m.statusText(), QStringLiteral("在线设备：2"));
    }

    void primaryIsTheOldestAndRemovalDeletes()
    {
        SessionManager m;
        QPointer<Session> a = udpSession(QStringLiteral("a"));
        QPointer<Session> b = udpSession(QStringLiteral("b"));
        m.addSession(a);
        m.addSession(b);
        QCOMPARE(m.primary(), a.data());
        QVERIFY(a->connectTransport());
        QSignalSpy changed(&m, &SessionManager::onlineCountChanged);
        m.remove(QStringLiteral("a"));
        QVERIFY(a.isNull());
        QCOMPARE(m.primary(), b.data());
        QCOMPARE(m.onlineCount(), 0);
        QVERIFY(changed.count() >= 1);
        QCOMPARE(m.statusText(), QStringLiteral("设备离线 / 未连接"));
    }

    void duplicateIdsActOnTheOlderSession()
    {
        SessionManager m;
        QPointer<Session> older = udpSession(QStringLiteral("same"));
        QPointer<Session> newer = udpSession(QStringLiteral("same"));
        m.addSession(older);
        m.addSession(newer);
        QCOMPARE(m.session(QStringLiteral("same")), older.data());
        QCOMPARE(m.session(QStringLiteral("SAME")), nullptr);
        m.remove(QStringLiteral("same"));
        QVERIFY(older.isNull());
        QVERIFY(!newer.isNull());
        QCOMPARE(m.session(QStringLiteral("same")), newer.data());
    }

    void clearClosesEveryLinkOnce()
    {
        SessionManager m;
        QPointer<Session> a = udpSession(QStringLiteral("a"));
        QPointer<Session> b = udpSession(QStringLiteral("b"));
        m.addSession(a);
        m.addSession(b);
        QVERIFY(a->connectTransport());
        QVERIFY(b->connectTransport());
        QList<bool> closes;
        connect(a->transport(), &ITransport::stateChanged, this, [&](bool s) { closes << s; });
        connect(b->transport(), &ITransport::stateChanged, this, [&](bool s) { closes << s; });
        m.clear();
        QVERIFY(a.isNull() && b.isNull());
        QCOMPARE(closes, (QList<bool> { false, false }));
        QCOMPARE(m.onlineCount(), 0);
        QCOMPARE(m.primary(), nullptr);
    }

    void bindSessionOnlyHooksConnectionChanges()
    {
        SessionManager m;
        Session s(QStringLiteral("loose"), QStringLiteral("UDP"), udpTo(9));
        m.bindSession(&s);
        QSignalSpy changed(&m, &SessionManager::onlineCountChanged);
        QVERIFY(s.connectTransport());
        QCOMPARE(changed.count(), 1);
        QCOMPARE(m.onlineCount(), 0); // not in the list
        QCOMPARE(m.primary(), nullptr);
        s.disconnectTransport();
    }
};

QTEST_GUILESS_MAIN(TestSessions)
#include "tst_sessions.moc"
