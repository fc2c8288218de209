// Time to send 1 MiB to lrzsz's "rb --ymodem" over a socat pty pair: our sender against
// "sb --ymodem -k" on the same kind of pair, in the same run. Each round starts rb, lets
// it get to its first 'C' (rb waits a second before it asks), then times from the start
// of the sender until rb has ended with the whole file.
//
//   build/bin/bench_ymodem [--benchmark_repetitions=N]
#include "TestSupport.h"

#include "link/SerialTransport.h"
#include "upgrade/YModem.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr qsizetype kFileSize = 1 << 20;

std::vector<double> g_ours;
std::vector<double> g_lrzsz;

QString makeSource(const QTemporaryDir& dir)
{
    QByteArray content(kFileSize, '\0');
    quint32 x = 1;
    for (qsizetype i = 0; i < content.size(); ++i) {
        x = x * 1103515245u + 12345u;
        content[i] = char(x >> 16);
    }
    const QString path = dir.filePath("bench.bin");
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(content);
    return path;
}

/// One round, timed from the start of the sender until rb has ended with the whole file;
/// returns seconds, or a negative value when the transfer failed.
double runRound(bool ours, benchmark::State& state)
{
    QTemporaryDir source;
    QTemporaryDir target;
    const QString file = makeSource(source);
    gcs::test::PtyPair pair;
    if (!pair.start()) {
        state.SkipWithError("socat did not start");
        return -1;
    }
    // Held open (never read) so that socat keeps the pair up when rb exits: otherwise rb's
    // last answer can vanish with the pair.
    gcs::test::RawTty holdPeerEnd(pair.endB());
    gcs::test::TtyProgram rb;
    if (!rb.start("rb", { "--ymodem", "-q" }, pair.endB(), target.path())) {
        state.SkipWithError("rb did not start");
        return -1;
    }
    gcs::test::waitUntil([] { return false; }, 1300); // rb's first 'C' is on the line now

    const auto rbEnded
        = [&rb] { return gcs::test::waitUntil([&rb] { return !rb.isRunning(); }, 120000); };
    QElapsedTimer timer;
    double seconds = -1;
    if (ours) {
        gcs::SerialTransport link(pair.endA(), 115200);
        gcs::YModem engine;
        bool done = false;
        bool ok = false;
        QObject::connect(&link, &gcs::ITransport::bytesReceived, &engine, &gcs::YModem::onRx);
        QObject::connect(&engine, &gcs::YModem::finished, [&](bool success, const QString&) {
            done = true;
            ok = success;
        });
        timer.start();
        if (!link.open())
            return -1;
        engine.attach(&link);
        // A plain event loop: waitUntil naps between turns, which would cost every block.
        QEventLoop loop;
        QObject::connect(&engine, &gcs::YModem::finished, &loop, &QEventLoop::quit);
        QTimer::singleShot(120000, &loop, &QEventLoop::quit);
        engine.startSend(file);
        engine.beginHandshake(20000);
        if (!done)
            loop.exec();
        if (!ok || !rbEnded())
            return -1;
        seconds = timer.nsecsElapsed() / 1e9;
    } else {
        gcs::test::TtyProgram sb;
        timer.start();
        if (!sb.start("sb", { "--ymodem", "-k", "-q", "bench.bin" }, pair.endA(), source.path()))
            return -1;
        if (!rbEnded())
            return -1;
        seconds = timer.nsecsElapsed() / 1e9;
        // sb may then wait a long time for the answer to its empty header; the file is
        // complete already.
        gcs::test::waitUntil([&] { return !sb.isRunning(); }, 3000);
    }
    if (rb.exitCode() != 0) {
        std::fprintf(stderr, "  rb ended with %d\n", rb.exitCode());
        return -1;
    }
    QFile received(QDir(target.path()).filePath("bench.bin"));
    QFile sent(file);
    if (!received.open(QIODevice::ReadOnly) || !sent.open(QIODevice::ReadOnly)
        || received.readAll() != sent.readAll())
        return -1;
    return seconds;
}

void runBenchmark(benchmark::State& state, bool ours)
{
    for (auto _ : state) {
        const double seconds = runRound(ours, state);
        if (seconds < 0) {
            state.SkipWithError("transfer failed");
            break;
        }
        std::fprintf(stderr, "  %s round: %.3f s\n", ours ? "ours" : "sb", seconds);
        state.SetIterationTime(seconds);
        (ours ? g_ours : g_lrzsz).push_back(seconds);
    }
    state.SetBytesProcessed(state.iterations() * kFileSize);
}

void BM_OurSenderToRb(benchmark::State& state)
{
    runBenchmark(state, true);
}

void BM_SbToRb(benchmark::State& state)
{
    runBenchmark(state, false);
}

BENCHMARK(BM_OurSenderToRb)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(4);
BENCHMARK(BM_SbToRb)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(4);

double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (!g_ours.empty() && !g_lrzsz.empty()) {
        // rb clears its input right after each answer; a block that lands in that instant
        // is lost and rb asks again after its own timeout (several seconds). Such rounds
        // show as "stalled"; the best round shows the pace of the protocol itself.
        const auto stalled = [](const std::vector<double>& v) {
            return std::count_if(v.begin(), v.end(), [](double s) { return s > 5.0; });
        };
        const double ours = median(g_ours);
        const double lrzsz = median(g_lrzsz);
        const double oursBest = *std::min_element(g_ours.begin(), g_ours.end());
        const double lrzszBest = *std::min_element(g_lrzsz.begin(), g_lrzsz.end());
        std::printf("1 MiB to rb over a pty pair (%zu/%zu rounds):\n"
                    "  median: ours %.3f s, sb -k %.3f s, ratio ours/sb %.2f\n"
                    "  best:   ours %.3f s, sb -k %.3f s, ratio ours/sb %.2f\n"
                    "  stalled rounds (over 5 s): ours %ld, sb %ld\n",
                    g_ours.size(), g_lrzsz.size(), ours, lrzsz, ours / lrzsz, oursBest, lrzszBest,
                    oursBest / lrzszBest, long(stalled(g_ours)), long(stalled(g_lrzsz)));
    }
    return 0;
}
