// Cost of the live chart at the end of a 24-hour test (17280 samples every 5 seconds) on a
// 1600 x 900 surface with six curves: one incremental drawing, and a drawing of everything.
#include "chart_draw.h"
#include "chart_setup.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <cmath>
#include <cstdlib>
#include <memory>

using namespace kestrova;

namespace {

constexpr int Samples = MaxSamples;

std::unique_ptr<TDados> longTest()
{
    auto d = std::make_unique<TDados>();
    for (int i = 1; i <= Samples; ++i) {
        TSample &s = d->Amostras[i];
        const double a = i * 0.013;
        s.TempoTotal = i * 5;
        s.VE = 45 + 25 * std::sin(a) + 4 * std::sin(i * 0.9);
        s.VEMed = (s.TempoTotal % 60 == 0) ? 45 + 25 * std::sin(a) : 0;
        s.VE4 = std::pow(s.VE, 4) / 1e7;
        s.FC = uint16_t(140 + 35 * std::sin(a * 0.7));
        s.FCMed = uint16_t(140 + 30 * std::sin(a * 0.7));
        s.VO2RelCarga = 30 + 12 * std::sin(a * 0.5);
    }
    // The extremes are reached long before the last sample, so it leaves every scale as it is.
    d->NumAmostras = Samples;
    return d;
}

LiveCurveChoice sixCurves()
{
    LiveCurveChoice c;
    c.ve4 = true;
    c.vo2 = true;
    c.fcMed = true;
    return c;
}

void BM_LiveIncrementalAfterLastSample(benchmark::State &state)
{
    auto d = longTest();
    auto ready = std::make_unique<TGrafico>();
    SetupLiveChart(*ready, sixCurves());
    QImage readySurface = NewChartSurface(1600, 900);
    d->NumAmostras = Samples - 1;
    DrawChart(readySurface, ChartLive, *ready, *d);
    d->NumAmostras = Samples;

    auto chart = std::make_unique<TGrafico>();
    for (auto _ : state) {
        state.PauseTiming();
        *chart = *ready;
        QImage surface = readySurface.copy();
        state.ResumeTiming();
        DrawChart(surface, ChartLive, *chart, *d);
        benchmark::DoNotOptimize(surface.constBits());
    }
    // Confirms that the measured drawing really was incremental.
    auto probe = std::make_unique<TGrafico>();
    *probe = *ready;
    const ChartLoadResult r = LoadChartSamples(*probe, ChartLive, *d, false);
    if (r.timeChanged || probe->rescaled || r.reloaded)
        state.SkipWithError("the last sample changed a scale: not an incremental drawing");
}
BENCHMARK(BM_LiveIncrementalAfterLastSample)->Unit(benchmark::kMillisecond);

void BM_LiveFullRedraw(benchmark::State &state)
{
    auto d = longTest();
    auto fresh = std::make_unique<TGrafico>();
    SetupLiveChart(*fresh, sixCurves());
    auto chart = std::make_unique<TGrafico>();
    for (auto _ : state) {
        state.PauseTiming();
        *chart = *fresh;
        QImage surface = NewChartSurface(1600, 900);
        state.ResumeTiming();
        DrawChart(surface, ChartLive, *chart, *d);
        benchmark::DoNotOptimize(surface.constBits());
    }
}
BENCHMARK(BM_LiveFullRedraw)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
