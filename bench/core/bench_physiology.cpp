// Save-time computation over a full evaluation (17280 samples, 24 hours at 5 s): the
// verification pass, the projection and every per-sample value. Must stay well under 10 ms.
#include "physiology.h"

#include <benchmark/benchmark.h>

#include <memory>

using namespace kestrova;

namespace {

constexpr int Interval = 5;

TProtocolo benchProtocol(char ergometer)
{
    TProtocolo p;
    p.TipoErgometro = ergometer;
    p.UnidCarga = ergometer == 'C' ? "watts" : "km/h";
    p.NumEstagios = MaxStages;
    for (int i = 1; i <= MaxStages; ++i) {
        p.Estagios[i].Duracao = 360;
        p.Estagios[i].DuracaoFim = 360 * i;
        p.Estagios[i].RPM = 60;
        p.Estagios[i].Carga = ergometer == 'C' ? 25.0 * i : 4 + 0.5 * i;
        p.Estagios[i].Inclinacao = 1;
        p.Estagios[i].InclinacaoIncr = 0;
    }
    return p;
}

// A full record as the running test leaves it; the save changes VE, so each run starts from it.
std::unique_ptr<TDados> recordedTest(const TProtocolo &p)
{
    auto d = std::make_unique<TDados>();
    d->NumAmostras = MaxSamples;
    d->Idade = 35;
    d->Peso = 72;
    d->Gordura = 15;
    d->FCRepouso = 65;
    d->FCLimiar1 = 140;
    d->FCLimiar = 165;
    d->Individuo = "NORMAL";
    int stage = 1;
    for (int n = 1; n <= MaxSamples; ++n) {
        TSample &s = d->Amostras[n];
        s.SeqAmostra = n;
        s.TempoTotal = Interval * n;
        if (p.Estagios[stage].DuracaoFim < s.TempoTotal && stage < p.NumEstagios)
            ++stage;
        s.Estagio = stage;
        s.Carga = p.Estagios[stage].Carga;
        s.Inclinacao = p.Estagios[stage].Inclinacao;
        CompleteSampleLoad(s, p.UnidCarga, p.TipoErgometro, p.Estagios[stage].RPM);
        s.FC = uint16_t(80 + (n * 90) / MaxSamples);   // below the predicted 175: the projection runs
        ComputeLiveVentilation(*d, n, Interval, 10 + n % 30, DefaultIC);
    }
    return d;
}

void runSave(benchmark::State &state, char ergometer, bool maximal)
{
    bool projected = false;
    const TProtocolo p = benchProtocol(ergometer);
    const auto source = recordedTest(p);
    auto work = std::make_unique<TDados>();
    for (auto _ : state) {
        state.PauseTiming();
        work->copyFrom(*source);
        state.ResumeTiming();
        SaveReport report = ComputeSaveValues(*work, p, {Interval, 1.0}, maximal);
        projected = report.projected;
        benchmark::DoNotOptimize(report);
        benchmark::DoNotOptimize(work->Amostras[MaxSamples].PFCLimiar);
    }
    state.SetItemsProcessed(state.iterations() * MaxSamples);
    if (projected == maximal)
        state.SkipWithError("the projection did not follow the test type");
}

void BM_SaveValuesCycleSubmaximal(benchmark::State &state) { runSave(state, 'C', false); }
void BM_SaveValuesTreadmillMaximal(benchmark::State &state) { runSave(state, 'E', true); }

} // namespace

BENCHMARK(BM_SaveValuesCycleSubmaximal)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveValuesTreadmillMaximal)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
