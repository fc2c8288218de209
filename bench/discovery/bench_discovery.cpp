// Time spent probing real pseudo-terminals, with telvo-sim as the unit.
//
//   build/bin/bench_discovery [--benchmark_filter=...]
//
// Check: tryInsLinkAt at the unit's rate, at a wrong rate (the unit sends noise) and on
// a silent socat line (every wait runs out). Detect: runDetectSerialLink for a unit at
// 230400 with 115200 preferred, over the default rates. Search: probeAllPorts over three
// units at 9600, 115200 and 230400. The controller rows run the same through
// gcs::Application: from connectCurrentManaged to a connected session, and from
// autoSearchDevices to the hint, thread pool and future watchers included.
#include "app/Application.h"
#include "discovery/SerialPortListing.h"
#include "discovery/SerialProbe.h"

#include "TestSupport.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

using gcs::SerialProbe;
using gcs::test::SimProcess;

namespace {

std::unique_ptr<SimProcess> startSim(const QStringList& args)
{
    auto sim = std::make_unique<SimProcess>();
    if (!sim->start(args)) {
        std::fprintf(stderr, "bench_discovery: %s\n", qPrintable(sim->errorText()));
        std::exit(1);
    }
    return sim;
}

void BM_CheckAtTheUnitsRate(benchmark::State& state)
{
    auto sim = startSim({});
    for (auto _ : state) {
        if (!SerialProbe::tryInsLinkAt(sim->port(), 115200))
            state.SkipWithError("the unit did not answer");
    }
}

void BM_CheckAtAWrongRate(benchmark::State& state)
{
    auto sim = startSim({});
    for (auto _ : state) {
        if (SerialProbe::tryInsLinkAt(sim->port(), 9600))
            state.SkipWithError("noise passed the link test");
    }
}

void BM_CheckOnASilentLine(benchmark::State& state)
{
    gcs::test::PtyPair pair;
    if (!pair.start()) {
        state.SkipWithError("socat did not start");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(SerialProbe::tryInsLinkAt(pair.endA(), 115200));
}

void BM_DetectAt230400(benchmark::State& state)
{
    auto sim = startSim({ "--baud", "230400" });
    for (auto _ : state) {
        const gcs::DetectLinkResult r = SerialProbe::runDetectSerialLink(
            sim->port(), 115200, { sim->port() }, SerialProbe::defaultBaudList());
        if (!r.ok || r.baud != 230400)
            state.SkipWithError("not detected");
    }
}

void BM_SearchThreeUnits(benchmark::State& state)
{
    std::vector<std::unique_ptr<SimProcess>> sims;
    QStringList ports;
    for (const char* baud : { "9600", "115200", "230400" }) {
        sims.push_back(startSim({ "--baud", baud }));
        ports.append(sims.back()->port());
    }
    for (auto _ : state) {
        if (SerialProbe::probeAllPorts(ports, 3, {}).size() != 3)
            state.SkipWithError("not all units found");
    }
}

void BM_ControllerConnect(benchmark::State& state)
{
    QTemporaryDir dir;
    gcs::test::EnvOverride env("LOCALAPPDATA", dir.path().toLocal8Bit());
    auto sim = startSim({});
    gcs::Application app;
    app.stageManualSerialConnect(QStringLiteral("ins"), QString(), sim->port(), 115200);
    for (auto _ : state) {
        app.connectCurrentManaged();
        if (!gcs::test::waitUntil([&] { return app.currentManagedConnected(); }, 10000))
            state.SkipWithError("not connected");
        state.PauseTiming();
        app.disconnectPrimary();
        state.ResumeTiming();
    }
}

void BM_ControllerSearchThreeUnits(benchmark::State& state)
{
    QTemporaryDir dir;
    gcs::test::EnvOverride env("LOCALAPPDATA", dir.path().toLocal8Bit());
    std::vector<std::unique_ptr<SimProcess>> sims;
    QList<gcs::SerialPortListing> ports;
    for (const char* baud : { "9600", "115200", "230400" }) {
        sims.push_back(startSim({ "--baud", baud }));
        ports.append(gcs::SerialPortListing { sims.back()->port(), QString() });
    }
    gcs::Application app;
    app.setSerialPortSource([ports]() { return ports; });
    for (auto _ : state) {
        app.autoSearchDevices();
        if (!gcs::test::waitUntil([&] { return !app.searching(); }, 30000))
            state.SkipWithError("search did not end");
    }
}

BENCHMARK(BM_CheckAtTheUnitsRate)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_CheckAtAWrongRate)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_CheckOnASilentLine)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_DetectAt230400)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_SearchThreeUnits)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_ControllerConnect)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_ControllerSearchThreeUnits)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (qEnvironmentVariableIsEmpty("GCS_BIN_DIR"))
        qputenv("GCS_BIN_DIR", GCS_BIN_DIR_DEFAULT);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
