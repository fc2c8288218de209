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

namespace {

Session* udpSession(const QString& id)
{
    return new Session(id, QStringLiteral("UDP"),
                       std::make_unique<UdpTransport>("127.0.0.1", 0, "127.0.0.1", 9));
}

} // namespace

class TestSessions : public QObject
{
    Q_OBJECT
private slots:
    void countersFollowWhatWasReceivedAndWhatWasSent()
    {
        std::unique_ptr<Session> s(udpSession(QStringLiteral("dev")));
        QVERIFY(!s->send("closed") && s->txBytes() == 0);
        QVERIFY(s->connectTransport());
        qint64 seenInHandler = -1;
        connect(s.get(), &Session::bytesReceived, this, [&] { seenInHandler = s->rxBytes(); });
        QSignalSpy stats(s.get(), &Session::statsChanged);
        QUdpSocket().writeDatagram(QByteArray(12, 'z'), QHostAddress::LocalHost,
                                   static_cast<UdpTransport*>(s->transport())->boundPort());
        QVERIFY(gcs::test::waitUntil([&] { return seenInHandler >= 0; }, 2000));
        QCOMPARE(seenInHandler, 12); // counted before the chunk is passed on
        QVERIFY(s->send("12345") && s->txBytes() == 5 && stats.count() == 2);
        // A listening TCP link is open but has no client: its send fails and counts nothing.
        Session tcp(QStringLiteral("t"), QStringLiteral("TCP"), std::make_unique<TcpTransport>(0));
        QVERIFY(tcp.connectTransport() && tcp.isConnected());
        QVERIFY(!tcp.send("lost") && tcp.txBytes() == 0);
        Session inert(QStringLiteral("x"), QStringLiteral("标签"), nullptr);
        QVERIFY(!inert.connectTransport() && !inert.isConnected() && !inert.send("a"));
        QCOMPARE(inert.description(), QStringLiteral("标签"));
    }

    void theManagerOwnsTheSessionsAndCountsTheOpenLinks()
    {
        SessionManager m;
        QVERIFY(!m.primary() && m.onlineCount() == 0
                && m.statusText() == QStringLiteral("设备离线 / 未连接"));
        QSignalSpy changed(&m, &SessionManager::onlineCountChanged);
        QPointer<Session> older = udpSession(QStringLiteral("same"));
        QPointer<Session> newer = udpSession(QStringLiteral("same"));
        QPointer<Session> other = udpSession(QStringLiteral("other"));
        for (Session* s : { older.data(), newer.data(), other.data() })
            m.addSession(s);
        QVERIFY(older->connectTransport() && other->connectTransport());
        QCOMPARE(changed.count(), 5); // each addition and each link change is announced
        QCOMPARE(m.statusText(), QStringLiteral("在线设备：2"));
        QCOMPARE(m.primary(), older.data()); // the oldest
        QCOMPARE(m.session(QStringLiteral("same")), older.data()); // the first of an id
        m.remove(QStringLiteral("SAME")); // ids are case-sensitive
        m.remove(QStringLiteral("same"));
        QVERIFY(older.isNull() && !newer.isNull()); // removing deletes
        QVERIFY(m.primary() == newer.data() && m.onlineCount() == 1);

        QList<bool> closes;
        connect(other->transport(), &ITransport::stateChanged, this, [&](bool s) { closes << s; });
        m.clear();
        QVERIFY(newer.isNull() && other.isNull() && !m.primary());
        QCOMPARE(closes, QList<bool> { false }); // every open link closes once
    }
};

QTEST_GUILESS_MAIN(TestSessions)
#include "tst_sessions.moc"
