// Building command sentences and loading the shipped catalog.
#include "console/CommandCatalog.h"

#include <QCoreApplication>
#include <QDir>

#include <benchmark/benchmark.h>

namespace {

QString shippedCatalog()
{
    return QDir(QCoreApplication::applicationDirPath())
        .filePath(QStringLiteral("profiles/vorn.yaml"));
}

void buildSetCom1(benchmark::State& state)
{
    gcs::CommandCatalog catalog;
    catalog.loadFile(shippedCatalog());
    const QStringList args { "422", "115200", "200", "sinsbin" };
    for (auto _ : state)
        benchmark::DoNotOptimize(catalog.build(QStringLiteral("vorn.set_com1"), args));
}
BENCHMARK(buildSetCom1);

void buildSetFactory(benchmark::State& state)
{
    gcs::CommandCatalog catalog;
    catalog.loadFile(shippedCatalog());
    QStringList args;
    for (int i = 0; i < 22; ++i)
        args.append(QString::number(0.000123 * i, 'f', 6));
    for (auto _ : state)
        benchmark::DoNotOptimize(catalog.build(QStringLiteral("vorn.set_factory"), args));
}
BENCHMARK(buildSetFactory);

void loadShippedCatalog(benchmark::State& state)
{
    const QString path = shippedCatalog();
    for (auto _ : state) {
        gcs::CommandCatalog catalog;
        benchmark::DoNotOptimize(catalog.loadFile(path));
    }
}
BENCHMARK(loadShippedCatalog);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
