// The noise analysis of one hour at 1000 Hz: 3.6 million samples of each of the six
// inertial channels.
//
//   build/bin/bench_analysis [--benchmark_filter=...] [--benchmark_repetitions=N]
//
// Curves: the Allan deviation of six channels of white noise held in memory, at every
// cluster size the analysis uses (the running sums and one pass per cluster size).
// Capture: NoiseAnalysis::run on the same hour as a raw capture of 31-byte frames (112 MB,
// the rate given) and as a recorder's message log (host times, 420 MB): reading and
// decoding, the rate, the at-rest check and the curves. The files are written once into
// the temporary folder and removed at the end.
#include "analysis/AllanDeviation.h"
#include "analysis/NoiseAnalysis.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <random>

namespace {

constexpr qint64 kSamples = 3600 * 1000;
constexpr int kChannels = 6;

std::vector<float> whiteNoise(unsigned seed, double sigma, double offset)
{
    std::mt19937 random(seed);
    std::normal_distribution<float> gauss(0.0f, float(sigma));
    std::vector<float> y(static_cast<size_t>(kSamples));
    for (float& v : y)
        v = float(offset) + gauss(random);
    return y;
}

void putLe(QByteArray& out, quint32 v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.append(char((v >> (8 * i)) & 0xFF));
}

/// A 31-byte frame: AA 55, counter, rates (1e-5 °/s), accelerations (1e-7 g), temperature,
/// the sum of the bytes before it.
QByteArray imuFrame(quint32 count, const float v[kChannels])
{
    QByteArray f("\xAA\x55", 2);
    putLe(f, count & 0xFFFF, 2);
    for (int c = 0; c < kChannels; ++c)
        putLe(f, quint32(qint32(std::lround(v[c] * (c < 3 ? 1e5 : 1e7)))), 4);
    putLe(f, 3600, 2);
    quint8 sum = 0;
    for (char b : f)
        sum += quint8(b);
    f.append(char(sum));
    return f;
}

struct Files
{
    QTemporaryDir dir;
    QString raw;
    QString log;
};

Files& files()
{
    static Files f;
    if (!f.raw.isEmpty())
        return f;
    f.raw = f.dir.filePath(QStringLiteral("hour.bin"));
    f.log = f.dir.filePath(QStringLiteral("hour.txt"));
    QFile raw(f.raw), log(f.log);
    if (!raw.open(QIODevice::WriteOnly) || !log.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "bench_analysis: cannot write in %s\n", qPrintable(f.dir.path()));
        std::exit(1);
    }
    std::mt19937 random(5);
    std::normal_distribution<float> gauss(0.0f, 1.0f);
    const qint64 start = QDateTime(QDate(2024, 3, 9), QTime(7, 5, 3)).toMSecsSinceEpoch();
    QByteArray rawChunk, logChunk;
    QString stamp;
    for (qint64 i = 0; i < kSamples; ++i) {
        const float v[kChannels]
            = { 0.03f * gauss(random),  0.03f * gauss(random),  0.03f * gauss(random),
                0.003f * gauss(random), 0.003f * gauss(random), 1.0f + 0.003f * gauss(random) };
        const QByteArray frame = imuFrame(quint32(i), v);
        rawChunk += frame;
        // The host stamps ten messages at a time, as it reads the line every 10 ms.
        if (i % 10 == 0)
            stamp = QDateTime::fromMSecsSinceEpoch(start + i).toString(u"yyyy-MM-dd HH:mm:ss.zzz");
        logChunk += stamp.toLatin1() + ' ' + frame.toHex(' ') + '\n';
        if (rawChunk.size() > (1 << 20)) {
            raw.write(rawChunk);
            log.write(logChunk);
            rawChunk.clear();
            logChunk.clear();
        }
    }
    raw.write(rawChunk);
    log.write(logChunk);
    return f;
}

void BM_CurvesOfAnHour(benchmark::State& state)
{
    std::vector<std::vector<float>> channels;
    for (int c = 0; c < kChannels; ++c)
        channels.push_back(whiteNoise(unsigned(c + 1), c < 3 ? 0.03 : 0.003, c == 5 ? 1.0 : 0.0));
    const std::vector<qint64> sizes = gcs::AllanDeviation::clusterSizes(kSamples);
    for (auto _ : state) {
        double sum = 0;
        for (const std::vector<float>& y : channels) {
            const gcs::AllanDeviation allan(y.data(), qint64(y.size()));
            for (qint64 m : sizes)
                sum += allan.at(m);
        }
        benchmark::DoNotOptimize(sum);
    }
    state.counters["cluster_sizes"] = double(sizes.size());
    state.counters["samples/s"] = benchmark::Counter(double(kSamples) * kChannels,
                                                     benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_CurvesOfAnHour)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_AnalyseAnHour(benchmark::State& state)
{
    const bool log = state.range(0) == 1;
    const QString path = log ? files().log : files().raw;
    for (auto _ : state) {
        const gcs::NoiseResult r = gcs::NoiseAnalysis::run(path, log ? 0.0 : 1000.0);
        if (!r.ok || r.samples != kSamples || r.rateHz != 1000.0) {
            state.SkipWithError(qPrintable(QStringLiteral("analysis failed: %1").arg(r.error)));
            break;
        }
    }
    state.SetLabel(log ? "message log, rate from the host times" : "raw capture, rate given");
    state.counters["file_MB"] = double(QFile(path).size()) / 1e6;
}
BENCHMARK(BM_AnalyseAnHour)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
