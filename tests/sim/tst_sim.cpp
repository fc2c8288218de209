// The simulator checked from the outside, through its pseudo-terminal, with the frame
// layouts spelled out here once more: it is the device every other pty test relies on.
#include "TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

using gcs::test::RawTty;
using gcs::test::SimProcess;
using gcs::test::waitUntil;

namespace {

struct FrameScan
{
    int valid = 0;
    int badChecksum = 0;
    QList<quint32> numbers; // frame numbers carried by the frames
};

// Frames of len bytes (31: 8-bit sum; 59: its two's complement) and their numbers (31: a
// 16-bit count at byte 2; 59: a time tag of high * 10000 + low at bytes 52 and 56, in
// 0.1 ms, one period of the unit's rate per frame).
FrameScan scanBinary(const QByteArray& data, int len, int rate = 200)
{
    const auto le = [](const QByteArray& f, int at, int bytes) {
        quint32 v = 0;
        for (int i = 0; i < bytes; ++i)
            v |= quint32(quint8(f[at + i])) << (8 * i);
        return v;
    };
    FrameScan scan;
    qsizetype i = data.indexOf("\xAA\x55");
    while (i >= 0 && i + len <= data.size()) {
        const QByteArray f = data.mid(i, len);
        quint32 sum = 0;
        for (int k = 0; k < len - 1; ++k)
            sum += quint8(f[k]);
        if (quint8(f[len - 1]) == (len == 31 ? quint8(sum) : quint8(0u - sum))) {
            ++scan.valid;
            // Only the 59-byte frame has a time tag; a 31-byte frame ends before it.
            const auto tagged = [&] {
                const quint64 tag = quint64(le(f, 52, 4)) * 10000 + le(f, 56, 2);
                return quint32((tag * rate + 5000) / 10000);
            };
            scan.numbers << (len == 31 ? le(f, 2, 2) : tagged());
            i = data.indexOf("\xAA\x55", i + len);
        } else {
            ++scan.badChecksum;
            i = data.indexOf("\xAA\x55", i + 2);
        }
    }
    return scan;
}

// How many frame numbers do not follow their predecessor (modulo when it wraps).
int breaks(const QList<quint32>& n, quint32 modulo = 0)
{
    int count = 0;
    for (qsizetype i = 1; i < n.size(); ++i)
        count += n[i] != (modulo ? (n[i - 1] + 1) % modulo : n[i - 1] + 1);
    return count;
}

} // namespace

class TestSim : public QObject
{
    Q_OBJECT
private slots:
    void everyFormatStreamsWholeMessages_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<int>("fields"); // the frame length, or the count of text fields
        QTest::newRow("sinsbin") << "sinsbin" << 59;
        QTest::newRow("imubin, a wrapping count") << "imubin" << 31;
        QTest::newRow("imuasc") << "imuasc" << 10;
        QTest::newRow("ahrsasc") << "ahrsasc" << 17;
        QTest::newRow("sinsasc") << "sinsasc" << 22;
    }
    void everyFormatStreamsWholeMessages()
    {
        QFETCH(QString, format);
        QFETCH(int, fields);
        SimProcess sim;
        QVERIFY2(sim.start({ "--format", format, "--rate", "500" }), qPrintable(sim.errorText()));
        RawTty tty(sim.port(), 115200);
        tty.read(200); // whatever was queued before we opened
        const QByteArray data = tty.read(1000);
        if (format.endsWith("bin")) {
            const FrameScan scan = scanBinary(data, fields, 500);
            QVERIFY(scan.valid > 300 && scan.badChecksum == 0);
            QCOMPARE(breaks(scan.numbers, fields == 31 ? 65536 : 0), 0);
            return;
        }
        const QList<QByteArray> lines = data.split('\n').mid(1, 100);
        QCOMPARE(lines.size(), 100);
        for (const QByteArray& line : lines) {
            QVERIFY2(line.startsWith("#vorn," + format.toLatin1() + ",") && line.endsWith("*ff\r"),
                     line.constData());
            QCOMPARE(line.split(',').size(), fields);
        }
    }

    void answersCommandsAtItsOwnRateOnly()
    {
        SimProcess sim;
        QVERIFY2(sim.start({ "--baud", "230400" }), qPrintable(sim.errorText()));
        RawTty tty(sim.port(), 115200);
        tty.read(200);
        QVERIFY(tty.write("#vorn,stop com1*ff\r\n#vorn,get softver*ff\r\n"));
        const QByteArray garbage = tty.read(1000);
        QVERIFY(garbage.size() > 3000 && !garbage.contains("\xAA\x55")
                && !garbage.contains("#vorn"));
        QVERIFY(tty.setBaud(230400)); // the stop was not understood: frames still come
        tty.read(200);
        QVERIFY(scanBinary(tty.read(500), 59).valid > 50);
        QVERIFY(tty.write("#vorn,get softver*ff\r\n#vorn,get device info*ff\r\n"));
        const QByteArray reply = tty.read(400);
        QVERIFY(reply.contains("#vorn,softver,V2.1.0*ff\r\n"));
        QVERIFY(reply.contains("#vorn,device info,AX-7300,KT45,"));
        QCOMPARE(scanBinary(reply, 59).badChecksum, 0); // a reply never splits a frame
    }

    void theResetKeyAndCommandsStartTheBootLoaderAtItsOwnRate()
    {
        for (const QByteArray& reset : { QByteArray("#vorn,reset system*ff\r\n"),
                                         QByteArray("$cmd,reset system*ff\r\n"), QByteArray() }) {
            // Understood at the unit's 9600; the boot loader's 'C' comes at 115200 only.
            SimProcess sim;
            QVERIFY2(sim.start({ "--baud", "9600" }), qPrintable(sim.errorText()));
            RawTty tty(sim.port(), 9600);
            tty.read(200);
            if (reset.isEmpty())
                QCOMPARE(::kill(pid_t(sim.processId()), SIGUSR1), 0); // the reset key
            else
                QVERIFY(tty.write(reset));
            tty.read(200);
            const QByteArray atOldRate = tty.read(600);
            QVERIFY(!atOldRate.contains('C') && scanBinary(atOldRate, 59).valid == 0);
            QVERIFY(tty.setBaud(115200));
            const QByteArray asking = tty.read(800);
            QVERIFY2(asking.count('C') >= 2 && asking.count('C') == asking.size(),
                     asking.toHex().constData());
        }
    }

    void bootLoaderTakesAnImageFromAnIndependentSender()
    {
        // lrzsz's sb is the sender here: it checks the simulator's own YModem receiver.
        QTemporaryDir dir;
        QByteArray image(70000, '\0');
        for (int i = 0; i < image.size(); ++i)
            image[i] = char((i * 7919) >> 3);
        image.replace(40000, 15, QByteArray("SOFTVER=V3.0.7\0", 15));
        QVERIFY(gcs::test::writeFileBytes(dir.filePath("fw.bin"), image));
        SimProcess sim;
        QVERIFY2(sim.start({ "--image-out", dir.filePath("received.bin") }),
                 qPrintable(sim.errorText()));
        {
            RawTty tty(sim.port(), 115200);
            tty.read(200); // what the unit sent before; the boot loader must start clean
            QVERIFY(tty.write("#vorn,reset system*ff\r\n"));
            tty.read(200);
        }
        gcs::test::TtyProgram sb;
        QVERIFY(sb.start("sb", { "--ymodem", "-k", "fw.bin" }, sim.port(), dir.path()));
        QVERIFY(sb.waitForEnd(30000) && sb.exitCode() == 0);
        QVERIFY(waitUntil([&] { return QFile::exists(dir.filePath("received.bin")); }, 2000));
        QCOMPARE(gcs::test::readFileBytes(dir.filePath("received.bin")), image);
        RawTty tty(sim.port(), 115200);
        tty.read(500); // booting again
        QVERIFY(tty.write("#vorn,get softver*ff\r\n"));
        QVERIFY(tty.read(500).contains("#vorn,softver,V3.0.7*ff\r\n"));
        QVERIFY(
            sim.standardError().contains("boot loader received 70000 bytes (fw.bin), now V3.0.7"));
    }

    void anUnpluggedUnitComesBackAtTheSamePathAndRanOnMeanwhile()
    {
        SimProcess sim;
        QVERIFY2(sim.start({ "--unplug-at", "1", "--replug-after", "1" }), "telvo-sim");
        RawTty before(sim.port(), 115200);
        const QByteArray first = before.read(3000);
        // The line went away: what was read ends there, and so does the link to it.
        QVERIFY(!QFileInfo::exists(sim.port()));
        QVERIFY(waitUntil([&] { return QFileInfo::exists(sim.port()); }, 3000));
        RawTty after(sim.port(), 115200);
        const FrameScan old = scanBinary(first, 59);
        const FrameScan fresh = scanBinary(after.read(300), 59);
        QVERIFY(old.valid > 100 && fresh.valid > 20);
        // The frames of the gap (a second at 200 per second) never arrived.
        QVERIFY(fresh.numbers.first() > old.numbers.last() + 150 && breaks(fresh.numbers) == 0);
        QVERIFY(::kill(pid_t(sim.processId()), SIGUSR2) == 0); // the key pulls it again
        QVERIFY(waitUntil([&] { return !QFileInfo::exists(sim.port()); }, 3000));
        QVERIFY(sim.standardError().contains("telvo-sim: unplugged\ntelvo-sim: plugged in again"));
    }

    void rejectsBadArgumentsAndEndsWhenAsked()
    {
        for (const QStringList& bad :
             { QStringList { "--format", "nmea" }, QStringList { "--unplug-at", "-1" } }) {
            QProcess p;
            p.start(QDir(gcs::test::binDir()).filePath("telvo-sim"), bad);
            QVERIFY(p.waitForFinished(5000));
            QVERIFY(p.exitCode() == 2 && p.readAllStandardError().contains("usage:"));
        }
        SimProcess sim;
        QVERIFY2(sim.start({ "--seconds", "0.5" }), qPrintable(sim.errorText()));
        QVERIFY(waitUntil([&] { return !sim.isRunning(); }, 5000));
        QVERIFY(!QFileInfo::exists(sim.port())); // its link goes with it
    }
};

QTEST_GUILESS_MAIN(TestSim)
#include "tst_sim.moc"
