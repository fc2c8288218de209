// The engine against lrzsz with a relay in between that damages the line: every transfer
// either ends with an identical file or with its failure message, and nothing hangs.
// Each case runs twice: our sender to "rb", and "sb" to our receiver.
#include "EngineLine.h"
#include "FaultRelay.h"
#include "TestPackets.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <memory>

using namespace gcs;
using gcs::test::EngineLine;
using gcs::test::FaultRelay;
using gcs::test::TtyProgram;

namespace {

constexpr char kAck = 0x06;
constexpr char kNak = 0x15;

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

/// Keeps the last whole packet seen in one direction of the relay.
struct PacketTracker
{
    QByteArray buffer;
    QByteArray last;
    void feed(const QByteArray& bytes)
    {
        buffer += bytes;
        while (!buffer.isEmpty()) {
            const char c = buffer.at(0);
            if (c != 0x01 && c != 0x02) {
                buffer.remove(0, 1);
                continue;
            }
            const int length = c == 0x01 ? 133 : 1029;
            if (buffer.size() < length)
                return;
            last = buffer.left(length);
            buffer.remove(0, length);
        }
    }
};

/// One transfer through the relay: engine - pty pair - relay - pty pair - lrzsz.
class FaultRun
{
public:
    explicit FaultRun(bool engineSends)
        : m_engineSends(engineSends)
    {
    }

    /// Direction of the file data, and of the receiver's answers.
    FaultRelay::Direction data() const
    {
        return m_engineSends ? FaultRelay::TowardsPeer : FaultRelay::TowardsEngine;
    }
    FaultRelay::Direction replies() const
    {
        return m_engineSends ? FaultRelay::TowardsEngine : FaultRelay::TowardsPeer;
    }

    bool start(FaultRelay::Filter filter, int inactivityMs, QString* error, int size = 100 * 1024)
    {
        content = gcs::test::testContent(size, 99);
        QFile f(QDir(m_source.path()).filePath("fault.bin"));
        if (!f.open(QIODevice::WriteOnly) || f.write(content) != content.size()) {
            *error = QStringLiteral("cannot write the source file");
            return false;
        }
        f.close();
        if (!line.start(error))
            return false;
        if (!m_peerPair.start()) {
            *error = m_peerPair.errorText();
            return false;
        }
        if (!relay.start(line.peerEnd(), m_peerPair.endA(), std::move(filter))) {
            *error = QStringLiteral("relay did not start");
            return false;
        }
        line.engine.setInactivityLimitMs(inactivityMs);
        if (m_engineSends) {
            // rb -t 10: one second per read timeout, so that it asks again soon.
            if (!peer.start("rb", { "--ymodem", "-t", "10" }, m_peerPair.endB(), m_target.path())) {
                *error = peer.errorText();
                return false;
            }
            if (!line.engine.startSend(QDir(m_source.path()).filePath("fault.bin"))) {
                *error = QStringLiteral("startSend refused");
                return false;
            }
            line.engine.beginHandshake(20000);
        } else {
            if (!line.engine.startReceive(received())) {
                *error = QStringLiteral("startReceive refused");
                return false;
            }
            if (!peer.start("sb", { "--ymodem", "-k", "fault.bin" }, m_peerPair.endB(),
                            m_source.path())) {
                *error = peer.errorText();
                return false;
            }
        }
        return true;
    }

    QString received() const
    {
        return QDir(m_target.path()).filePath(m_engineSends ? "fault.bin" : "saved.bin");
    }

    EngineLine line;
    FaultRelay relay;
    TtyProgram peer;
    QByteArray content;

private:
    bool m_engineSends;
    QTemporaryDir m_source;
    QTemporaryDir m_target;
    gcs::test::PtyPair m_peerPair;
};

void addDirections()
{
    QTest::addColumn<bool>("engineSends");
    QTest::newRow("our sender to rb") << true;
    QTest::newRow("sb to our receiver") << false;
}

} // namespace

class TestYModemFaults : public QObject
{
    Q_OBJECT
private slots:
    void damagedDataIsSentAgain_data() { addDirections(); }
    void damagedDataIsSentAgain()
    {
        QFETCH(bool, engineSends);
        FaultRun run(engineSends);
        qint64 offset = 0;
        std::atomic<int> damaged { 0 };
        auto filter = [&](FaultRelay::Direction d, QByteArray bytes) {
            if (d == run.data()) {
                for (const qint64 target : { 5000, 31000, 31001, 64500 }) {
                    if (target >= offset && target < offset + bytes.size()) {
                        bytes[target - offset] = char(bytes[target - offset] ^ 0x24);
                        ++damaged;
                    }
                }
                offset += bytes.size();
            }
            return bytes;
        };
        QString error;
        QVERIFY2(run.start(filter, 15000, &error), qPrintable(error));
        QVERIFY2(run.line.waitFinished(60000), qPrintable(run.line.statuses.join(" | ")));
        QVERIFY2(run.line.ok(), qPrintable(run.line.message()));
        QVERIFY(run.peer.waitForEnd(10000));
        QCOMPARE(run.peer.exitCode(), 0);
        QCOMPARE(damaged.load(), 4);
        QCOMPARE(readAll(run.received()), run.content);
    }

    void ackTurnedIntoNakGivesARepeatedBlock_data() { addDirections(); }
    void ackTurnedIntoNakGivesARepeatedBlock()
    {
        // The receiver already has the block the sender now sends once more.
        QFETCH(bool, engineSends);
        FaultRun run(engineSends);
        int acks = 0;
        auto filter = [&](FaultRelay::Direction d, QByteArray bytes) {
            if (d == run.replies()) {
                for (char& c : bytes) {
                    if (c == kAck && (++acks == 5 || acks == 9 || acks == 10))
                        c = kNak;
                }
            }
            return bytes;
        };
        QString error;
        QVERIFY2(run.start(filter, 15000, &error), qPrintable(error));
        QVERIFY2(run.line.waitFinished(60000), qPrintable(run.line.statuses.join(" | ")));
        QVERIFY2(run.line.ok(), qPrintable(run.line.message()));
        QVERIFY(run.peer.waitForEnd(10000));
        QCOMPARE(run.peer.exitCode(), 0);
        QCOMPARE(readAll(run.received()), run.content);
    }

    void lostAckGivesARepeatedBlock_data() { addDirections(); }
    void lostAckGivesARepeatedBlock()
    {
        QFETCH(bool, engineSends);
        FaultRun run(engineSends);
        int acks = 0;
        PacketTracker tracker;
        std::atomic<bool> repeated { false };
        auto filter = [&](FaultRelay::Direction d, QByteArray bytes) {
            if (d == run.data()) {
                tracker.feed(bytes);
                return bytes;
            }
            const qsizetype at = bytes.indexOf(kAck);
            if (at >= 0 && ++acks == 6) {
                bytes.remove(at, 1);
                if (!engineSends) {
                    // sb would wait a minute before it repeats; play its repeat here.
                    run.relay.inject(FaultRelay::TowardsEngine, tracker.last);
                    repeated = true;
                }
            }
            return bytes;
        };
        QString error;
        QVERIFY2(run.start(filter, 15000, &error), qPrintable(error));
        QVERIFY2(run.line.waitFinished(60000), qPrintable(run.line.statuses.join(" | ")));
        QVERIFY2(run.line.ok(), qPrintable(run.line.message()));
        QVERIFY(run.peer.waitForEnd(10000));
        QCOMPARE(run.peer.exitCode(), 0);
        QCOMPARE(readAll(run.received()), run.content);
        QCOMPARE(repeated.load(), !engineSends);
    }

    void stalledPeerEndsWithTheTimeout_data() { addDirections(); }
    void stalledPeerEndsWithTheTimeout()
    {
        QFETCH(bool, engineSends);
        FaultRun run(engineSends);
        qint64 seen = 0;
        auto filter = [&](FaultRelay::Direction d, const QByteArray& bytes) {
            if (d == run.data() && (seen += bytes.size()) > 20000)
                run.relay.setStalled(true);
            return bytes;
        };
        QString error;
        QVERIFY2(run.start(filter, 1500, &error), qPrintable(error));
        QVERIFY2(run.line.waitFinished(15000), qPrintable(run.line.statuses.join(" | ")));
        QCOMPARE(run.line.message(), QStringLiteral("传输超时"));
        QVERIFY(!run.line.engine.busy());
    }

    void canCanFromThePeerSideEndsTheTransfer_data() { addDirections(); }
    void canCanFromThePeerSideEndsTheTransfer()
    {
        QFETCH(bool, engineSends);
        FaultRun run(engineSends);
        qint64 seen = 0;
        bool sent = false;
        auto filter = [&](FaultRelay::Direction d, const QByteArray& bytes) {
            if (d == run.data() && (seen += bytes.size()) > 20000 && !sent) {
                sent = true;
                run.relay.inject(FaultRelay::TowardsEngine, "\x18\x18");
            }
            return bytes;
        };
        QString error;
        QVERIFY2(run.start(filter, 15000, &error), qPrintable(error));
        QVERIFY2(run.line.waitFinished(15000), qPrintable(run.line.statuses.join(" | ")));
        QCOMPARE(run.line.message(),
                 engineSends ? QStringLiteral("设备取消") : QStringLiteral("对端取消"));
    }

    void ourCancelStopsThePeer_data() { addDirections(); }
    void ourCancelStopsThePeer()
    {
        QFETCH(bool, engineSends);
        FaultRun run(engineSends);
        QString error;
        QVERIFY2(run.start({}, 15000, &error, 1 << 20), qPrintable(error));
        QVERIFY(gcs::test::waitUntil([&] { return run.line.engine.progress() >= 10; }, 30000));
        run.line.engine.cancel();
        QCOMPARE(run.line.finished.count(), 1);
        QCOMPARE(run.line.message(), QStringLiteral("已取消"));
        QVERIFY2(run.peer.waitForEnd(20000), "the peer did not stop");
        QVERIFY(run.peer.exitCode() != 0);
    }
};

QTEST_GUILESS_MAIN(TestYModemFaults)
#include "tst_ymodemfaults.moc"
