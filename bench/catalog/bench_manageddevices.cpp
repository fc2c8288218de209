// Every change of the managed-device list rewrites and syncs gcs.ini; how long does one
// commit take with a realistic and with a large list?
#include "catalog/ManagedDevices.h"

#include <QCoreApplication>
#include <QSettings>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void commitWithEntries(benchmark::State& state)
{
    QTemporaryDir dir;
    QSettings store(dir.filePath(QStringLiteral("gcs.ini")), QSettings::IniFormat);
    gcs::ManagedDevices list;
    list.load(&store);
    for (int i = 0; i < state.range(0); ++i)
        list.appendSerial(QStringLiteral("ins"), QString(), QStringLiteral("COM%1").arg(i + 1),
                          115200, false, QString());
    const QString id = list.ids().constFirst();
    int baud = 9600;
    for (auto _ : state) {
        baud = baud == 9600 ? 19200 : 9600; // a real change every round
        list.updateSerial(id, QString(), QStringLiteral("COM1"), baud, QString());
    }
}
BENCHMARK(commitWithEntries)->Arg(3)->Arg(50);

void loadEntries(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("gcs.ini"));
    {
        QSettings store(path, QSettings::IniFormat);
        gcs::ManagedDevices list;
        list.load(&store);
        for (int i = 0; i < state.range(0); ++i)
            list.appendSerial(QStringLiteral("ins"), QString(), QStringLiteral("COM%1").arg(i + 1),
                              115200, false, QString());
    }
    QSettings store(path, QSettings::IniFormat);
    for (auto _ : state) {
        gcs::ManagedDevices list;
        list.load(&store);
        benchmark::DoNotOptimize(list.count());
    }
}
BENCHMARK(loadEntries)->Arg(3)->Arg(50);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
