// Throughput of the INS decoder and of the bridge behind it.
//
//   build/bin/bench_ins [--benchmark_filter=...]
//
// Decoder: a 64 MiB capture built by repeating a recorded stream of tests/data/ins (clean
// 31-byte frames, clean 59-byte frames, the noisy mixed stream, or sinsasc sentences),
// fed in chunks of 64 B, 4 KiB or all 64 MiB at once, with receivers connected to
// newValue and wireFrameForLog as in the program. The chunks are views of the capture, so
// what is timed is the decoder, not the making of the chunks.
// Bridge: records per second through InsBridge (panels, snapshot, message text) and the
// telemetry hub's publish.
#include "ins/InsBridge.h"
#include "ins/RecDataModel.h"
#include "ins/TelemetryHub.h"

#include <QCoreApplication>
#include <QFile>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr qsizetype kCapture = qsizetype(64) << 20;

QByteArray recorded(const char* name)
{
    QFile f(QStringLiteral(GCS_TEST_DATA_DIR "/ins/%1.bin").arg(QLatin1String(name)));
    if (!f.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "bench_ins: cannot read %s\n", qPrintable(f.fileName()));
        std::exit(1);
    }
    return f.readAll();
}

QByteArray sinsascLines()
{
    QByteArray out;
    for (int i = 0; i < 1000; ++i)
        out += QByteArrayLiteral("#vorn,sinsasc,") + QByteArray::number(i)
            + ",0.01234,-0.00321,0.00012,0.001234,-0.002345,0.998877,1.25,-2.75,180.50,"
              "90.25,116.3912345,39.9012345,45.50,1.50,-0.75,0.05,36,"
            + QByteArray::number(i) + ",97*ff\r\n";
    return out;
}

QByteArray repeatedTo(const QByteArray& unit, qsizetype size)
{
    QByteArray out;
    out.reserve(size + unit.size());
    while (out.size() < size)
        out += unit;
    return out;
}

const QByteArray& capture(int kind)
{
    static QByteArray captures[4];
    QByteArray& c = captures[kind];
    if (c.isEmpty()) {
        switch (kind) {
        case 0:
            c = repeatedTo(recorded("imubin"), kCapture);
            break;
        case 1:
            c = repeatedTo(recorded("sinsbin"), kCapture);
            break;
        case 2:
            c = repeatedTo(recorded("mixed_noisy"), kCapture);
            break;
        default:
            c = repeatedTo(sinsascLines(), kCapture);
            break;
        }
    }
    return c;
}

void feedViews(RecDataModel& model, const QByteArray& data, qsizetype chunk)
{
    const char* d = data.constData();
    for (qsizetype at = 0; at < data.size(); at += chunk)
        model.anaylzeRec(QByteArray::fromRawData(d + at, qMin(chunk, data.size() - at)));
}

void BM_Decoder(benchmark::State& state)
{
    const QByteArray& data = capture(int(state.range(0)));
    const qsizetype chunk = qsizetype(state.range(1));
    qint64 records = 0;
    qint64 wires = 0;
    for (auto _ : state) {
        RecDataModel model;
        QObject::connect(&model, &RecDataModel::newValue, [&](const RecDataStruct& r) {
            benchmark::DoNotOptimize(r.gx);
            ++records;
        });
        QObject::connect(&model, &RecDataModel::wireFrameForLog,
                         [&](const QByteArray& f, qint64) { wires += f.size(); });
        feedViews(model, data, chunk);
        benchmark::DoNotOptimize(model.recPackets());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * data.size());
    state.counters["records/s"] = benchmark::Counter(double(records), benchmark::Counter::kIsRate);
}

void decoderArgs(benchmark::internal::Benchmark* b)
{
    b->ArgNames({ "stream", "chunk" });
    for (int kind : { 0, 1, 2 })
        for (int64_t chunk : { int64_t(64), int64_t(4096), int64_t(kCapture) })
            b->Args({ kind, chunk });
    b->Args({ 3, 4096 });
    b->Unit(benchmark::kMillisecond);
}

void BM_Bridge(benchmark::State& state)
{
    const QByteArray unit = state.range(0) == 0 ? recorded("imubin") : recorded("sinsbin");
    const QByteArray data = repeatedTo(unit, qsizetype(4) << 20);
    qint64 records = 0;
    for (auto _ : state) {
        gcs::InsBridge bridge;
        gcs::TelemetryHub hub;
        QObject::connect(&bridge, &gcs::InsBridge::snapshotReady, &hub,
                         &gcs::TelemetryHub::publish);
        QObject::connect(&hub, &gcs::TelemetryHub::fullSnapshot,
                         [&](const gcs::TelemetrySnapshot&) { ++records; });
        const char* d = data.constData();
        for (qsizetype at = 0; at < data.size(); at += 4096)
            bridge.feed(QByteArray::fromRawData(d + at, qMin<qsizetype>(4096, data.size() - at)));
        hub.flushUi();
        benchmark::DoNotOptimize(hub.fields().size());
    }
    state.SetItemsProcessed(records);
    state.SetBytesProcessed(int64_t(state.iterations()) * data.size());
}

} // namespace

BENCHMARK(BM_Decoder)->Apply(decoderArgs);
BENCHMARK(BM_Bridge)->ArgName("sins")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv); // the hub's flush timer needs one
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
