// The engine's receiving side, driven synchronously through a fake transport: the test
// plays the sending device and checks the answers and the file written.
#include "EngineRig.h"
#include "TestPackets.h"
#include "TestSupport.h"

#include "upgrade/YModem.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace gcs;
using gcs::test::FakeTransport;
using gcs::test::makeHeader;
using gcs::test::makePacket;
using gcs::test::testContent;

namespace {

using gcs::test::kAck;
using gcs::test::kC;
using gcs::test::kCanCan;
using gcs::test::kEot;
using gcs::test::kNak;

struct Rig : gcs::test::EngineRig
{
    /// Sends `content` as 1024-byte blocks numbered from `first`.
    void feedBlocks(const QByteArray& content, int first = 1)
    {
        for (qsizetype at = 0, n = first; at < content.size(); at += 1024, ++n)
            feed(makePacket(int(n), content.mid(at, 1024)));
    }
    void finishBatch()
    {
        feed(kEot);
        feed(kEot);
        feed(makePacket(0, QByteArray(), 128));
    }
};

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

} // namespace

class TestYModemReceive : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void startIsRefusedWithoutTransportOrWhileBusy()
    {
        YModem alone;
        QVERIFY(!alone.startReceive(m_dir.filePath("a.bin")));
        QVERIFY(!QFile::exists(m_dir.filePath("a.bin")));

        Rig rig;
        QVERIFY(rig.engine.startReceive(m_dir.filePath("b.bin")));
        QVERIFY(!rig.engine.startReceive(m_dir.filePath("c.bin")));
        QVERIFY(!QFile::exists(m_dir.filePath("c.bin")));
        QCOMPARE(rig.link.writes, QList<QByteArray> { kC });
        rig.engine.cancel();
    }

    void uncreatableFileIsReportedWithoutBecomingBusy()
    {
        Rig rig;
        QSignalSpy busy(&rig.engine, &YModem::busyChanged);
        QVERIFY(!rig.engine.startReceive(m_dir.filePath("no/such/folder/x.bin")));
        QCOMPARE(rig.finished.count(), 1);
        QCOMPARE(rig.finished.at(0).at(1).toString(), QStringLiteral("无法创建接收文件"));
        QCOMPARE(busy.count(), 0);
        QVERIFY(rig.link.writes.isEmpty());
    }

    void announcedSizeCutsThePaddingButKeepsZerosInside()
    {
        // 1500 bytes in two 1024-byte blocks; the content has zeros everywhere, also at
        // its end, and all of them belong to the file.
        QByteArray content = testContent(1500);
        content.replace(1490, 10, QByteArray(10, '\0'));
        const QString path = m_dir.filePath("sized.bin");
        Rig rig;
        QVERIFY(rig.engine.startReceive(path));
        QCOMPARE(rig.engine.state(), YModem::ReceiveStart);
        QCOMPARE(rig.engine.statusText(), QStringLiteral("已发送 C，等待文件头"));

        QCOMPARE(rig.feed(makeHeader("sized.bin", "1500")), kAck + kC);
        QCOMPARE(rig.engine.state(), YModem::Receiving);
        QCOMPARE(rig.feed(makePacket(1, content.left(1024))), kAck);
        QCOMPARE(rig.engine.progress(), 68);
        QCOMPARE(rig.engine.statusText(), QStringLiteral("已收 1024 字节"));
        QCOMPARE(rig.feed(makePacket(2, content.mid(1024))), kAck);
        QCOMPARE(rig.engine.progress(), 100);

        QCOMPARE(rig.feed(kEot), kNak);
        QCOMPARE(rig.engine.statusText(), QStringLiteral("收到 EOT，等待确认"));
        QCOMPARE(rig.feed(kEot), kAck + kC);
        QCOMPARE(rig.engine.state(), YModem::ReceiveEnd);
        QCOMPARE(rig.finished.count(), 0);
        QCOMPARE(rig.feed(makePacket(0, QByteArray(), 128)), kAck);
        QCOMPARE(rig.finished.count(), 1);
        QCOMPARE(rig.finished.at(0).at(0).toBool(), true);
        QCOMPARE(rig.finished.at(0).at(1).toString(), QStringLiteral("文件接收成功"));
        QCOMPARE(readAll(path), content);

        const QStringList expected = {
            "已发送 C，等待文件头", "接收 sized.bin", "已收 1024 字节", "已收 1500 字节",
            "收到 EOT，等待确认", "等待结束空包", "文件接收成功",
        };
        QCOMPARE(rig.statuses, expected);
    }

    void sizeFieldWithMoreFieldsAfterItIsRead()
    {
        // Senders commonly put modification time, mode and a serial number after the size;
        // padding of 0x1A instead of 0x00 must then still be cut.
        const QByteArray content = testContent(1030);
        const QString path = m_dir.filePath("lrz.bin");
        Rig rig;
        QVERIFY(rig.engine.startReceive(path));
        rig.feed(makeHeader("lrz.bin", "1030 14567523672 100644 0 1 1030"));
        rig.feed(makePacket(1, content.left(1024)));
        rig.feed(makePacket(2, content.mid(1024), 128, '\x1a'));
        rig.finishBatch();
        QCOMPARE(rig.finished.at(0).at(0).toBool(), true);
        QCOMPARE(readAll(path), content);
    }

    void repeatedBlockIsAcknowledgedAndWrittenOnce()
    {
        const QByteArray content = testContent(3 * 1024);
        const QString path = m_dir.filePath("dup.bin");
        Rig rig;
        QVERIFY(rig.engine.startReceive(path));
        // The header's ACK got lost: the sender repeats the header and wants ACK and 'C'.
        QCOMPARE(rig.feed(makeHeader("dup.bin", "3072")), kAck + kC);
        QCOMPARE(rig.feed(makeHeader("dup.bin", "3072")), kAck + kC);
        QCOMPARE(rig.feed(makePacket(1, content.left(1024))), kAck);
        QCOMPARE(rig.feed(makePacket(2, content.mid(1024, 1024))), kAck);
        // Our ACK for block 2 got lost, so the sender sends block 2 once more.
        QCOMPARE(rig.feed(makePacket(2, content.mid(1024, 1024))), kAck);
        QCOMPARE(rig.engine.statusText(), QStringLiteral("已收 2048 字节"));
        QCOMPARE(rig.feed(makePacket(3, content.mid(2048))), kAck);
        rig.finishBatch();
        QCOMPARE(rig.finished.at(0).at(0).toBool(), true);
        QCOMPARE(readAll(path), content);
    }

    void skippedBlockIsRefusedNotWritten()
    {
        const QByteArray content = testContent(3 * 1024);
        const QString path = m_dir.filePath("skip.bin");
        Rig rig;
        QVERIFY(rig.engine.startReceive(path));
        rig.feed(makeHeader("skip.bin", "3072"));
        rig.feed(makePacket(1, content.left(1024)));
        QCOMPARE(rig.feed(makePacket(3, content.mid(2048))), kNak);
        QCOMPARE(rig.feed(makePacket(2, content.mid(1024, 1024))), kAck);
        QCOMPARE(rig.feed(makePacket(3, content.mid(2048))), kAck);
        rig.finishBatch();
        QCOMPARE(readAll(path), content);
    }

    void blockNumbersWrapInsideALargeFile()
    {
        // Block 256 carries the number 0 but is data, also when it starts with 0x00.
        QByteArray content = testContent(260 * 1024);
        content[255 * 1024] = '\0';
        content[255 * 1024 + 1] = 'X';
        const QString path = m_dir.filePath("large.bin");
        Rig rig;
        QVERIFY(rig.engine.startReceive(path));
        rig.feed(makeHeader("large.bin", QByteArray::number(content.size())));
        rig.feedBlocks(content);
        QCOMPARE(rig.finished.count(), 0);
        QCOMPARE(rig.engine.state(), YModem::Receiving);
        rig.finishBatch();
        QCOMPARE(rig.finished.at(0).at(0).toBool(), true);
        QCOMPARE(readAll(path), content);
    }

    void withoutSizeOnlyTheLastBlockLosesItsPadding()
    {
        // Zeros that end a block in the middle of the file are data; only the last block's
        // trailing zeros are taken for padding.
        QByteArray content = testContent(2048 + 700);
        content.replace(1000, 24, QByteArray(24, '\0'));
        content.replace(2040, 8, QByteArray(8, '\0'));
        content[content.size() - 1] = 'E';
        const QString path = m_dir.filePath("nosize.bin");
        Rig rig;
        QVERIFY(rig.engine.startReceive(path));
        rig.feed(makeHeader("nosize.bin", ""));
        rig.feedBlocks(content);
        QCOMPARE(rig.engine.progress(), 0);
        rig.finishBatch();
        QCOMPARE(rig.finished.at(0).at(0).toBool(), true);
        QCOMPARE(readAll(path), content);
    }

    void damagedPacketsAreRefusedAndTheRepeatTaken_data()
    {
        QTest::addColumn<int>("damageAt");
        QTest::newRow("data") << 500;
        QTest::newRow("crc") << 1028;
        QTest::newRow("block number") << 1;
        QTest::newRow("complement") << 2;
    }
    void damagedPacketsAreRefusedAndTheRepeatTaken()
    {
        QFETCH(int, damageAt);
        const QByteArray content = testContent(2048);
        const QString path = m_dir.filePath("damaged.bin");
        Rig rig;
        QVERIFY(rig.engine.startReceive(path));
        rig.feed(makeHeader("damaged.bin", "2048"));
        rig.feed(makePacket(1, content.left(1024)));
        QByteArray bad = makePacket(2, content.mid(1024));
        bad[damageAt] = char(bad[damageAt] ^ 0x5A);
        // A damaged packet is answered once, whatever start bytes its remains contain.
        bad.replace(600, 8, "\x04\x02\x01\x18\x04\x18\x18\x04");
        QCOMPARE(rig.feed(bad), kNak);
        QCOMPARE(rig.engine.state(), YModem::Receiving);
        QCOMPARE(rig.feed(makePacket(2, content.mid(1024))), kAck);
        rig.finishBatch();
        QCOMPARE(rig.finished.at(0).at(0).toBool(), true);
        QCOMPARE(readAll(path), content);
    }

    void packetsSplitIntoSmallChunksAreJoined()
    {
        const QByteArray content = testContent(1500);
        const QString path = m_dir.filePath("split.bin");
        Rig rig;
        QVERIFY(rig.engine.startReceive(path));
        QByteArray stream = "noise" + makeHeader("split.bin", "1500");
        for (const QByteArray& chunk : { stream, makePacket(1, content.left(1024)),
                                         makePacket(2, content.mid(1024)) }) {
            for (qsizetype at = 0; at < chunk.size(); at += 7)
                rig.feed(chunk.mid(at, 7));
        }
        rig.finishBatch();
        QCOMPARE(readAll(path), content);
    }

    void strayEotBetweenBlocksDoesNotEndTheFile()
    {
        const QByteArray content = testContent(3000);
        const QString path = m_dir.filePath("eot.bin");
        Rig rig;
        QVERIFY(rig.engine.startReceive(path));
        rig.feed(makeHeader("eot.bin", "3000"));
        rig.feed(makePacket(1, content.left(1024)));
        QCOMPARE(rig.feed(kEot), kNak); // noise on the line
        QCOMPARE(rig.feed(makePacket(2, content.mid(1024, 1024))), kAck);
        // The next lone EOT again counts as the first one.
        QCOMPARE(rig.feed(kEot), kNak);
        QCOMPARE(rig.feed(makePacket(3, content.mid(2048))), kAck);
        rig.finishBatch();
        QCOMPARE(rig.finished.at(0).at(0).toBool(), true);
        QCOMPARE(readAll(path), content);
    }

    void secondFileOfABatchIsRefusedAndTheFirstKept()
    {
        const QByteArray content = testContent(700);
        const QString path = m_dir.filePath("first.bin");
        Rig rig;
        QVERIFY(rig.engine.startReceive(path));
        rig.feed(makeHeader("first.bin", "700"));
        rig.feed(makePacket(1, content, 1024));
        rig.feed(kEot);
        rig.feed(kEot);
        QCOMPARE(rig.feed(makeHeader("second.bin", "5")), kCanCan);
        QCOMPARE(rig.finished.count(), 1);
        QCOMPARE(rig.finished.at(0).at(0).toBool(), true);
        QCOMPARE(readAll(path), content);
    }

    void twoCanFromTheSenderEndTheTransfer()
    {
        Rig rig;
        QVERIFY(rig.engine.startReceive(m_dir.filePath("can.bin")));
        rig.feed(makeHeader("can.bin", "10"));
        rig.feed("\x18" "x" "\x18");
        QCOMPARE(rig.finished.count(), 0);
        rig.feed("\x18");
        QCOMPARE(rig.finished.count(), 1);
        QCOMPARE(rig.finished.at(0).at(0).toBool(), false);
        QCOMPARE(rig.finished.at(0).at(1).toString(), QStringLiteral("对端取消"));
    }

    void silentSenderTimesOut()
    {
        Rig rig;
        rig.engine.setInactivityLimitMs(200);
        QVERIFY(rig.engine.startReceive(m_dir.filePath("quiet.bin")));
        rig.feed(makeHeader("quiet.bin", "5000"));
        // Noise is no progress: it does not hold the limit off.
        for (int i = 0; i < 10 && rig.finished.isEmpty(); ++i) {
            rig.feed("zz");
            QTest::qWait(40);
        }
        QTRY_COMPARE_WITH_TIMEOUT(rig.finished.count(), 1, 3000);
        QCOMPARE(rig.finished.at(0).at(1).toString(), QStringLiteral("传输超时"));
    }

    void failedWriteIsReportedNotAcknowledged()
    {
#ifndef Q_OS_LINUX
        QSKIP("needs a device that refuses writes");
#endif
        Rig rig;
        QVERIFY(rig.engine.startReceive(QStringLiteral("/dev/full")));
        rig.feed(makeHeader("full.bin", "2048"));
        QCOMPARE(rig.feed(makePacket(1, testContent(1024))), kCanCan);
        QCOMPARE(rig.finished.count(), 1);
        QCOMPARE(rig.finished.at(0).at(0).toBool(), false);
        QCOMPARE(rig.finished.at(0).at(1).toString(), QStringLiteral("写入接收文件失败"));
    }

    void packetsHeldByTheTransportDuringAWriteAreCollected()
    {
        // The link reads the sender's next packet while our answer is being written, and
        // does not announce it.
        const QByteArray content = testContent(2000);
        const QString path = m_dir.filePath("held.bin");
        Rig rig;
        QVERIFY(rig.engine.startReceive(path));
        rig.feed(makeHeader("held.bin", "2000"));
        const QList<QByteArray> nextFromSender = {
            makePacket(2, content.mid(1024)), // after the ACK of block 1
            kEot,                             // after the ACK of block 2
            kEot,                             // after the NAK of the first EOT
            QByteArray(),                     // after the ACK of the second EOT
            makePacket(0, QByteArray(), 128), // after the 'C' for the next file
        };
        int answer = 0;
        rig.link.onWrite = [&](const QByteArray&) {
            if (answer < nextFromSender.size())
                rig.link.inbound = nextFromSender.at(answer++);
        };
        rig.feed(makePacket(1, content.left(1024)));
        QCOMPARE(rig.finished.count(), 1);
        QCOMPARE(rig.finished.at(0).at(0).toBool(), true);
        QCOMPARE(readAll(path), content);
    }

    void answersDuringASendWaitUntilItReturns()
    {
        // A sender that answers while our ACK is still being written.
        const QByteArray content = testContent(4 * 1024 + 10);
        const QString path = m_dir.filePath("reentrant.bin");
        Rig rig;
        int stage = 0;
        int next = 1;
        rig.link.onWrite = [&](const QByteArray& w) {
            for (const char c : w) {
                if (stage == 0 && c == 'C') {
                    stage = 1;
                    rig.engine.onRx(makeHeader("reentrant.bin", QByteArray::number(content.size())));
                } else if (stage == 1 && c == '\x06') {
                    stage = 2;
                } else if ((stage == 2 && c == 'C') || (stage == 3 && c == '\x06' && next <= 5)) {
                    stage = 3;
                    rig.engine.onRx(makePacket(next, content.mid((next - 1) * 1024, 1024)));
                    ++next;
                } else if ((stage == 3 && c == '\x06') || (stage == 4 && c == '\x15')) {
                    stage = 4;
                    rig.engine.onRx(kEot);
                } else if (stage == 4 && c == '\x06') {
                    stage = 5;
                } else if (stage == 5 && c == 'C') {
                    stage = 6;
                    rig.engine.onRx(makePacket(0, QByteArray(), 128));
                }
            }
        };
        QVERIFY(rig.engine.startReceive(path));
        QCOMPARE(rig.finished.count(), 1);
        QCOMPARE(rig.finished.at(0).at(0).toBool(), true);
        QCOMPARE(rig.link.maxDepth, 1);
        QCOMPARE(readAll(path), content);
    }
};

QTEST_GUILESS_MAIN(TestYModemReceive)
#include "tst_ymodemreceive.moc"
