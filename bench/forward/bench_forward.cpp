// What forwarding costs.
//
//   build/bin/bench_forward [--benchmark_filter=...]
//
// BM_JsonDatagram, BM_NmeaSentences: building one record's datagram or set of sentences.
// BM_UdpDatagrams: records through the forwarder with the UDP output on, to a receiver on
// loopback in a thread of its own: datagrams per second sent, and received.
// BM_LiveAt1000Hz: the controller as the window has it, against telvo-sim streaming 59-byte
// frames at 1000 frames/s for a few seconds, with forwarding off (0) and on (1: UDP JSON,
// and NMEA at 100 Hz to four clients that read and one that never does). Reported: the CPU
// share of the controller's thread (the receivers run in another thread), the records, the
// datagrams and sentence sets the receivers got, and the most bytes the stalled client had
// queued in the program.
#include "capture/CaptureRecord.h"
#include "forward/Forwarder.h"
#include "forward/JsonRecord.h"
#include "forward/NmeaSentences.h"
#include "forward/NmeaServer.h"
#include "forward/UdpJsonSender.h"
#include "ins/InsBridge.h"
#include "ins/RecDataModel.h"

#include "TestSupport.h"
#include "WindowBench.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QNetworkDatagram>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QUdpSocket>

#include <benchmark/benchmark.h>

#include <atomic>

#ifdef Q_OS_LINUX
#include <sys/resource.h>
#endif

namespace {

constexpr int kLiveSeconds = 12;

RecDataStruct sinsRecord()
{
    RecDataStruct r;
    r.format = RecSinsBin;
    r.status = 0x97;
    r.gx = 0.0123f;
    r.gy = -0.0456f;
    r.gz = 0.789f;
    r.ax = 0.001f;
    r.ay = -0.002f;
    r.az = 0.998f;
    r.roll = 1.25f;
    r.pitch = -2.5f;
    r.yaw = 123.45f;
    r.lat = 39.9012345;
    r.lon = 116.3912345;
    r.alt = 45;
    r.ve = 3.21f;
    r.vn = -1.23f;
    r.vu = 0.05f;
    r.temp = 36;
    r.gnss_heading = 123.5f;
    r.utc = 123456789;
    return r;
}

/// CPU seconds of the calling thread (of the process where threads cannot be told apart).
double threadCpuSeconds()
{
#ifdef Q_OS_LINUX
    rusage u {};
    getrusage(RUSAGE_THREAD, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec)
        + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) * 1e-6;
#else
    return bench::processCpuSeconds();
#endif
}

/// What other programs would be: a UDP receiver and NMEA clients, in a thread of their own.
class Receivers : public QThread
{
public:
    quint16 udpPort = 0;
    quint16 nmeaPort = 0; // 0: no NMEA clients
    std::atomic<qint64> datagrams { 0 };
    std::atomic<qint64> nmeaSets { 0 };
    std::atomic<bool> ready { false };

protected:
    void run() override
    {
        QUdpSocket udp;
        udp.bind(QHostAddress::LocalHost, udpPort);
        udp.setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, 4 << 20);
        QObject::connect(&udp, &QUdpSocket::readyRead, [&]() {
            while (udp.hasPendingDatagrams()) {
                udp.receiveDatagram();
                ++datagrams;
            }
        });
        QTcpSocket readers[4];
        QTcpSocket stalled;
        if (nmeaPort) {
            for (QTcpSocket& r : readers) {
                r.connectToHost(QHostAddress::LocalHost, nmeaPort);
                QObject::connect(&r, &QTcpSocket::readyRead,
                                 [&]() { nmeaSets += r.readAll().count("$GPGGA"); });
            }
            // Takes one byte into the program and then nothing more, with a small window.
            stalled.setReadBufferSize(1);
            stalled.connectToHost(QHostAddress::LocalHost, nmeaPort);
            if (stalled.waitForConnected(5000))
                stalled.setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, 4096);
        }
        ready = true;
        exec();
    }
};

void BM_JsonDatagram(benchmark::State& state)
{
    const RecDataStruct r = sinsRecord();
    QByteArray out;
    for (auto _ : state)
        benchmark::DoNotOptimize(gcs::JsonRecord::write(out, r, 1712345678123));
    state.SetItemsProcessed(state.iterations());
    state.counters["bytes"] = double(out.size());
}
BENCHMARK(BM_JsonDatagram);

void BM_NmeaSentences(benchmark::State& state)
{
    const RecDataStruct r = sinsRecord();
    QByteArray out;
    for (auto _ : state) {
        out.clear();
        gcs::NmeaSentences::append(out, r, 1712345678123);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["bytes"] = double(out.size());
}
BENCHMARK(BM_NmeaSentences);

void BM_UdpDatagrams(benchmark::State& state)
{
    Receivers receivers;
    QUdpSocket probe;
    probe.bind(QHostAddress::LocalHost, 0);
    receivers.udpPort = probe.localPort();
    probe.close();
    receivers.start();
    while (!receivers.ready)
        QThread::msleep(1);
    gcs::Forwarder forward;
    forward.setUdp(true, QStringLiteral("127.0.0.1"), receivers.udpPort);
    const RecDataStruct r = sinsRecord();
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    for (auto _ : state)
        forward.take(r, now);
    QThread::msleep(200);
    state.SetItemsProcessed(forward.udpDatagrams());
    state.counters["received_per_s"]
        = benchmark::Counter(double(receivers.datagrams), benchmark::Counter::kIsRate);
    state.counters["send_errors"] = double(forward.udpSender()->sendErrors());
    receivers.quit();
    receivers.wait();
}
BENCHMARK(BM_UdpDatagrams)->UseRealTime()->MinTime(2.0);

void BM_LiveAt1000Hz(benchmark::State& state)
{
    const bool forwarding = state.range(0) != 0;
    for (auto _ : state) {
        gcs::test::SettingsHome home; // LOCALAPPDATA of its own: the settings are not the user's
        gcs::test::SimProcess sim;
        if (!sim.start({ "--format", "sinsbin", "--rate", "1000" })) {
            state.SkipWithError(qPrintable(sim.errorText()));
            return;
        }
        gcs::Application app;
        Receivers receivers;
        if (forwarding) {
            QUdpSocket probe;
            probe.bind(QHostAddress::LocalHost, 0);
            receivers.udpPort = probe.localPort();
            probe.close();
            app.forward()->setUdp(true, QStringLiteral("127.0.0.1"), receivers.udpPort);
            QTcpServer free;
            free.listen(QHostAddress::LocalHost, 0);
            receivers.nmeaPort = free.serverPort();
            free.close();
            app.forward()->setNmea(true, QStringLiteral("127.0.0.1"), receivers.nmeaPort, 100);
        }
        receivers.start();
        app.connectSerial(sim.port(), 115200);
        bench::waitFor([&]() { return app.ins()->recPackets() > 1000; }, 30000);
        const int records = app.ins()->recPackets();
        const qint64 datagrams = receivers.datagrams;
        const qint64 sets = receivers.nmeaSets;
        const double cpu = threadCpuSeconds();
        QElapsedTimer wall;
        wall.start();
        bench::runFor(kLiveSeconds * 1000);
        const double seconds = double(wall.elapsed()) / 1000.0;
        state.SetIterationTime(seconds);
        state.counters["cpu_percent"] = 100.0 * (threadCpuSeconds() - cpu) / seconds;
        state.counters["records_per_s"] = double(app.ins()->recPackets() - records) / seconds;
        state.counters["datagrams_per_s"] = double(receivers.datagrams - datagrams) / seconds;
        state.counters["nmea_sets_per_s_4_clients"] = double(receivers.nmeaSets - sets) / seconds;
        state.counters["nmea_clients"] = app.forward()->nmeaClients();
        state.counters["queue_peak_bytes"] = double(app.forward()->nmeaServer()->queuePeak());
        state.counters["dropped_bytes"] = double(app.forward()->nmeaDroppedBytes());
        app.disconnectPrimary();
        receivers.quit();
        receivers.wait();
    }
}
BENCHMARK(BM_LiveAt1000Hz)
    ->Arg(0)
    ->Arg(1)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication qapp(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
