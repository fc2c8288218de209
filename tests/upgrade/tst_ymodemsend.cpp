// The engine's sending side, driven synchronously through a fake transport: the test
// plays the receiving device and answers each write.
#include "EngineRig.h"
#include "TestPackets.h"
#include "TestSupport.h"

#include "upgrade/YModem.h"
#include "upgrade/YModemProtocol.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace gcs;
using gcs::test::FakeTransport;
using gcs::test::makePacket;

namespace {

using gcs::test::kAck;
using gcs::test::kC;
using gcs::test::kCanCan;
using gcs::test::kEot;
using gcs::test::kNak;

using Rig = gcs::test::EngineRig;

} // namespace

class TestYModemSend : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString writeFile(const QString& name, const QByteArray& content)
    {
        const QString path = m_dir.filePath(name);
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(content) != content.size())
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

private slots:
    void crcIsTheXmodemVariant()
    {
        // The published check value of CRC-16/XMODEM.
        QCOMPARE(YModem::crc16("123456789"), quint16(0x31C3));
        QCOMPARE(YModem::crc16(QByteArray()), quint16(0));
        const QByteArray data = gcs::test::testContent(5000, 7);
        QCOMPARE(YModem::crc16(data), gcs::test::bitwiseCrc16(data));
    }

    void startIsRefusedWithoutTransportOrWhileBusy()
    {
        const QString path = writeFile("a.bin", "abc");
        YModem alone;
        QSignalSpy aloneFinished(&alone, &YModem::finished);
        QVERIFY(!alone.startSend(path));
        QVERIFY(!alone.busy());
        QCOMPARE(aloneFinished.count(), 0);

        Rig rig;
        QVERIFY(rig.engine.startSend(path));
        QSignalSpy busy(&rig.engine, &YModem::busyChanged);
        QVERIFY(!rig.engine.startSend(writeFile("b.bin", "other")));
        QVERIFY(!rig.engine.startReceive(m_dir.filePath("c.bin")));
        QCOMPARE(busy.count(), 0);
        QCOMPARE(rig.engine.state(), YModem::Prepared);
        QCOMPARE(rig.finished.count(), 0);
        QVERIFY(!QFile::exists(m_dir.filePath("c.bin")));
    }

    void unreadableFileIsReportedWithoutBecomingBusy()
    {
        Rig rig;
        QSignalSpy busy(&rig.engine, &YModem::busyChanged);
        QVERIFY(!rig.engine.startSend(m_dir.filePath("missing.bin")));
        QVERIFY(!rig.engine.startSend(m_dir.path())); // a folder is no firmware either
        QCOMPARE(rig.finished.count(), 2);
        QCOMPARE(rig.finished.at(0).at(0).toBool(), false);
        QCOMPARE(rig.finished.at(0).at(1).toString(), QStringLiteral("无法打开固件文件"));
        QCOMPARE(busy.count(), 0);
        QCOMPARE(rig.engine.state(), YModem::Idle);
        QVERIFY(rig.link.writes.isEmpty());
    }

    void preparedOnlyBuffersUntilTheHandshakeBegins()
    {
        Rig rig;
        QSignalSpy progress(&rig.engine, &YModem::progressChanged);
        QSignalSpy waiting(&rig.engine, &YModem::waitingForCChanged);
        QVERIFY(rig.engine.startSend(writeFile("fw.bin", "firmware")));
        QVERIFY(rig.engine.busy());
        QCOMPARE(progress.count(), 1);
        QCOMPARE(rig.engine.statusText(), QStringLiteral("准备等待升级模式"));

        // The boot loader is quick: its 'C' comes before the handshake window opens.
        rig.engine.onRx("xyC");
        QVERIFY(rig.link.writes.isEmpty());
        QVERIFY(!rig.engine.waitingForC());

        rig.engine.beginHandshake(5000);
        QCOMPARE(waiting.count(), 2); // into the window and out of it at the 'C'
        QCOMPARE(rig.engine.state(), YModem::Sending);
        QCOMPARE(rig.link.writes.size(), 1);
        QCOMPARE(rig.last(), makePacket(0, QByteArray("fw.bin\0" "8\0", 9), 128));
        QCOMPARE(rig.engine.statusText(), QStringLiteral("文件头已发送，等待设备确认"));
        QCOMPARE(rig.engine.handshakeRemainSec(), 0);
    }

    void handshakeCountdownStartsFromTheWindow_data()
    {
        QTest::addColumn<int>("window");
        QTest::addColumn<int>("firstCount");
        QTest::newRow("default") << 0 << 20;
        QTest::newRow("below one") << -5 << 20;
        QTest::newRow("one second") << 1000 << 1;
        QTest::newRow("short") << 300 << 1;
        QTest::newRow("rounded up") << 1500 << 2;
        QTest::newRow("twenty") << 20000 << 20;
    }
    void handshakeCountdownStartsFromTheWindow()
    {
        QFETCH(int, window);
        QFETCH(int, firstCount);
        Rig rig;
        QVERIFY(rig.engine.startSend(writeFile("fw.bin", "x")));
        QSignalSpy remain(&rig.engine, &YModem::handshakeRemainChanged);
        rig.engine.beginHandshake(window);
        QCOMPARE(rig.engine.handshakeRemainSec(), firstCount);
        QCOMPARE(remain.count(), 1);
        QVERIFY(rig.engine.waitingForC());
        QCOMPARE(rig.engine.statusText(), QStringLiteral("等待设备进入升级模式"));
        rig.engine.cancel();
    }

    void countdownTicksDownAndCountsWhatArrived()
    {
        Rig rig;
        QVERIFY(rig.engine.startSend(writeFile("fw.bin", "x")));
        rig.engine.beginHandshake(2500);
        QCOMPARE(rig.engine.handshakeRemainSec(), 3);
        rig.engine.onRx("garbage");
        QVERIFY(QTest::qWaitFor([&] { return rig.engine.handshakeRemainSec() == 2; }, 2000));
        QCOMPARE(rig.engine.statusText(), QStringLiteral("已收 7 字节，尚未进入升级模式"));
        rig.engine.cancel();
    }

    void fileOf1030BytesGoesAsOneLongAndOneShortBlock()
    {
        const QByteArray content = gcs::test::testContent(1030);
        Rig rig;
        QVERIFY(rig.engine.startSend(writeFile("image.bin", content)));
        rig.engine.beginHandshake(5000);
        rig.engine.onRx(kC);
        QCOMPARE(rig.last(), makePacket(0, QByteArray("image.bin\0" "1030\0", 15), 128));

        rig.engine.onRx(kAck); // header confirmed: data waits for the 'C'
        QCOMPARE(rig.link.writes.size(), 1);
        rig.engine.onRx(kC);
        QCOMPARE(rig.last(), makePacket(1, content.left(1024), 1024));
        QCOMPARE(rig.last().size(), 1029);

        QSignalSpy progress(&rig.engine, &YModem::progressChanged);
        rig.engine.onRx(kAck);
        QCOMPARE(rig.engine.progress(), 99); // 1024 of 1030
        QCOMPARE(rig.last(), makePacket(2, content.mid(1024), 128));
        QCOMPARE(rig.last().size(), 133);

        rig.engine.onRx(kAck);
        QCOMPARE(rig.engine.progress(), 100);
        QCOMPARE(rig.last(), kEot);
        QCOMPARE(rig.engine.state(), YModem::EotSent);
        rig.engine.onRx(kNak); // a receiver that refuses the first EOT
        QCOMPARE(rig.last(), kEot);
        QCOMPARE(rig.finished.count(), 0);

        // The empty header goes out when the receiver asks for the next file.
        rig.engine.onRx(kAck);
        QCOMPARE(rig.last(), kEot);
        QCOMPARE(rig.finished.count(), 0);
        rig.engine.onRx(kNak + kAck); // stale: the EOT is already confirmed
        QCOMPARE(rig.last(), kEot);
        rig.engine.onRx(kC);
        QCOMPARE(rig.last(), makePacket(0, QByteArray(), 128));
        QCOMPARE(rig.finished.count(), 0);
        rig.engine.onRx(kC); // it missed the empty header
        QCOMPARE(rig.link.writes.size(), 7);
        QCOMPARE(rig.last(), makePacket(0, QByteArray(), 128));
        rig.engine.onRx(kAck);
        QCOMPARE(rig.link.writes.size(), 7);
        QCOMPARE(rig.finished.count(), 1);
        QCOMPARE(rig.finished.at(0).at(0).toBool(), true);
        QCOMPARE(rig.finished.at(0).at(1).toString(), QStringLiteral("文件发送成功"));
        QVERIFY(!rig.engine.busy());
        QCOMPARE(rig.engine.state(), YModem::Idle);
        QCOMPARE(rig.engine.progress(), 100);

        const QStringList expected = {
            "准备等待升级模式", "等待设备进入升级模式", "设备已进入升级模式，发送文件头",
            "文件头已发送，等待设备确认", "发送数据包 1", "发送数据包 2", "发送 EOT", "文件发送成功",
        };
        QCOMPARE(rig.statuses, expected);

        // Later bytes of a finished transfer go nowhere.
        rig.engine.onRx(kC + kAck);
        QCOMPARE(rig.link.writes.size(), 7);
        QCOMPARE(rig.finished.count(), 1);
    }

    void emptyFileGoesStraightToEot()
    {
        Rig rig;
        QVERIFY(rig.engine.startSend(writeFile("empty.bin", QByteArray())));
        rig.engine.beginHandshake(5000);
        rig.engine.onRx(kC);
        QCOMPARE(rig.last(), makePacket(0, QByteArray("empty.bin\0" "0\0", 12), 128));
        rig.engine.onRx(kAck + kC);
        QCOMPARE(rig.last(), kEot);
        rig.engine.onRx(kAck + kC);
        QCOMPARE(rig.last(), makePacket(0, QByteArray(), 128));
        rig.engine.onRx(kAck);
        QCOMPARE(rig.finished.count(), 1);
        QCOMPARE(rig.finished.at(0).at(0).toBool(), true);
        QCOMPARE(rig.engine.progress(), 100);
    }

    void nakRepeatsTheLastPacketUnchanged()
    {
        const QByteArray content = gcs::test::testContent(3000);
        Rig rig;
        QVERIFY(rig.engine.startSend(writeFile("n.bin", content)));
        rig.engine.beginHandshake(5000);
        rig.engine.onRx(kC);
        const QByteArray header = rig.last();
        rig.engine.onRx(kNak);
        QCOMPARE(rig.last(), header);
        rig.engine.onRx(kAck + kC);
        const QByteArray block1 = rig.last();
        rig.engine.onRx(kNak);
        rig.engine.onRx(kNak);
        QCOMPARE(rig.link.writes.size(), 5);
        QCOMPARE(rig.link.writes.at(3), block1);
        QCOMPARE(rig.link.writes.at(4), block1);
        rig.engine.onRx(kAck);
        QCOMPARE(rig.last(), makePacket(2, content.mid(1024, 1024)));
        rig.engine.cancel();
    }

    void repliesThatShareAChunkAreReadInOrder()
    {
        const QByteArray content = gcs::test::testContent(4096);
        Rig rig;
        QVERIFY(rig.engine.startSend(writeFile("c.bin", content)));
        rig.engine.beginHandshake(5000);
        rig.engine.onRx(kC + kC); // the second 'C' was sent before the header arrived
        QCOMPARE(rig.link.writes.size(), 1);

        // A receiver's ACK and 'C' after the header often come in one read.
        rig.engine.onRx(kAck + kC);
        QCOMPARE(rig.link.writes.size(), 2);
        QCOMPARE(rig.last(), makePacket(1, content.left(1024)));

        // A doubled answer moves on by one block only: one block stays in flight.
        rig.engine.onRx(kAck + kAck);
        QCOMPARE(rig.link.writes.size(), 3);
        QCOMPARE(rig.last(), makePacket(2, content.mid(1024, 1024)));
        rig.engine.onRx(kNak + kNak);
        QCOMPARE(rig.link.writes.size(), 4);
        QCOMPARE(rig.last(), makePacket(2, content.mid(1024, 1024)));

        // A 'C' in the middle of the file means nothing and does not hide the ACK after it.
        rig.engine.onRx(kC);
        QCOMPARE(rig.link.writes.size(), 4);
        rig.engine.onRx(kC + kAck);
        QCOMPARE(rig.last(), makePacket(3, content.mid(2048, 1024)));
        rig.engine.cancel();
    }

    void receiverThatNeverAsksAgainStillGetsTheEndOfBatch()
    {
        // Some boot loaders restart right after the EOT's ACK: the file is confirmed, so
        // the transfer succeeds once the wait for the receiver's 'C' is over.
        Rig rig;
        rig.engine.setInactivityLimitMs(100); // not the limit that applies here
        QVERIFY(rig.engine.startSend(writeFile("e.bin", "abc")));
        rig.engine.beginHandshake(5000);
        rig.engine.onRx(kC);
        rig.engine.onRx(kAck + kC);
        rig.engine.onRx(kAck);
        rig.engine.onRx(kAck);
        QCOMPARE(rig.last(), kEot);
        QTest::qWait(300);
        QCOMPARE(rig.finished.count(), 0);
        QVERIFY(QTest::qWaitFor([&] { return rig.link.writes.size() == 4; },
                                YModem::kEndOfBatchWaitMs + 2000));
        QCOMPARE(rig.last(), makePacket(0, QByteArray(), 128));
        QCOMPARE(rig.finished.count(), 0);
        QVERIFY(rig.finished.wait(YModem::kEndOfBatchWaitMs + 2000)); // no answer to it either
        QCOMPARE(rig.finished.at(0).at(0).toBool(), true);
        QCOMPARE(rig.finished.at(0).at(1).toString(), QStringLiteral("文件发送成功"));
        QCOMPARE(rig.link.writes.size(), 4);
    }

    void cBeforeTheHeaderIsConfirmedAsksForTheHeaderAgain()
    {
        Rig rig;
        QVERIFY(rig.engine.startSend(writeFile("h.bin", "payload")));
        rig.engine.beginHandshake(5000);
        rig.engine.onRx(kC);
        const QByteArray header = rig.last();
        // A late 'C' from the handshake, or a receiver that missed the header: data must
        // not start before the header has been confirmed.
        rig.engine.onRx(kC);
        QCOMPARE(rig.link.writes.size(), 2);
        QCOMPARE(rig.last(), header);
        rig.engine.onRx(kAck);
        rig.engine.onRx(kC);
        QCOMPARE(rig.last(), makePacket(1, "payload", 128));
        // Another 'C' instead of the ACK: block 1 did not arrive and goes once more.
        rig.engine.onRx(kC);
        QCOMPARE(rig.link.writes.size(), 4);
        QCOMPARE(rig.last(), makePacket(1, "payload", 128));
        rig.engine.onRx(kAck);
        QCOMPARE(rig.last(), kEot);
        rig.engine.cancel();
    }

    void noiseIsNotAnAnswer()
    {
        const QByteArray content = gcs::test::testContent(3000);
        Rig rig;
        QVERIFY(rig.engine.startSend(writeFile("noise.bin", content)));
        rig.engine.beginHandshake(5000);
        rig.engine.onRx("Boot v1.2\r\nC"); // text before the handshake is fine
        QCOMPARE(rig.link.writes.size(), 1);
        rig.engine.onRx("\x06" "AB" "C");
        QCOMPARE(rig.link.writes.size(), 1);
        rig.engine.onRx(kAck + kC);
        QCOMPARE(rig.last(), makePacket(1, content.left(1024)));
        rig.engine.onRx("\x18" "x" "\x18" "\x06");
        QCOMPARE(rig.link.writes.size(), 2);
        QVERIFY(rig.engine.busy());
        rig.engine.onRx(kAck);
        QCOMPARE(rig.last(), makePacket(2, content.mid(1024, 1024)));
        // A cancel still counts when the restarting device's noise follows it.
        rig.engine.onRx("\x18\x18" "q#7");
        QCOMPARE(rig.finished.count(), 1);
        QCOMPARE(rig.finished.at(0).at(1).toString(), QStringLiteral("设备取消"));
    }

    void deviceTalkingAtAnotherRateNeverCompletesATransfer()
    {
        // What a unit that never entered its boot loader sends, as read at the wrong rate:
        // seven-bit noise, with ACK, NAK and 'C' bytes in it by chance.
        Rig rig;
        rig.engine.setInactivityLimitMs(400);
        QVERIFY(rig.engine.startSend(writeFile("wrong.bin", gcs::test::testContent(4096))));
        rig.engine.beginHandshake(5000);
        quint32 x = 12345;
        int answers = 0;
        for (int round = 0; round < 300 && rig.finished.isEmpty(); ++round) {
            QByteArray chunk = round == 0 ? QByteArray("zC") : QByteArray();
            for (int i = 0; i < 64; ++i) {
                x = x * 1103515245u + 12345u;
                const char c = char((x >> 16) & 0x7F);
                chunk.append(c == '\x18' ? '\x19' : c); // cancels are checked elsewhere
            }
            answers += chunk.count('\x06');
            rig.engine.onRx(chunk);
            QTest::qWait(3);
        }
        QTRY_COMPARE_WITH_TIMEOUT(rig.finished.count(), 1, 3000);
        QVERIFY(answers > 50);
        QCOMPARE(rig.finished.at(0).at(0).toBool(), false);
        QCOMPARE(rig.finished.at(0).at(1).toString(), QStringLiteral("传输超时"));
        QCOMPARE(rig.link.writes.size(), 1); // the header, and nothing else
    }

    void twoCanInARowCancelButOneDoesNot()
    {
        Rig rig;
        QVERIFY(rig.engine.startSend(writeFile("can.bin", gcs::test::testContent(2048))));
        rig.engine.beginHandshake(5000);
        rig.engine.onRx("\x18" "C");
        QCOMPARE(rig.engine.state(), YModem::Sending);
        rig.engine.onRx("\x18");
        rig.engine.onRx(kAck); // resets the count; the header is now confirmed
        rig.engine.onRx("\x18");
        QCOMPARE(rig.finished.count(), 0);
        rig.engine.onRx("\x18");
        QCOMPARE(rig.finished.count(), 1);
        QCOMPARE(rig.finished.at(0).at(0).toBool(), false);
        QCOMPARE(rig.finished.at(0).at(1).toString(), QStringLiteral("设备取消"));
        QCOMPARE(rig.engine.statusText(), QStringLiteral("设备取消"));
        QVERIFY(!rig.engine.busy());
    }

    void handshakeTimeoutExplainsWhatArrived_data()
    {
        QTest::addColumn<QByteArray>("arrived");
        QTest::addColumn<QString>("message");
        QTest::newRow("nothing") << QByteArray()
                                 << QStringLiteral("限时内未进入升级模式（串口共 0 字节，无数据：请确认"
                                                   "已复位且串口为 115200)");
        QByteArray garbage;
        for (int i = 0; i < 40; ++i)
            garbage.append(char(0x80 + i));
        QTest::newRow("wrong baud")
            << garbage
            << QStringLiteral("限时内未进入升级模式（串口共 40 字节，片段 80 81 82 83 84 85 86 87 88 89 8a "
                              "8b 8c 8d 8e 8f 90 91 92 93 94 95 96 97；有数据但未识别到升级握手，请核"
                              "对波特率或复位时机)");
    }
    void handshakeTimeoutExplainsWhatArrived()
    {
        QFETCH(QByteArray, arrived);
        QFETCH(QString, message);
        Rig rig;
        QSignalSpy waiting(&rig.engine, &YModem::waitingForCChanged);
        QVERIFY(rig.engine.startSend(writeFile("t.bin", "x")));
        if (!arrived.isEmpty())
            rig.engine.onRx(arrived.left(10)); // part of it while still Prepared
        rig.engine.beginHandshake(150);
        if (!arrived.isEmpty())
            rig.engine.onRx(arrived.mid(10));
        QVERIFY(rig.finished.wait(3000));
        QCOMPARE(rig.finished.count(), 1);
        QCOMPARE(rig.finished.at(0).at(0).toBool(), false);
        QCOMPARE(rig.finished.at(0).at(1).toString(), message);
        QCOMPARE(rig.engine.statusText(), message);
        QCOMPARE(waiting.count(), 2);
        QVERIFY(!rig.engine.waitingForC());
        QVERIFY(rig.link.writes.isEmpty());
    }

    void silentReceiverAfterTheHeaderTimesOut()
    {
        Rig rig;
        rig.engine.setInactivityLimitMs(200);
        QVERIFY(rig.engine.startSend(writeFile("s.bin", gcs::test::testContent(5000))));
        rig.engine.beginHandshake(5000);
        rig.engine.onRx(kC);
        rig.engine.onRx(kAck + kC);
        rig.engine.onRx(kAck);
        QVERIFY(rig.finished.wait(3000));
        QCOMPARE(rig.finished.at(0).at(1).toString(), QStringLiteral("传输超时"));
    }

    void receiverThatOnlyNaksRunsIntoTheInactivityLimit()
    {
        // Every NAK is answered, but NAKs alone do not keep a transfer alive forever.
        Rig rig;
        rig.engine.setInactivityLimitMs(300);
        QVERIFY(rig.engine.startSend(writeFile("k.bin", gcs::test::testContent(5000))));
        rig.engine.beginHandshake(5000);
        rig.engine.onRx(kC);
        rig.engine.onRx(kAck + kC);
        QElapsedTimer timer;
        timer.start();
        int answered = 0;
        while (rig.finished.isEmpty() && timer.elapsed() < 3000) {
            const qsizetype before = rig.link.writes.size();
            rig.engine.onRx(kNak);
            answered += rig.link.writes.size() > before ? 1 : 0;
            QTest::qWait(20);
        }
        QCOMPARE(rig.finished.count(), 1);
        QCOMPARE(rig.finished.at(0).at(1).toString(), QStringLiteral("传输超时"));
        QVERIFY(answered >= 5);
        QCOMPARE(rig.link.writes.at(2), rig.link.writes.at(3));
    }

    void refusedHeaderEndsTheTransfer()
    {
        Rig rig;
        rig.link.acceptWrite = [](const QByteArray&) { return false; };
        QVERIFY(rig.engine.startSend(writeFile("r.bin", "x")));
        rig.engine.beginHandshake(5000);
        rig.engine.onRx(kC);
        QCOMPARE(rig.finished.count(), 1);
        QCOMPARE(rig.finished.at(0).at(1).toString(), QStringLiteral("发送初始包失败"));
        QVERIFY(!rig.engine.busy());
    }

    void cancelSendsTwoCanBytesInOneWrite()
    {
        Rig rig;
        QSignalSpy waiting(&rig.engine, &YModem::waitingForCChanged);
        QSignalSpy busy(&rig.engine, &YModem::busyChanged);
        QVERIFY(rig.engine.startSend(writeFile("x.bin", "x")));
        rig.engine.beginHandshake(5000);
        rig.engine.cancel();
        QCOMPARE(rig.link.writes, QList<QByteArray> { kCanCan });
        QCOMPARE(rig.finished.count(), 1);
        QCOMPARE(rig.finished.at(0).at(1).toString(), QStringLiteral("已取消"));
        QCOMPARE(waiting.count(), 2);
        QCOMPARE(busy.count(), 2);
        QCOMPARE(rig.engine.handshakeRemainSec(), 0);
        rig.engine.cancel(); // nothing left to cancel
        QCOMPARE(rig.link.writes.size(), 1);
        QCOMPARE(rig.finished.count(), 1);
    }

    void answersDuringASendWaitUntilItReturns()
    {
        // A device that answers while the write is still in progress: the answer is taken
        // after the write, never from inside it, and the blocks still go in order.
        const QByteArray content = gcs::test::testContent(10 * 1024 + 3);
        Rig rig;
        QByteArray received;
        rig.link.onWrite = [&](const QByteArray& w) {
            if (w.size() == 133 && w.at(1) == 0) {
                rig.engine.onRx(kAck + kC); // header (or the empty end header)
            } else if (w.size() == 133 || w.size() == 1029) {
                received += w.mid(3, w.size() - 5);
                rig.engine.onRx(kAck);
            } else if (w == kEot) {
                rig.engine.onRx(kAck + kC);
            }
        };
        QVERIFY(rig.engine.startSend(writeFile("re.bin", content)));
        rig.engine.beginHandshake(5000);
        rig.engine.onRx(kC);
        QCOMPARE(rig.finished.count(), 1);
        QCOMPARE(rig.finished.at(0).at(0).toBool(), true);
        QCOMPARE(rig.link.maxDepth, 1);
        QCOMPARE(received.left(content.size()), content);
        QCOMPARE(received.size(), 10 * 1024 + 128);
    }

    void answersHeldByTheTransportDuringAWriteAreCollected()
    {
        // The link read the answer while writing but did not announce it.
        const QByteArray content = gcs::test::testContent(1500);
        Rig rig;
        rig.link.onWrite = [&](const QByteArray& w) {
            if (w.size() == 133 && w.at(1) == 0)
                rig.link.inbound = kAck + kC; // header or empty header
            else if (w.size() == 133 || w.size() == 1029 || w == kEot)
                rig.link.inbound = w == kEot ? kAck + kC : kAck;
        };
        QVERIFY(rig.engine.startSend(writeFile("held.bin", content)));
        rig.engine.beginHandshake(5000);
        rig.engine.onRx(kC);
        QCOMPARE(rig.finished.count(), 1);
        QCOMPARE(rig.finished.at(0).at(0).toBool(), true);
        QCOMPARE(rig.link.writes.size(), 5); // header, two blocks, EOT, end header
    }

    void handshakePollReadsWhatTheTransportHolds()
    {
        Rig rig;
        QVERIFY(rig.engine.startSend(writeFile("p.bin", "x")));
        rig.engine.beginHandshake(5000);
        QVERIFY(rig.link.writes.isEmpty());
        rig.link.inbound = "C";
        QVERIFY(QTest::qWaitFor([&] { return !rig.link.writes.isEmpty(); }, 1000));
        QCOMPARE(rig.engine.state(), YModem::Sending);
        // After the handshake the transport is no longer polled.
        rig.link.inbound = "\x06";
        QTest::qWait(100);
        QCOMPARE(rig.link.inbound, QByteArray("\x06"));
        rig.engine.cancel();
    }

    void readErrorCancelsInsteadOfEndingTheFileEarly()
    {
#ifndef Q_OS_LINUX
        QSKIP("needs a file that opens but cannot be read");
#endif
        // Reading this file fails with an I/O error at offset 0.
        Rig rig;
        QVERIFY(rig.engine.startSend(QStringLiteral("/proc/self/mem")));
        rig.engine.beginHandshake(5000);
        rig.engine.onRx(kC);
        rig.engine.onRx(kAck + kC);
        QCOMPARE(rig.finished.count(), 1);
        QCOMPARE(rig.finished.at(0).at(1).toString(), QStringLiteral("读取固件文件失败"));
        QCOMPARE(rig.last(), kCanCan);
    }
};

QTEST_GUILESS_MAIN(TestYModemSend)
#include "tst_ymodemsend.moc"
