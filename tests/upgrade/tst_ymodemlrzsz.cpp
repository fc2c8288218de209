// The engine against lrzsz, an independent YModem implementation, over real pty pairs:
// our sender to "rb --ymodem" and "sb --ymodem -k" to our receiver, on a clean line and
// through a relay that damages it. Every transfer ends with an identical file or with its
// failure message, and nothing hangs.
#include "FaultRelay.h"
#include "TestPackets.h"
#include "TestSupport.h"

#include "link/SerialTransport.h"
#include "upgrade/YModem.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace gcs;
using namespace gcs::test;

enum class Fault { None, DamagedData, AckTurnedNak, LostAck, Stall, PeerCancels, WeCancel, Cut };
Q_DECLARE_METATYPE(Fault)

class TestYModemLrzsz : public QObject
{
    Q_OBJECT
private slots:
    void transfer_data()
    {
        QTest::addColumn<bool>("engineSends");
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("size");
        QTest::addColumn<QString>("message");
        // Each row both ways; the messages are the successes unless given.
        const auto both = [](const QString& name, Fault fault, int size, const char* sending = "",
                             const char* receiving = "", const QString& file = "fault.bin") {
            QTest::addRow("%s, our sender to rb", qPrintable(name))
                << true << fault << file << size << QString(*sending ? sending : "文件发送成功");
            QTest::addRow("%s, sb to our receiver", qPrintable(name))
                << false << fault << file << size
                << QString(*receiving ? receiving : "文件接收成功");
        };
        for (const int size : { 0, 1, 128, 129, 1030, 1 << 20 })
            both(QStringLiteral("%1 bytes").arg(size), Fault::None, size, "", "",
                 QStringLiteral("file_%1.bin").arg(size));
        both("non-ASCII name", Fault::None, 3000, "", "", QStringLiteral("固件_ü_升级包.bin"));
        both("damaged data", Fault::DamagedData, 100 * 1024);
        both("ACK turned into NAK", Fault::AckTurnedNak, 100 * 1024);
        both("lost ACK", Fault::LostAck, 100 * 1024);
        both("stalled line", Fault::Stall, 100 * 1024, "传输超时", "传输超时");
        both("peer cancels", Fault::PeerCancels, 100 * 1024, "设备取消", "对端取消");
        both("we cancel", Fault::WeCancel, 1 << 20, "已取消", "已取消");
        // Another program cuts the image while it is sent: rb is told, not handed a part.
        QTest::newRow("file cut while sent, our sender to rb")
            << true << Fault::Cut << "cut.bin" << 3000000
            << QStringLiteral("固件文件在发送中被改动（开始时 3000000 字节，现在 100352 字节）");
    }
    void transfer()
    {
        QFETCH(bool, engineSends);
        QFETCH(Fault, fault);
        QFETCH(QString, file);
        QFETCH(int, size);
        QFETCH(QString, message);
        QTemporaryDir source;
        QTemporaryDir target;
        const QByteArray content = testContent(size, uint(size) + 99);
        QVERIFY(writeFileBytes(source.filePath(file), content));

        // The filter's state, used on the relay's thread until the relay is gone.
        qint64 seen = 0;
        int acks = 0;
        QByteArray sinceReply; // the packet an answer on its way is for
        int damaged = 0;
        PtyPair enginePair;
        PtyPair peerPair;
        QVERIFY(enginePair.start() && peerPair.start());
        SerialTransport link(enginePair.endA(), 115200);
        YModem engine;
        QSignalSpy finished(&engine, &YModem::finished);
        QObject::connect(&link, &ITransport::bytesReceived, &engine, &YModem::onRx);
        engine.attach(&link);
        engine.setInactivityLimitMs(fault == Fault::Stall ? 1500 : 15000);
        QObject::connect(&engine, &YModem::progressChanged, [&] {
            if (fault == Fault::Cut && engine.progress() == 1)
                QFile::resize(source.filePath(file), 100352);
        });
        FaultRelay relay;
        const auto filter = [&](FaultRelay::Direction d, QByteArray bytes) {
            if (d == (engineSends ? FaultRelay::TowardsPeer : FaultRelay::TowardsEngine)) {
                for (const qint64 at : { 5000, 31000, 31001, 64500 }) {
                    if (fault == Fault::DamagedData && at >= seen && at < seen + bytes.size()) {
                        bytes[at - seen] = char(bytes[at - seen] ^ 0x24);
                        ++damaged;
                    }
                }
                seen += bytes.size();
                sinceReply += bytes;
                relay.setStalled(fault == Fault::Stall && seen > 20000);
                if (fault == Fault::PeerCancels && seen > 20000 && seen - bytes.size() <= 20000)
                    relay.inject(FaultRelay::TowardsEngine, "\x18\x18");
                return bytes;
            }
            const qsizetype at = bytes.indexOf('\x06');
            acks += at >= 0 ? 1 : 0;
            if (at >= 0 && fault == Fault::AckTurnedNak && (acks == 5 || acks == 9 || acks == 10))
                bytes[at] = '\x15';
            if (at >= 0 && fault == Fault::LostAck && acks == 6) {
                bytes.remove(at, 1);
                if (!engineSends) // sb would wait a minute before it repeats; play its repeat
                    relay.inject(FaultRelay::TowardsEngine, sinceReply);
            }
            sinceReply.clear();
            return bytes;
        };
        QVERIFY(link.open() && relay.start(enginePair.endB(), peerPair.endA(), filter));
        TtyProgram peer;
        const QString received = target.filePath(engineSends ? file : "saved.bin");
        if (engineSends) { // rb -t 10: one second per read timeout, so that it asks again soon
            QVERIFY(peer.start("rb", { "--ymodem", "-t", "10" }, peerPair.endB(), target.path()));
            QVERIFY(engine.startSend(source.filePath(file)));
            engine.beginHandshake(20000);
        } else {
            QVERIFY(engine.startReceive(received));
            QVERIFY(peer.start("sb", { "--ymodem", "-k", file }, peerPair.endB(), source.path()));
        }
        if (fault == Fault::WeCancel) {
            QVERIFY(waitUntil([&] { return engine.progress() >= 10; }, 30000));
            engine.cancel();
        }
        QVERIFY(waitUntil([&] { return !finished.isEmpty(); }, 60000));
        QCOMPARE(finished[0][1].toString(), message);
        if (fault == Fault::WeCancel || fault == Fault::Cut) // the peer stops too
            QVERIFY(peer.waitForEnd(20000) && peer.exitCode() != 0);
        if (!finished[0][0].toBool())
            return;
        QVERIFY(peer.waitForEnd(20000));
        QCOMPARE(peer.exitCode(), 0);
        QCOMPARE(readFileBytes(received), content);
        QCOMPARE(engine.progress(), size > 0 || engineSends ? 100 : 0);
        QCOMPARE(damaged, fault == Fault::DamagedData ? 4 : 0);
    }
};

QTEST_GUILESS_MAIN(TestYModemLrzsz)
#include "tst_ymodemlrzsz.moc"
