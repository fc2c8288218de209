// Recording cost per message and per received chunk, files in a temporary folder; the
// 200 ms disk flush runs as in the program (it is included in the numbers).
#include "record/Recorder.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

QByteArray sinsFrame(quint32 n)
{
    QByteArray frame(59, char(n & 0x7F));
    frame[0] = char(0xAA);
    frame[1] = char(0x55);
    return frame;
}

void messageLines(benchmark::State& state)
{
    const bool binary = state.range(0) != 0;
    QTemporaryDir dir;
    gcs::Recorder recorder;
    recorder.start(dir.filePath(QStringLiteral("b.txt")), dir.filePath(QStringLiteral("b.bin")),
                   true);
    const QByteArray sentence(
        "#vorn,sins,123,0.01,0.02,0.03,0.001,0.002,0.999,1.5,-2.25,180.5,181.25,"
        "116.3912757,39.9064361,43.5,0.1,0.2,0.0,36,12345678.5,97*ff");
    qint64 ms = QDateTime::currentMSecsSinceEpoch();
    quint32 n = 0;
    for (auto _ : state) {
        // Five messages of one chunk share a host time, as they do on a fast link.
        if (n % 5 == 0)
            ++ms;
        recorder.storeInsWireFrame(binary ? sinsFrame(n) : sentence, ms);
        ++n;
        if (n % 1024 == 0)
            QCoreApplication::processEvents();
    }
    recorder.stop();
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(messageLines)->Arg(1)->Arg(0)->ArgName("binary");

void rawChunks(benchmark::State& state)
{
    QTemporaryDir dir;
    gcs::Recorder recorder;
    recorder.start(dir.filePath(QStringLiteral("r.txt")), dir.filePath(QStringLiteral("r.bin")),
                   true);
    const QByteArray chunk(int(state.range(0)), 'x');
    quint32 n = 0;
    for (auto _ : state) {
        recorder.onRaw(chunk);
        if (++n % 256 == 0)
            QCoreApplication::processEvents();
    }
    recorder.stop();
    state.SetBytesProcessed(state.iterations() * chunk.size());
}
BENCHMARK(rawChunks)->Arg(64)->Arg(4096);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
