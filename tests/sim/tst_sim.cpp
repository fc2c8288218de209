// The simulator checked from the outside, through its pseudo-terminal, with the frame
// layouts spelled out here once more: it is the device every other pty test relies on.
#include "TestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

using gcs::test::RawTty;
using gcs::test::SimProcess;

namespace {

struct FrameScan
{
    int valid = 0;
    int badChecksum = 0;
    QList<quint32> numbers; // frame numbers carried by the frames
};

quint32 le(const QByteArray& f, int at, int bytes)
{
    quint32 v = 0;
    for (int i = 0; i < bytes; ++i)
        v |= quint32(quint8(f[at + i])) << (8 * i);
    return v;
}

FrameScan scanBinary(const QByteArray& data, int len)
{
    FrameScan scan;
    qsizetype i = data.indexOf("\xAA\x55");
    while (i >= 0 && i + len <= data.size()) {
        const QByteArray f = data.mid(i, len);
        quint32 sum = 0;
        for (int k = 0; k < len - 1; ++k)
            sum += quint8(f[k]);
        const quint8 expected = len == 31 ? quint8(sum) : quint8(0u - sum);
        if (quint8(f[len - 1]) == expected) {
            ++scan.valid;
            scan.numbers << (len == 31 ? le(f, 2, 2) : le(f, 52, 4) * 10000 + le(f, 56, 2));
            i = data.indexOf("\xAA\x55", i + len);
        } else {
            ++scan.badChecksum;
            i = data.indexOf("\xAA\x55", i + 2);
        }
    }
    return scan;
}

bool consecutive(const QList<quint32>& n, quint32 modulo = 0)
{
    for (qsizetype i = 1; i < n.size(); ++i) {
        const quint32 next = modulo ? (n[i - 1] + 1) % modulo : n[i - 1] + 1;
        if (n[i] != next)
            return false;
    }
    return true;
}

QList<QByteArray> sentences(const QByteArray& data)
{
    QList<QByteArray> out;
    for (const QByteArray& line : data.split('\n')) {
        const qsizetype at = line.indexOf("#vorn");
        if (at >= 0 && line.endsWith("*ff\r"))
            out << line.mid(at, line.size() - at - 1);
    }
    return out;
}

} // namespace

class TestSim : public QObject
{
    Q_OBJECT
private slots:
    void streamsValidSinsFramesAtTheRequestedRate()
    {
        SimProcess sim;
        QVERIFY2(sim.start({ "--rate", "200" }), qPrintable(sim.errorText()));
        RawTty tty(sim.port(), 115200);
        QVERIFY(tty.isOpen());
        tty.read(300); // whatever was queued before we opened
        QElapsedTimer timer;
        timer.start();
        const QByteArray data = tty.read(2000);
        const double seconds = timer.elapsed() / 1000.0;
        const FrameScan scan = scanBinary(data, 59);
        QCOMPARE(scan.badChecksum, 0);
        const double rate = scan.valid / seconds;
        QVERIFY2(rate > 150 && rate < 250, qPrintable(QString::number(rate)));
        QVERIFY(consecutive(scan.numbers));
        QCOMPARE(data.size() % 59, 0);
    }

    void imuFramesCarryAWrappingCounter()
    {
        SimProcess sim;
        QVERIFY2(sim.start({ "--format", "imubin", "--rate", "500" }), qPrintable(sim.errorText()));
        RawTty tty(sim.port(), 115200);
        tty.read(200);
        const FrameScan scan = scanBinary(tty.read(1000), 31);
        QVERIFY(scan.valid > 300);
        QCOMPARE(scan.badChecksum, 0);
        QVERIFY(consecutive(scan.numbers, 65536));
    }

    void textFormatsHaveTheirFieldCounts_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<int>("fields");
        QTest::newRow("imuasc") << "imuasc" << 10;
        QTest::newRow("ahrsasc") << "ahrsasc" << 17;
        QTest::newRow("sinsasc") << "sinsasc" << 22;
    }
    void textFormatsHaveTheirFieldCounts()
    {
        QFETCH(QString, format);
        QFETCH(int, fields);
        SimProcess sim;
        QVERIFY2(sim.start({ "--format", format, "--rate", "50" }), qPrintable(sim.errorText()));
        RawTty tty(sim.port(), 115200);
        tty.read(200);
        const QList<QByteArray> lines = sentences(tty.read(600));
        QVERIFY(lines.size() >= 20);
        for (const QByteArray& line : lines) {
            QCOMPARE(line.split(',').size(), fields);
            QVERIFY(line.startsWith("#vorn," + format.toLatin1() + ","));
        }
    }

    void answersTheProbeCommands()
    {
        SimProcess sim;
        QVERIFY2(sim.start({ "--model", "KT45" }), qPrintable(sim.errorText()));
        RawTty tty(sim.port(), 115200);
        tty.read(200);
        QVERIFY(tty.write("#vorn,get softver*ff\r\n"));
        QByteArray reply = tty.read(400);
        QVERIFY2(reply.contains("#vorn,softver,V2.1.0*ff\r\n"), reply.toHex().constData());
        QVERIFY(tty.write("#vorn,get device info*ff\r\n"));
        reply = tty.read(400);
        QVERIFY(reply.contains("#vorn,device info,AX-7300,KT45,"));
        // A reply never splits a frame: every header still starts a whole valid frame.
        QCOMPARE(scanBinary(reply, 59).badChecksum, 0);
    }

    void obeysStopAndStartOfTheNavigationOutput()
    {
        SimProcess sim;
        QVERIFY2(sim.start(), qPrintable(sim.errorText()));
        RawTty tty(sim.port(), 115200);
        tty.read(200);
        QVERIFY(tty.write("#vorn,stop com1*ff\r\n"));
        tty.read(200);
        QCOMPARE(scanBinary(tty.read(500), 59).valid, 0);
        QVERIFY(tty.write("#vorn,start com1*ff\r\n"));
        tty.read(100);
        QVERIFY(scanBinary(tty.read(500), 59).valid > 50);
    }

    void atAnotherBaudItSendsGarbageAndUnderstandsNothing()
    {
        SimProcess sim;
        QVERIFY2(sim.start({ "--baud", "230400" }), qPrintable(sim.errorText()));
        RawTty tty(sim.port(), 115200);
        tty.read(200);
        QVERIFY(tty.write("#vorn,get softver*ff\r\n"));
        const QByteArray garbage = tty.read(1500);
        QVERIFY(garbage.size() > 5000);
        QVERIFY(!garbage.contains("\xAA\x55"));
        QVERIFY(!garbage.contains("#vorn"));

        // A stop sent at the wrong rate is not understood either: at the right rate the
        // frames are still there, and commands work.
        QVERIFY(tty.write("#vorn,stop com1*ff\r\n"));
        tty.read(300); // let the simulator take the line in before the rate changes
        QVERIFY(tty.setBaud(230400));
        tty.read(200);
        QVERIFY(scanBinary(tty.read(500), 59).valid > 50);
        QVERIFY(tty.write("#vorn,get softver*ff\r\n"));
        QVERIFY(tty.read(400).contains("#vorn,softver,"));
    }

    void misbehavesOnRequestForTheProbeTests()
    {
        const QByteArray softver = "#vorn,get softver*ff\r\n";
        const QByteArray info = "#vorn,get device info*ff\r\n";
        {
            SimProcess sim; // answers the second identification command only, silent
            QVERIFY2(sim.start({ "--stream", "off", "--answer", "info-only" }),
                     qPrintable(sim.errorText()));
            RawTty tty(sim.port(), 115200);
            QCOMPARE(tty.read(300), QByteArray());
            QVERIFY(tty.write(softver));
            QCOMPARE(tty.read(300), QByteArray());
            QVERIFY(tty.write(info));
            QVERIFY(tty.read(300).startsWith("#vorn,device info,AX-7300,KT45,"));
            // Streaming can still be switched on.
            QVERIFY(tty.write("#vorn,start com1*ff\r\n"));
            QVERIFY(scanBinary(tty.read(500), 59).valid > 20);
        }
        {
            SimProcess sim; // streams frames and answers nothing
            QVERIFY2(sim.start({ "--answer", "none" }), qPrintable(sim.errorText()));
            RawTty tty(sim.port(), 115200);
            tty.read(100);
            QVERIFY(tty.write(softver + info));
            const QByteArray data = tty.read(400);
            QVERIFY(scanBinary(data, 59).valid > 20);
            QVERIFY(!data.contains("#vorn"));
        }
        {
            SimProcess sim; // replies in capitals
            QVERIFY2(sim.start({ "--stream", "off", "--reply-style", "upper" }),
                     qPrintable(sim.errorText()));
            RawTty tty(sim.port(), 115200);
            QVERIFY(tty.write(softver));
            QCOMPARE(tty.read(300), QByteArray("#VORN,SOFTVER,V2.1.0*FF\r\n"));
        }
    }

    void resetStartsTheBootLoaderAtItsOwnRateOnly()
    {
        // A unit running at 9600: the reset is understood at 9600, the boot loader's 'C'
        // only at 115200.
        SimProcess sim;
        QVERIFY2(sim.start({ "--baud", "9600" }), qPrintable(sim.errorText()));
        RawTty tty(sim.port(), 9600);
        tty.read(200);
        QVERIFY(tty.write("#vorn,reset system*ff\r\n$cmd,reset system*ff\r\n"));
        tty.read(200);
        const QByteArray atOldRate = tty.read(800);
        QVERIFY2(!atOldRate.contains('C'), atOldRate.toHex().constData());
        QCOMPARE(scanBinary(atOldRate, 59).valid, 0);
        QVERIFY(tty.setBaud(115200));
        const QByteArray asking = tty.read(800);
        QVERIFY2(asking.count('C') >= 2, asking.toHex().constData());
        QCOMPARE(asking.count('C'), asking.size()); // nothing but 'C'
    }

    void dollarCommandAndResetKeyAlsoReset()
    {
        SimProcess sim;
        QVERIFY2(sim.start(), qPrintable(sim.errorText()));
        RawTty tty(sim.port(), 115200);
        tty.read(200);
        QVERIFY(tty.write("$cmd,reset system*ff\r\n"));
        tty.read(100);
        QVERIFY(tty.read(700).contains("CC"));

        SimProcess other;
        QVERIFY2(other.start(), qPrintable(other.errorText()));
        RawTty line(other.port(), 115200);
        line.read(200);
        QCOMPARE(::kill(pid_t(other.processId()), SIGUSR1), 0);
        line.read(100);
        QVERIFY(line.read(700).contains("CC"));
    }

    void bootLoaderTakesAnImageFromAnIndependentSender()
    {
        // lrzsz's sb is the sender here: it checks the simulator's own YModem receiver.
        QTemporaryDir dir;
        QByteArray image(70000, '\0');
        for (int i = 0; i < image.size(); ++i)
            image[i] = char((i * 7919) >> 3);
        image.replace(40000, 15, QByteArray("SOFTVER=V3.0.7\0", 15));
        QFile file(dir.filePath("fw.bin"));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(image) == image.size());
        file.close();

        SimProcess sim;
        QVERIFY2(sim.start({ "--image-out", dir.filePath("received.bin") }),
                 qPrintable(sim.errorText()));
        {
            RawTty tty(sim.port(), 115200);
            tty.read(200);
            QVERIFY(tty.write("#vorn,reset system*ff\r\n"));
            tty.read(200);
        }
        gcs::test::TtyProgram sb;
        QVERIFY(sb.start("sb", { "--ymodem", "-k", "fw.bin" }, sim.port(), dir.path()));
        QVERIFY(sb.waitForEnd(30000));
        QCOMPARE(sb.exitCode(), 0);
        QVERIFY(gcs::test::waitUntil([&] { return QFile::exists(dir.filePath("received.bin")); },
                                     2000));
        QFile received(dir.filePath("received.bin"));
        QVERIFY(received.open(QIODevice::ReadOnly));
        QCOMPARE(received.readAll(), image);

        RawTty tty(sim.port(), 115200);
        tty.read(500); // booting again
        QVERIFY(tty.write("#vorn,get softver*ff\r\n"));
        QVERIFY(tty.read(500).contains("#vorn,softver,V3.0.7*ff\r\n"));
        QVERIFY(scanBinary(tty.read(300), 59).valid > 20); // streaming again
        const QByteArray report = sim.standardError();
        QVERIFY2(report.contains("boot loader received 70000 bytes (fw.bin), now V3.0.7"),
                 report.constData());
    }

    void silentBootLoaderGivesUpAndBootsTheOldFirmware()
    {
        SimProcess sim;
        QVERIFY2(sim.start({ "--boot-fault", "silent", "--boot-wait", "1" }),
                 qPrintable(sim.errorText()));
        RawTty tty(sim.port(), 115200);
        tty.read(200);
        QVERIFY(tty.write("#vorn,reset system*ff\r\n"));
        tty.read(100);
        const QByteArray quiet = tty.read(900);
        QVERIFY2(quiet.isEmpty(), quiet.toHex().constData());
        tty.read(1000);
        QVERIFY(tty.write("#vorn,get softver*ff\r\n"));
        QVERIFY(tty.read(500).contains("#vorn,softver,V2.1.0*ff\r\n"));
    }

    void rejectsBadArguments()
    {
        {
            QProcess p;
            p.start(QDir(gcs::test::binDir()).filePath("telvo-sim"), { "--boot-fault", "loud" });
            QVERIFY(p.waitForFinished(5000));
            QCOMPARE(p.exitCode(), 2);
        }
        QProcess p;
        p.start(QDir(gcs::test::binDir()).filePath("telvo-sim"), { "--format", "nmea" });
        QVERIFY(p.waitForFinished(5000));
        QCOMPARE(p.exitCode(), 2);
        QVERIFY(p.readAllStandardError().contains("usage:"));
        for (const QStringList& bad : { QStringList { "--answer", "some" },
                                        QStringList { "--reply-style", "lower" },
                                        QStringList { "--stream", "maybe" } }) {
            p.start(QDir(gcs::test::binDir()).filePath("telvo-sim"), bad);
            QVERIFY(p.waitForFinished(5000));
            QCOMPARE(p.exitCode(), 2);
        }
        p.start(QDir(gcs::test::binDir()).filePath("telvo-sim"), { "--help" });
        QVERIFY(p.waitForFinished(5000));
        QCOMPARE(p.exitCode(), 0);
        QVERIFY(p.readAllStandardOutput().contains("--format"));
    }

    void endsAfterTheGivenTimeAndRemovesItsLink()
    {
        SimProcess sim;
        QVERIFY2(sim.start({ "--seconds", "0.5" }), qPrintable(sim.errorText()));
        QVERIFY(gcs::test::waitUntil([&] { return !sim.isRunning(); }, 5000));
        QVERIFY(!QFileInfo::exists(sim.port()));
    }
};

QTEST_GUILESS_MAIN(TestSim)
#include "tst_sim.moc"
