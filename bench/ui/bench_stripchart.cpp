// The strip chart on its own: what taking one sample costs, and what one repaint of a
// full window costs as the window (and with it the number of samples) grows. Run by hand:
// QT_QPA_PLATFORM=offscreen build/bin/bench_stripchart
#include "ui/ChartClock.h"
#include "ui/HeadingChart.h"
#include "ui/StripChart.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

// A chart with a clock the benchmark moves: rateHz samples per second of the window.
struct Fed
{
    Fed(gcs::StripChart& c, int windowSec, int rateHz)
        : chart(c)
    {
        clock.setSource([this] { return now; });
        chart.setClock(&clock);
        chart.setReduceMotion(true);
        chart.setWindowSec(windowSec);
        const int n = windowSec * rateHz;
        for (int i = 0; i < n; ++i) {
            now += 1.0 / rateHz;
            chart.addSample(5 * std::sin(now) + 0.3 * std::sin(37 * now));
        }
    }
    gcs::StripChart& chart;
    gcs::ChartClock clock;
    double now = 1000;
};

void BM_AddSample(benchmark::State& state)
{
    gcs::StripChart chart;
    Fed fed(chart, 16, 250);
    for (auto _ : state) {
        fed.now += 0.001;
        benchmark::DoNotOptimize(chart.addSample(std::sin(fed.now)));
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_AddHeadingSample(benchmark::State& state)
{
    gcs::HeadingChart chart;
    Fed fed(chart, 16, 250);
    double heading = 0;
    for (auto _ : state) {
        fed.now += 0.001;
        heading = std::fmod(heading + 0.05, 360.0);
        benchmark::DoNotOptimize(chart.addSample(heading));
    }
    state.SetItemsProcessed(state.iterations());
}

// One repaint of a 600 x 220 chart (about a chart card at the medium window size) with a
// full window of samples at 250 a second.
void BM_PaintFullWindow(benchmark::State& state)
{
    const int windowSec = int(state.range(0));
    gcs::StripChart chart;
    Fed fed(chart, windowSec, 250);
    chart.setSize(QSizeF(600, 220));
    QImage image(600, 220, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        image.fill(Qt::transparent);
        QPainter painter(&image);
        chart.paint(&painter);
    }
    state.counters["samples"] = chart.sampleCount();
}

} // namespace

BENCHMARK(BM_AddSample);
BENCHMARK(BM_AddHeadingSample);
BENCHMARK(BM_PaintFullWindow)
    ->ArgName("window_s")
    ->Arg(8)
    ->Arg(16)
    ->Arg(60)
    ->Arg(120)
    ->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv); // fonts for the value labels
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
