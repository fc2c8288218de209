// The engine on a fake transport. Sending: against receiving devices scripted here, each
// row one receiver's habits; the file must arrive whole and in the wire format. Receiving:
// each row is what a sending device puts on the line, chunk by chunk.
#include "EngineRig.h"
#include "TestPackets.h"
#include "TestSupport.h"

#include <QTemporaryDir>
#include <QTest>

using namespace gcs;
using namespace gcs::test;

namespace {

enum class Delivery { AfterWrite, DuringWrite, HeldByTransport };

/// What a receiving device does. The defaults are a plain YModem receiver (lrzsz's rb).
struct Habits
{
    QByteArray ack = kAck; ///< how it says ACK (with a line end, a progress mark, ...)
    QByteArray dataAnswer = kAck; ///< NAK: refuses every block
    QByteArray afterEotAck = kC; ///< 'C' asks for the next header
    QByteArray firstEndHeaderAnswer = kAck; ///< 'C': it missed the empty header
    Delivery delivery = Delivery::AfterWrite;
    bool refuseWrites = false; ///< the transport refuses every write
    bool noise = false; ///< a unit at another rate: seven-bit noise whatever comes
};

/// Plays the receiving device: decodes every write of the engine and answers it.
struct Receiver
{
    EngineRig& rig;
    Habits h;
    QList<QByteArray> queue {};
    QByteArray file {};
    QString problem {};
    qint64 size = 0;
    qint64 said = 0;
    int eots = 0;
    int endHeaders = 0;
    quint32 x = 12345;

    /// Bytes from the device, delivered the way its habits say.
    void say(const QByteArray& bytes)
    {
        said += bytes.size();
        if (h.delivery == Delivery::HeldByTransport)
            rig.link.inbound += bytes;
        else if (h.delivery == Delivery::DuringWrite && !bytes.isEmpty())
            emit rig.link.bytesReceived(bytes);
        else if (!bytes.isEmpty())
            queue << bytes;
    }
    QByteArray answerTo(const QByteArray& w)
    {
        if (h.noise) { // ACK, NAK and 'C' in it by chance (cancels are another row's)
            QByteArray out;
            while (out.size() < 64)
                out += char(((x = x * 1103515245u + 12345u) >> 16) & 0x7F);
            return out.replace('\x18', '\x19');
        }
        if (w == kEot) // the first EOT is refused, as rb does
            return ++eots == 1 ? kNak : h.ack + h.afterEotAck;
        if (w.size() != 133 && w.size() != 1029)
            return {};
        const QByteArray data = w.mid(3, w.size() - 5);
        const quint8 n = quint8(w[1]);
        const quint16 crc = quint16(quint8(w[w.size() - 2]) << 8 | quint8(w[w.size() - 1]));
        if (w[0] != (w.size() == 133 ? '\x01' : '\x02') || (n ^ quint8(w[2])) != 0xFF
            || crc != bitwiseCrc16(data))
            problem = QStringLiteral("bad packet %1").arg(n);
        if (n == 0 && eots > 1)
            return ++endHeaders == 1 ? h.firstEndHeaderAnswer : h.ack;
        if (n == 0) {
            size = data.mid(data.indexOf('\0') + 1).split('\0').first().toLongLong();
            return h.ack + kC;
        }
        const qint64 used = qMin<qint64>(size - file.size(), data.size());
        if (n != quint8(file.size() / 1024 + 1) || w.size() != (used > 128 ? 1029 : 133)
            || data.mid(used).count('\0') != data.size() - used)
            problem = QStringLiteral("block %1 of %2 bytes out of place").arg(n).arg(w.size());
        file += h.dataAnswer == kAck ? data.left(used) : QByteArray();
        return h.dataAnswer == kAck ? h.ack : h.dataAnswer;
    }
    /// Runs the transfer from the device's first 'C' as far as it goes without waiting.
    void run(const QString& path)
    {
        rig.link.onWrite = [this](const QByteArray& w) { say(answerTo(w)); };
        rig.link.refuseWrites = h.refuseWrites;
        QVERIFY(rig.engine.startSend(path));
        say(kC); // early: looked at when the handshake begins
        rig.engine.beginHandshake(5000);
        // A receiver that refuses forever loops with the engine: let its timers run then.
        for (int turn = 0; !queue.isEmpty(); ++turn) {
            rig.feed(queue.takeFirst());
            if (turn > 200)
                QTest::qWait(2);
        }
    }
};

using Chunks = QList<QByteArray>;

Chunks blocks(const QByteArray& content, int first = 1)
{
    Chunks out;
    for (qsizetype at = 0, n = first; at < content.size(); at += 1024, ++n)
        out << makePacket(int(n), content.mid(at, 1024));
    return out;
}

const Chunks kBatchEnd = { kEot, kEot, makePacket(0, QByteArray(), 128) };

/// The answers to a header, `count` blocks and the end of the batch.
QByteArray answers(int count)
{
    return kAck + kC + kAck.repeated(count) + kNak + kAck + kC + kAck;
}

QByteArray withZeros(QByteArray content, qsizetype at, qsizetype count)
{
    return content.replace(at, count, QByteArray(count, '\0'));
}

} // namespace

Q_DECLARE_METATYPE(Habits)

class TestYModem : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString writeFile(const QString& name, const QByteArray& content)
    {
        return writeFileBytes(m_dir.filePath(name), content) ? m_dir.filePath(name) : QString();
    }

private slots:
    void receiverScript_data()
    {
        QTest::addColumn<int>("size"); // below 0: an image that opens but cannot be read
        QTest::addColumn<Habits>("habits");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("endHeader"); // the receiver got the empty header
        const QString ok = QStringLiteral("文件发送成功");
        const auto with = [](void (*change)(Habits&)) {
            Habits h;
            change(h);
            return h;
        };
        QTest::newRow("one long and one short block") << 1030 << Habits() << ok << true;
        QTest::newRow("ACK then CR LF")
            << 5000 << with([](Habits& h) { h.ack = "\x06\r\n"; }) << ok << true;
        QTest::newRow("ACK then a progress mark")
            << 3000 << with([](Habits& h) { h.ack = "\x06."; }) << ok << true;
        QTest::newRow("a lone CAN before each ACK")
            << 3000 << with([](Habits& h) { h.ack = "\x18\x06"; }) << ok << true;
        QTest::newRow("answers during the write")
            << 10 * 1024 + 3 << with([](Habits& h) { h.delivery = Delivery::DuringWrite; }) << ok
            << true;
        QTest::newRow("answers held by the transport")
            << 1500 << with([](Habits& h) { h.delivery = Delivery::HeldByTransport; }) << ok
            << true;
        QTest::newRow("misses the empty header once")
            << 2000 << with([](Habits& h) { h.firstEndHeaderAnswer = kC; }) << ok << true;
        QTest::newRow("boots right after the EOT's ACK")
            << 2000 << with([](Habits& h) { h.afterEotAck.clear(); }) << ok << false;
        // The new firmware's first bytes: a cancel, then frames; a 'C' deep in them is no request.
        QTest::newRow("talks right after the EOT's ACK") << 2000 << with([](Habits& h) {
            h.afterEotAck = kCanCan + QByteArray(40, 'U') + kC + kAck + kC;
        }) << ok << false;
        QTest::newRow("refuses every block") << 5000 << with([](Habits& h) { h.dataAnswer = kNak; })
                                             << QStringLiteral("传输超时") << false;
        QTest::newRow("talks at another rate") << 4096 << with([](Habits& h) { h.noise = true; })
                                               << QStringLiteral("传输超时") << false;
        QTest::newRow("header refused by the link")
            << 5000 << with([](Habits& h) { h.refuseWrites = true; })
            << QStringLiteral("发送初始包失败") << false;
#ifdef Q_OS_LINUX
        QTest::newRow("unreadable image")
            << -1 << Habits() << QStringLiteral("读取固件文件失败") << false;
#endif
    }
    void receiverScript()
    {
        QFETCH(int, size);
        QFETCH(Habits, habits);
        QFETCH(QString, message);
        QFETCH(bool, endHeader);
        const QByteArray content = testContent(qMax(size, 0), uint(size));
        EngineRig rig;
        rig.engine.setInactivityLimitMs(300);
        Receiver device { rig, habits };
        // Reading /proc/self/mem fails at offset 0: no EOT may follow a truncated image.
        device.run(size < 0 ? QStringLiteral("/proc/self/mem") : writeFile("fw.bin", content));
        const bool sent = message == QStringLiteral("文件发送成功");
        // The transfer has succeeded once the EOT is acknowledged, whatever follows it.
        if (!sent)
            QTRY_COMPARE_WITH_TIMEOUT(rig.finished.count(), 1, 3000);
        QCOMPARE(rig.finished.count(), 1);
        QCOMPARE(rig.message(), message);
        // Every byte reached the session's counter (also those the engine read itself).
        QCOMPARE(rig.session.rxBytes(), device.said);
        QCOMPARE(rig.link.maxDepth, 1); // no packet went out from inside another's write
        QVERIFY2(device.problem.isEmpty(), qPrintable(device.problem));
        QCOMPARE(device.endHeaders > 0, endHeader);
        QCOMPARE(rig.engine.endingBatch(), sent && !endHeader); // still listening for a 'C'
        if (size < 0)
            QCOMPARE(rig.link.writes.last(), kCanCan);
        if (habits.dataAnswer == kNak) // every NAK was answered with the same block
            QVERIFY(rig.link.writes.size() > 5 && rig.link.writes.at(2) == rig.link.writes.at(3));
        if (!sent)
            return;
        QCOMPARE(device.file, content);
        QCOMPARE(rig.engine.progress(), 100);
        if (size == 1030)
            QCOMPARE(rig.statuses.join('|'),
                     QStringLiteral(
                         "准备等待升级模式|等待设备进入升级模式|设备已进入升级模式，发送文件头|"
                         "文件头已发送，等待设备确认|发送数据包 1|发送数据包 2|发送 EOT|"
                         "文件发送成功"));
    }

    void theOldFirmwaresBytesNeverStartTheTransfer()
    {
        // What the old firmware sent before the port was reopened for the boot loader goes
        // with the reopen, in the engine as in the transport, 'C' or not.
        EngineRig rig;
        QVERIFY(rig.engine.startSend(writeFile("early.bin", "firmware")));
        rig.feed("old C frames");
        rig.link.inbound = "C";
        rig.engine.discardInbound();
        rig.engine.beginHandshake(0);
        QCOMPARE(rig.engine.handshakeRemainSec(), 20); // the default window
        QCOMPARE(rig.engine.statusText(), QStringLiteral("等待设备进入升级模式"));
        // It may talk on after the reopen (until the reset reaches it, or the user's hand):
        // a 'C' or CAN CAN among its bytes, or a 'C' right after them, is not the boot loader.
        rig.feed("\xAA\x55 C \x18\x18 frame");
        rig.feed(kC);
        QVERIFY(rig.engine.waitingForC() && rig.link.writes.isEmpty());
        QTest::qWait(YModem::kQuietBeforeRequestMs + 10);
        QCOMPARE(rig.feed(kC), makeHeader("early.bin", "8"));
    }

    void handshakeCountsDownAndExplainsATimeout_data()
    {
        QTest::addColumn<int>("window");
        QTest::addColumn<QByteArray>("arrived");
        QTest::addColumn<QString>("message");
        QByteArray garbage;
        for (int i = 0; i < 40; ++i)
            garbage.append(char(0x80 + i));
        const QString timeout = QStringLiteral("限时内未进入升级模式（串口共 ");
        QTest::newRow("nothing") << 300 << QByteArray()
                                 << timeout + "0 字节，无数据：请确认已复位且串口为 115200)";
        QTest::newRow("wrong baud") << 1500 << garbage
                                    << timeout
                + "40 字节，片段 80 81 82 83 84 85 86 87 88 89 8a 8b 8c 8d "
                  "8e 8f 90 91 92 93 94 95 96 97；有数据但未识别到升级握手，"
                  "请核对波特率或复位时机)";
    }
    void handshakeCountsDownAndExplainsATimeout()
    {
        QFETCH(int, window);
        QFETCH(QByteArray, arrived);
        QFETCH(QString, message);
        EngineRig rig;
        QSignalSpy waiting(&rig.engine, &YModem::waitingForCChanged);
        QVERIFY(rig.engine.startSend(writeFile("t.bin", "x")));
        rig.feed(arrived.left(10)); // part of it while still Prepared
        rig.engine.beginHandshake(window);
        QCOMPARE(rig.engine.handshakeRemainSec(), (window + 999) / 1000);
        rig.feed(arrived.mid(10));
        QTRY_COMPARE_WITH_TIMEOUT(rig.engine.handshakeRemainSec(), 1, 2000);
        QCOMPARE(rig.engine.statusText(),
                 arrived.isEmpty() ? QStringLiteral("等待设备进入升级模式")
                                   : QStringLiteral("已收 40 字节，尚未进入升级模式"));
        QVERIFY(rig.finished.wait(3000));
        QCOMPARE(rig.message(), message);
        QCOMPARE(rig.engine.statusText(), message);
        QCOMPARE(waiting.count(), 2);
        QVERIFY(rig.link.writes.isEmpty());
    }

    void startsAreRefusedWithoutTransportOrWhileBusy()
    {
        YModem alone;
        QVERIFY(!alone.startSend(writeFile("a.bin", "abc")) && !alone.startReceive("r.bin"));
        EngineRig rig;
        QVERIFY(!rig.engine.startSend(m_dir.path())); // a folder is no firmware
        QVERIFY(!rig.engine.startReceive(m_dir.filePath("no/such/folder/x.bin")));
        QVERIFY(rig.engine.startSend(m_dir.filePath("a.bin")));
        QVERIFY(!rig.engine.startSend(m_dir.filePath("a.bin"))
                && !rig.engine.startReceive("c.bin"));
        QCOMPARE(rig.engine.state(), YModem::Prepared);
        QCOMPARE(rig.finished.count(), 2);
        QCOMPARE(rig.finished[0][1].toString(), QStringLiteral("无法打开固件文件"));
        QCOMPARE(rig.finished[1][1].toString(), QStringLiteral("无法创建接收文件"));
        QVERIFY(rig.link.writes.isEmpty() && !QFile::exists("c.bin") && !QFile::exists("r.bin"));
    }

    void senderScript_data()
    {
        QTest::addColumn<Chunks>("chunks");
        QTest::addColumn<QByteArray>("answers");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("message");
        const QString ok = QStringLiteral("文件接收成功");
        // All zeros inside an announced size belong to the file, also at its end.
        const QByteArray sized = withZeros(testContent(1500), 1490, 10);
        QTest::newRow("announced size")
            << Chunks { makeHeader("固件_ü.bin", "1500") } + blocks(sized) + kBatchEnd << answers(2)
            << sized << ok;
        // Without a size only the last block's trailing zeros are padding.
        QByteArray unsized = withZeros(withZeros(testContent(2748), 1000, 24), 2040, 8);
        unsized[unsized.size() - 1] = 'E';
        QTest::newRow("no size") << Chunks { makeHeader("n", "") } + blocks(unsized) + kBatchEnd
                                 << answers(3) << unsized << ok;
        const QByteArray dup = testContent(3072);
        const QByteArray h = makeHeader("d", "3072");
        const QByteArray b1 = makePacket(1, dup.left(1024));
        const QByteArray b2 = makePacket(2, dup.mid(1024, 1024));
        const QByteArray b3 = makePacket(3, dup.mid(2048));
        // Our ACKs got lost: the header and block 2 come again, and are written once.
        QTest::newRow("lost answers")
            << Chunks { h, h, b1, b2, b2, b3 } + kBatchEnd << kAck + kC + answers(4) << dup << ok;
        QTest::newRow("skipped block")
            << Chunks { h, b1, b3, b2, b3 } + kBatchEnd
            << kAck + kC + kAck + kNak + kAck + answers(1).mid(2) << dup << ok;
        // A lone EOT between blocks is noise; the next one again counts as the first.
        QTest::newRow("stray EOT")
            << Chunks { h, b1, kEot, b2, kEot, b3 } + kBatchEnd
            << kAck + kC + kAck + kNak + kAck + kNak + answers(1).mid(2) << dup << ok;
        // A damaged packet is answered once, whatever start bytes its remains contain.
        for (const int at : { 500, 1028, 1, 2 }) {
            QByteArray bad = b2;
            bad[at] = char(bad[at] ^ 0x5A);
            bad.replace(600, 8, "\x04\x02\x01\x18\x04\x18\x18\x04");
            QTest::addRow("damaged at %d", at)
                << Chunks { h, b1, bad, b2, b3 } + kBatchEnd
                << kAck + kC + kAck + kNak + answers(2).mid(2) << dup << ok;
        }
        QTest::newRow("second file of the batch")
            << Chunks { h, b1, b2, b3, kEot, kEot, makeHeader("g", "5") }
            << kAck + kC + kAck.repeated(3) + kNak + kAck + kC + kCanCan << dup << ok;
#ifdef Q_OS_LINUX
        QTest::newRow("disk full") << Chunks { h, b1 } << kAck + kC + kCanCan << QByteArray()
                                   << QStringLiteral("写入接收文件失败");
#endif
    }
    void senderScript()
    {
        QFETCH(Chunks, chunks);
        QFETCH(QByteArray, answers);
        QFETCH(QByteArray, file);
        QFETCH(QString, message);
        const bool full = QTest::currentDataTag() == QByteArray("disk full");
        const QString path = full ? QStringLiteral("/dev/full") : m_dir.filePath("saved.bin");
        EngineRig rig;
        QVERIFY(rig.engine.startReceive(path));
        QCOMPARE(rig.link.writes, QList<QByteArray> { kC });
        QByteArray answered;
        for (const QByteArray& chunk : chunks)
            answered += rig.feed(chunk);
        QCOMPARE(answered, answers);
        QCOMPARE(rig.finished.count(), 1);
        QCOMPARE(rig.message(), message);
        QCOMPARE(full ? QByteArray() : readFileBytes(path), file);
        if (QTest::currentDataTag() == QByteArray("announced size"))
            QCOMPARE(rig.statuses.join('|'),
                     QStringLiteral("已发送 C，等待文件头|接收 固件_ü.bin|已收 1024 字节|"
                                    "已收 1500 字节|收到 EOT，等待确认|等待结束空包|文件接收成功"));
    }
};

QTEST_GUILESS_MAIN(TestYModem)
#include "tst_ymodem.moc"
