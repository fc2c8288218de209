#include "console/ConsoleLog.h"
#include "console/LogFormat.h"

#include "TestSupport.h"

#include <QTemporaryDir>
#include <QTest>

using gcs::ConsoleLog;

namespace {

const QDateTime kT1(QDate(2024, 3, 9), QTime(10, 0, 1, 250));
const QDateTime kT2(QDate(2024, 3, 9), QTime(10, 0, 2, 500));

/// count bytes whose values run on from first (mod 256), none of them NUL.
QByteArray numbered(qsizetype count, int first = 0)
{
    QByteArray bytes(count, Qt::Uninitialized);
    for (qsizetype i = 0; i < count; ++i)
        bytes[i] = char(1 + (first + i) % 255);
    return bytes;
}

/// Printable text of count characters in which every 64th is a line feed.
QByteArray printable(qsizetype count, int first = 0)
{
    QByteArray bytes(count, Qt::Uninitialized);
    for (qsizetype i = 0; i < count; ++i)
        bytes[i] = (first + i) % 64 == 63 ? '\n' : char('A' + (first + i) % 26);
    return bytes;
}

/// Feeds bytes as received on the raw page and renders all of them.
void receiveAndFlush(ConsoleLog& log, const QByteArray& bytes, const QDateTime& now = kT1)
{
    for (qsizetype at = 0; at < bytes.size(); at += ConsoleLog::kMaxPendingRaw) {
        log.takeReceived(bytes.mid(at, ConsoleLog::kMaxPendingRaw), true);
        while (log.flushRawBatch(false, now).took) { }
    }
}

} // namespace

class TestConsoleLog : public QObject
{
    Q_OBJECT

private slots:
    void sentCommandIsTracedWithoutItsLineEnd()
    {
        ConsoleLog log;
        const QString added = log.appendCommandTrace("#vorn,get softver*ff\r\n", kT1);
        QCOMPARE(added, QStringLiteral("── 10:00:01 发送 ──\n#vorn,get softver*ff\n"));
        QCOMPARE(log.text(), added);
        QCOMPARE(log.txCount(), 22);
        QVERIFY(log.receiveBannerDue());
    }

    void receivedBytesAfterASendStartANewBlock()
    {
        ConsoleLog log;
        log.appendCommandTrace("#vorn,get com1*ff\r\n", kT1);
        log.takeReceived("#vorn,com1", true);
        const ConsoleLog::Flush first = log.flushRawBatch(false, kT2);
        QVERIFY(first.took);
        QCOMPARE(first.appended, QStringLiteral("── 10:00:02 接收 ──\n#vorn,com1"));
        QVERIFY(!first.more);

        // More data of the same block: no second banner.
        log.takeReceived(",mode:422", true);
        QCOMPARE(log.flushRawBatch(false, kT2).appended, QStringLiteral(",mode:422"));

        // The next send starts on a line of its own, and blocks stay in time order.
        log.appendCommandTrace("#vorn,get axis*ff\r\n", kT2);
        log.takeReceived("#vorn,axis", true);
        log.flushRawBatch(false, kT2);
        QCOMPARE(log.text(),
                 QStringLiteral("── 10:00:01 发送 ──\n#vorn,get com1*ff\n"
                                "── 10:00:02 接收 ──\n#vorn,com1,mode:422\n"
                                "── 10:00:02 发送 ──\n#vorn,get axis*ff\n"
                                "── 10:00:02 接收 ──\n#vorn,axis"));
        QCOMPARE(log.rxCount(), 29);
    }

    void commandTraceForms()
    {
        ConsoleLog log;
        const QByteArray binary("\xAA\x55\x01\x02", 4);
        // A binary command in text form shows the banner only.
        QCOMPARE(log.appendCommandTrace(binary, kT1), QStringLiteral("── 10:00:01 发送 ──\n"));
        log.setHexMode(true);
        QCOMPARE(log.appendCommandTrace(binary, kT1),
                 QStringLiteral("── 10:00:01 发送 ──\naa 55 01 02\n"));
        QCOMPARE(
            log.appendCommandTrace("#vorn,start com1*ff\r\n", kT1),
            QStringLiteral("── 10:00:01 发送 ──\n23 76 6f 72 6e 2c 73 74 61 72 74 20 63 6f 6d 31 "
                           "2a 66 66\n"));
        QCOMPARE(log.txCount(), 4 + 4 + 21);
    }

    void messagesOfOtherProductsAreTimeStampedLines()
    {
        ConsoleLog log;
        QByteArray frame("\xAA\x55", 2);
        frame += numbered(29);
        const QString first = log.appendOnePacket(frame, kT1);
        QCOMPARE(first,
                 QStringLiteral("── 10:00:01 接收 ──\n2024-03-09 10:00:01.250 ")
                     + gcs::logHexText(frame) + QLatin1Char('\n'));
        const QString second = log.appendOnePacket("#vorn,softver,V2.1.0*ff\r\n", kT2);
        QCOMPARE(second, QStringLiteral("2024-03-09 10:00:02.500 #vorn,softver,V2.1.0*ff\n"));

        log.setPaused(true);
        QVERIFY(log.appendOnePacket("#vorn,gnss,1*ff", kT2).isEmpty());
        QVERIFY(log.appendOnePacket(QByteArray(), kT2).isEmpty());
        QCOMPARE(log.text(), first + second);
    }

    void pauseStopsCountingAndCapture()
    {
        ConsoleLog log;
        log.takeReceived("abc", false);
        QCOMPARE(log.rxCount(), 3); // outside the raw view bytes are only counted
        QCOMPARE(log.pendingRawBytes(), 0);

        QVERIFY(log.setPaused(true));
        QVERIFY(!log.setPaused(true));
        log.takeReceived("defg", true);
        QCOMPARE(log.rxCount(), 3);
        QCOMPARE(log.pendingRawBytes(), 0);

        log.clear();
        QVERIFY(log.paused()); // clearing keeps the pause
        QCOMPARE(log.rxCount(), 0);
        QVERIFY(log.text().isEmpty());
    }

    void pausedBatchesWaitUnlessForced()
    {
        ConsoleLog log;
        log.takeReceived("abc", true);
        log.setPaused(true);
        QVERIFY(!log.flushRawBatch(false, kT1).took);
        QCOMPARE(log.pendingRawBytes(), 3);
        QVERIFY(log.flushRawBatch(true, kT1).took);
        QCOMPARE(log.pendingRawBytes(), 0);
    }

    void pendingBytesKeepTheNewest()
    {
        ConsoleLog log;
        const QByteArray all = numbered(60000);
        log.takeReceived(all.left(30000), true);
        log.takeReceived(all.mid(30000), true);
        QCOMPARE(log.pendingRawBytes(), ConsoleLog::kMaxPendingRaw);
        log.setHexMode(true);
        const ConsoleLog::Flush flush = log.flushRawBatch(false, kT1);
        const QByteArray expected
            = all.mid(60000 - ConsoleLog::kMaxPendingRaw, ConsoleLog::kBatchBytes);
        QVERIFY(flush.appended.endsWith(gcs::formatInsRawBytes(expected, true)));
    }

    void backlogDrainsOneBatchAtATime()
    {
        ConsoleLog log;
        log.takeReceived(printable(ConsoleLog::kMaxPendingRaw), true);
        int batches = 0;
        for (;;) {
            const qsizetype before = log.pendingRawBytes();
            const ConsoleLog::Flush flush = log.flushRawBatch(false, kT1);
            if (!flush.took)
                break;
            ++batches;
            QCOMPARE(before - log.pendingRawBytes(), qMin(before, ConsoleLog::kBatchBytes));
            QCOMPARE(flush.more, log.pendingRawBytes() > 0);
        }
        QCOMPARE(batches, int(ConsoleLog::kMaxPendingRaw / ConsoleLog::kBatchBytes));
    }

    void renderedBytesAndTextStayWithinTheirCaps()
    {
        for (const bool hex : { false, true }) {
            ConsoleLog log;
            log.setHexMode(hex);
            const QByteArray all = printable(250000);
            receiveAndFlush(log, all);
            QVERIFY(log.archivedRawBytes() <= ConsoleLog::kMaxArchiveBytes);
            QVERIFY(log.text().size() <= ConsoleLog::kMaxTextChars);
            // The newest bytes are what is left, whole batches rendered in order.
            const qsizetype kept = log.archivedRawBytes();
            QVERIFY(kept > 0);
            QString expected;
            const qsizetype firstKept = all.size() - kept;
            for (qsizetype at = firstKept; at < all.size();) {
                const qsizetype batchEnd
                    = (at / ConsoleLog::kBatchBytes + 1) * ConsoleLog::kBatchBytes;
                expected
                    += gcs::formatInsRawBytes(all.mid(at, qMin(batchEnd, all.size()) - at), hex);
                at = batchEnd;
            }
            QVERIFY2(log.text().endsWith(expected), hex ? "hex" : "text");
            // Trimming goes by whole 4096-byte steps, so the text is never emptied far
            // below its cap.
            QVERIFY(log.text().size()
                    > ConsoleLog::kMaxTextChars - 3 * ConsoleLog::kArchiveTrimStep - 64);
        }
    }

    void archiveKeepsTheNewestBytesWhenTextIsSmall()
    {
        // NUL bytes take no room in the text form, so only the byte cap holds them.
        ConsoleLog log;
        receiveAndFlush(log, QByteArray(150000, '\0'));
        QCOMPARE(log.archivedRawBytes(), ConsoleLog::kMaxArchiveBytes);
        // The banner is older than the bytes that had to go, so it went with them.
        QCOMPARE(log.text(), QString());
    }

    void hexSwitchRendersBatchesAgainButKeepsWrittenLines()
    {
        ConsoleLog log;
        log.appendCommandTrace("#vorn,get com1*ff\r\n", kT1);
        log.takeReceived(QByteArray("AB\0", 3), true);
        log.flushRawBatch(false, kT2);
        const QString trace = QStringLiteral("── 10:00:01 发送 ──\n#vorn,get com1*ff\n");
        QCOMPARE(log.text(), trace + QStringLiteral("── 10:00:02 接收 ──\nAB"));
        QVERIFY(log.setHexMode(true));
        QVERIFY(!log.setHexMode(true));
        QCOMPARE(log.text(), trace + QStringLiteral("── 10:00:02 接收 ──\n41 42 00\n"));
        log.setHexMode(false);
        QCOMPARE(log.text(), trace + QStringLiteral("── 10:00:02 接收 ──\nAB"));
    }

    void hexSwitchOfAFullLogStaysWithinTheCap()
    {
        ConsoleLog log;
        receiveAndFlush(log, printable(ConsoleLog::kMaxArchiveBytes));
        log.setHexMode(true);
        QVERIFY(log.text().size() <= ConsoleLog::kMaxTextChars);
        QVERIFY(log.text().endsWith(QStringLiteral("\n")));
    }

    void manySendsKeepTheLogBounded()
    {
        ConsoleLog log;
        for (int i = 0; i < 3000; ++i)
            log.appendCommandTrace(QStringLiteral("#vorn,set align time,%1*ff\r\n").arg(i).toUtf8(),
                                   kT1);
        QVERIFY(log.text().size() <= ConsoleLog::kMaxTextChars);
        QVERIFY(log.text().size() > ConsoleLog::kMaxTextChars - 100);
        QVERIFY(log.text().endsWith(QStringLiteral("#vorn,set align time,2999*ff\n")));

        // A single block larger than the whole log leaves its end.
        const QString huge = QString(70000, QLatin1Char('x')) + QStringLiteral("end\n");
        QCOMPARE(log.commit(huge), huge.right(ConsoleLog::kMaxTextChars));
        QCOMPARE(log.text(), huge.right(ConsoleLog::kMaxTextChars));
    }

    void clearingStartsOver()
    {
        ConsoleLog log;
        log.appendCommandTrace("#vorn,get com1*ff\r\n", kT1);
        receiveAndFlush(log, printable(20000));
        log.takeReceived("pending", true);
        log.clear();
        QVERIFY(log.text().isEmpty());
        QCOMPARE(log.pendingRawBytes(), 0);
        QCOMPARE(log.archivedRawBytes(), 0);
        QCOMPARE(log.txCount(), 0);
        QCOMPARE(log.rxCount(), 0);
        QVERIFY(log.receiveBannerDue());
        log.takeReceived("x", true);
        QCOMPARE(log.flushRawBatch(false, kT2).appended, QStringLiteral("── 10:00:02 接收 ──\nx"));
    }

    void savingWritesTheTextAsUtf8()
    {
        QTemporaryDir dir;
        ConsoleLog log;
        log.appendCommandTrace("#vorn,get com1*ff\r\n", kT1);
        const QString path = dir.filePath(QStringLiteral("log.txt"));
        QVERIFY(gcs::test::writeFileBytes(path, QByteArray(300, 'x')));
        QString why;
        QVERIFY(log.save(path, &why));
        QCOMPARE(QString::fromUtf8(gcs::test::readFileBytes(path)), log.text());

        QVERIFY(!log.save(dir.filePath(QStringLiteral("missing/log.txt")), &why));
        QVERIFY(!why.isEmpty());
        QVERIFY(!log.save(QString(), &why));
    }
};

QTEST_GUILESS_MAIN(TestConsoleLog)
#include "tst_consolelog.moc"
