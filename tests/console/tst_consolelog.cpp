#include "console/ConsoleLog.h"
#include "console/LogFormat.h"

#include <QTest>

using namespace gcs;

namespace {

const QDateTime kT1(QDate(2024, 3, 9), QTime(10, 0, 1));
const QDateTime kT2(QDate(2024, 3, 9), QTime(10, 0, 2));

/// Letters with a control byte, a NUL and a line feed in every 64 bytes.
QByteArray stream(qsizetype count)
{
    QByteArray bytes(count, Qt::Uninitialized);
    for (qsizetype i = 0; i < count; ++i)
        bytes[i] = i % 64 < 61 ? char('A' + i % 26) : "\x01\0\n"[i % 64 - 61];
    return bytes;
}

/// Feeds bytes as received on the raw page and renders all of them.
void receiveAndFlush(ConsoleLog& log, const QByteArray& bytes)
{
    for (qsizetype at = 0; at < bytes.size(); at += ConsoleLog::kMaxPendingRaw) {
        log.takeReceived(bytes.mid(at, ConsoleLog::kMaxPendingRaw), true);
        while (log.flushRawBatch(false, kT1).took) { }
    }
}

} // namespace

/// The communication log: its blocks and text forms, counters and bounded buffers.
class TestConsoleLog : public QObject
{
    Q_OBJECT

private slots:
    // A sent command shows without its line end; in text mode a binary one shows no bytes.
    void commandTraces_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("hex");
        QTest::addColumn<QString>("shown");
        QTest::newRow("controls and NUL of valid text become points")
            << QByteArray("ab\x01\tc\r\n\0xyz\r\n", 13) << false << "ab.\tc\r\n.xyz\n";
        QTest::newRow("invalid UTF-8 goes byte by byte")
            << QByteArray("ABCDEFG\xE8\t") << false << "ABCDEFG.\t\n";
        QTest::newRow("frame header is binary") << QByteArray("\xAA\x55 abcdefgh") << false << "";
        // 4 x 7 = 28 is below 3 x 10 = 30; with eight printable bytes 32 is not.
        QTest::newRow("seven of ten printable is binary")
            << QByteArray("abcdefg\x01\x02\x03") << false << "";
        QTest::newRow("eight of ten printable is text")
            << QByteArray("abcdefgh\x01\x02") << false << "abcdefgh..\n";
        QTest::newRow("#vorn is never binary")
            << QByteArray("#vorn\x01\x02\x03\x04\x05") << false << "#vorn.....\n";
        QTest::newRow("hex") << QByteArray("#vorn,a*ff\r\n") << true
                             << "23 76 6f 72 6e 2c 61 2a 66 66\n";
    }

    void commandTraces()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, hex);
        QFETCH(QString, shown);
        ConsoleLog log;
        log.setHexMode(hex);
        QCOMPARE(log.appendCommandTrace(bytes, kT1), "── 10:00:01 发送 ──\n" + shown);
        QCOMPARE(log.txCount(), bytes.size());
    }

    void blocksFollowEachOtherAndOnlyReceivedBytesChangeForm()
    {
        ConsoleLog log;
        const QString sent1 = QStringLiteral("── 10:00:01 发送 ──\n#vorn,get com1*ff\n");
        const QString sent2 = QStringLiteral("\n── 10:00:02 发送 ──\n#vorn,get axis*ff\n");
        QCOMPARE(log.appendCommandTrace("#vorn,get com1*ff\r\n", kT1), sent1);
        log.takeReceived("#vorn,com1", true);
        QCOMPARE(log.flushRawBatch(false, kT2).appended, "── 10:00:02 接收 ──\n#vorn,com1");
        log.takeReceived(QByteArray(",1\x01\0", 4), true); // the same block: no banner
        QCOMPARE(log.flushRawBatch(false, kT2).appended, QStringLiteral(",1."));
        QCOMPARE(log.appendCommandTrace("#vorn,get axis*ff\r\n", kT2), sent2);
        log.takeReceived("AB", true);
        log.flushRawBatch(false, kT2);
        const QString text
            = sent1 + "── 10:00:02 接收 ──\n#vorn,com1,1." + sent2 + "── 10:00:02 接收 ──\nAB";
        QCOMPARE(log.text(), text);
        QCOMPARE(log.rxCount(), 16);

        // Received bytes are rendered again in the new form; written lines stay as they are.
        QVERIFY(log.setHexMode(true));
        QCOMPARE(log.text(),
                 sent1 + "── 10:00:02 接收 ──\n23 76 6f 72 6e 2c 63 6f 6d 31\n2c 31 01 00\n" + sent2
                     + "── 10:00:02 接收 ──\n41 42\n");
        log.setHexMode(false);
        QCOMPARE(log.text(), text);
    }

    // Other products log each message on its own time-stamped line.
    void messagesOfOtherProductsAreTimeStampedLines()
    {
        ConsoleLog log;
        const QByteArray frame = QByteArray("\xAA\x55", 2) + QByteArray(29, '\x07');
        const QString first = log.appendOnePacket(frame, kT1);
        QCOMPARE(first,
                 QStringLiteral("── 10:00:01 接收 ──\n2024-03-09 10:00:01.000 ")
                     + gcs::logHexText(frame) + QLatin1Char('\n'));
        const QString second = log.appendOnePacket("#vorn,softver,V2.1.0*ff\r\n", kT2);
        QCOMPARE(second, QStringLiteral("2024-03-09 10:00:02.000 #vorn,softver,V2.1.0*ff\n"));
        log.setPaused(true);
        QVERIFY(log.appendOnePacket("#vorn,gnss,1*ff", kT2).isEmpty());
        QVERIFY(log.appendOnePacket(QByteArray(), kT2).isEmpty());
        QCOMPARE(log.text(), first + second);
    }

    void everyBufferKeepsItsNewest()
    {
        for (const bool hex : { false, true }) {
            ConsoleLog log;
            log.setHexMode(hex);
            const QByteArray bytes = stream(250000);
            receiveAndFlush(log, bytes);
            QVERIFY(log.text().size() <= ConsoleLog::kMaxTextChars);
            // The text is the newest bytes, whole batches rendered in order, and trimming
            // by 4096-byte steps never empties it far below its cap.
            QString expected;
            for (qsizetype at = bytes.size() - log.archivedRawBytes(); at < bytes.size();) {
                const qsizetype end = (at / ConsoleLog::kBatchBytes + 1) * ConsoleLog::kBatchBytes;
                expected += formatInsRawBytes(bytes.mid(at, qMin(end, bytes.size()) - at), hex);
                at = end;
            }
            QCOMPARE(log.text(), expected);
            QVERIFY(log.text().size()
                    > ConsoleLog::kMaxTextChars - 3 * ConsoleLog::kArchiveTrimStep - 64);
            log.setHexMode(!hex); // rendering the whole log again keeps the cap
            QVERIFY(log.text().size() <= ConsoleLog::kMaxTextChars);
            QVERIFY(log.text().endsWith(formatInsRawBytes(bytes.right(4), !hex)));
        }

        // NULs take no room in the text: the byte cap holds them, and the banner went.
        ConsoleLog zeros;
        receiveAndFlush(zeros, QByteArray(150000, '\0'));
        QCOMPARE(zeros.archivedRawBytes(), ConsoleLog::kMaxArchiveBytes);
        QCOMPARE(zeros.text(), QString());

        ConsoleLog sends;
        for (int i = 0; i < 3000; ++i)
            sends.appendCommandTrace(QByteArray::number(i) + "\r\n", kT1);
        QCOMPARE(sends.text().size(), ConsoleLog::kMaxTextChars);
        QVERIFY(sends.text().endsWith(QStringLiteral("发送 ──\n2999\n")));
        // A single block larger than the whole log leaves its end.
        const QString huge = QString(70000, QLatin1Char('x')) + QStringLiteral("end\n");
        QCOMPARE(sends.commit(huge), huge.right(ConsoleLog::kMaxTextChars));
        QCOMPARE(sends.text(), huge.right(ConsoleLog::kMaxTextChars));
    }
};

QTEST_GUILESS_MAIN(TestConsoleLog)
#include "tst_consolelog.moc"
