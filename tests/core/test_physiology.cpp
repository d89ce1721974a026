#include "physiology.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <vector>

using namespace kestrova;

namespace {

constexpr double Eps = 1e-9;

// A protocol of equal stages whose loads follow the test's load runs.
TProtocolo makeProtocol(char ergometer, const QString &unit, int stageSeconds, int rpm,
                        const std::vector<double> &stageLoads, double inclineStart = 0, double inclineIncr = 0)
{
    TProtocolo p;
    p.TipoErgometro = ergometer;
    p.UnidCarga = unit;
    p.NumEstagios = int(stageLoads.size());
    for (int i = 1; i <= p.NumEstagios; ++i) {
        TStage &st = p.Estagios[i];
        st.Duracao = stageSeconds;
        st.DuracaoFim = stageSeconds * i;
        st.RPM = rpm;
        st.Carga = stageLoads[size_t(i - 1)];
        st.Inclinacao = inclineStart + inclineIncr * (i - 1);
        st.InclinacaoIncr = inclineIncr;
    }
    p.DuracaoTotal = stageSeconds * p.NumEstagios;
    return p;
}

// Samples as the running test leaves them: time, stage, load, FC and live ventilation.
std::unique_ptr<TDados> makeTest(const TProtocolo &p, int interval, int samples,
                                 const std::function<int(int)> &fcOf, double pulses = 20)
{
    auto d = std::make_unique<TDados>();
    d->NumAmostras = samples;
    d->Idade = 30;
    d->Peso = 75;
    d->Gordura = 20;
    d->FCRepouso = 70;
    d->FCLimiar1 = 120;
    d->FCLimiar = 140;
    d->Individuo = "NORMAL";
    int stage = 1;
    for (int n = 1; n <= samples; ++n) {
        TSample &s = d->Amostras[n];
        s.SeqAmostra = n;
        s.TempoTotal = interval * n;
        if (p.Estagios[stage].DuracaoFim < s.TempoTotal && stage < p.NumEstagios)
            ++stage;
        s.Estagio = stage;
        if (IsKgfmUnit(p.UnidCarga))
            s.CargaKgfm = p.Estagios[stage].CargaKgfm;
        else
            s.Carga = p.Estagios[stage].Carga;
        s.Inclinacao = p.TipoErgometro == 'E' ? p.Estagios[stage].Inclinacao : 0;
        CompleteSampleLoad(s, p.UnidCarga, p.TipoErgometro, p.Estagios[stage].RPM);
        s.FC = uint16_t(fcOf(n));
        ComputeLiveVentilation(*d, n, interval, pulses, DefaultIC);
    }
    return d;
}

// Every real of the header and of samples -1..NumAmostras.
std::vector<double> allReals(const TDados &d)
{
    std::vector<double> v = {d.Peso, d.Altura, d.Gordura, d.CargaMaxAtingida, d.CargaMaxTempoMin,
                             d.CargaMaxTempoSeg, d.FatorReservaLV1, d.FatorReservaLV2, d.CargaAmostra,
                             d.MediaDifFC3m, d.CargaAcrescida, d.CargaMaxProjetada, d.CargaKgfmMaxProjetada,
                             d.InclinacaoAcrescida, d.InclinacaoMaxProjetada, d.TempoTotalProjetadoMin,
                             d.VO2Maximo};
    for (int n = -1; n <= d.NumAmostras; ++n) {
        const TSample &s = d.Amostras[n];
        for (double x : {s.Carga, s.CargaKgfm, s.Inclinacao, s.DistanciaPerAmostra, s.DistanciaPerEsteira,
                         s.Velocidade, s.TempoKm, s.VEInstant, s.VE, s.DifVE, s.VEMed, s.VE4, s.DifVE4,
                         s.PFCMaxima, s.VO2RelCarga, s.PVO2FC, s.PVO2Carga, s.VO2RelFC, s.VO2Absoluto,
                         s.GastoEnergetico, s.VO2MassaMagra, s.VEVO2, s.VE4VO2, s.R, s.MET, s.PGlicogenio,
                         s.PGordura, s.PFCReservaTeste, s.PFCMaxIdade, s.PFCReservaIdade, s.PFCLimiar1,
                         s.PFCLimiar})
            v.push_back(x);
    }
    return v;
}

} // namespace

TEST(PredictedMaxima, ByAgeAndIndividual)
{
    struct Case
    {
        const char *name;
        int idade;
        const char *individuo;
        uint16_t ciclo;
        uint16_t esteira;
    };
    const Case cases[] = {
        {"age 40", 40, "NORMAL", 170, 180},
        {"age 40 cyclist", 40, "CICLISTA", 180, 180},
        {"cyclist typed with blanks and lower case", 40, " ciclista ", 180, 180},
        {"age beyond the formula is 0, not a wrapped value", 215, "NORMAL", 0, 5},
    };
    for (const Case &c : cases) {
        auto d = std::make_unique<TDados>();
        d->Idade = c.idade;
        d->Individuo = c.individuo;
        ComputePredictedMaxima(*d);
        EXPECT_EQ(d->FCMaxPrevistaCiclo, c.ciclo) << c.name;
        EXPECT_EQ(d->FCMaxPrevistaEsteira, c.esteira) << c.name;
        EXPECT_EQ(FCMaxPrevista(*d, 'C'), c.ciclo) << c.name;
        EXPECT_EQ(FCMaxPrevista(*d, 'E'), c.esteira) << c.name;
    }
}

TEST(ReserveFactors, DifferencesWithFloorOfOne)
{
    auto d = std::make_unique<TDados>();
    d->Idade = 40;
    d->Individuo = "NORMAL";
    ComputePredictedMaxima(*d);
    d->FCRepouso = 60;
    d->FCMaxAtingida = 175;
    d->FCLimiar1 = 130;
    d->FCLimiar = 150;
    ComputeReserveFactors(*d);
    EXPECT_EQ(d->FatorFCReservaEsteira, 120);
    EXPECT_EQ(d->FatorFCReservaCiclo, 110);
    EXPECT_EQ(d->FatorFCReservaTeste, 115);
    EXPECT_DOUBLE_EQ(d->FatorReservaLV1, 70.0);
    EXPECT_DOUBLE_EQ(d->FatorReservaLV2, 90.0);
    EXPECT_EQ(FatorFCReserva(*d, 'C'), 110);
    EXPECT_EQ(FatorFCReserva(*d, 'E'), 120);

    d->FCRepouso = 200;   // above every maximum and threshold
    ComputeReserveFactors(*d);
    EXPECT_EQ(d->FatorFCReservaEsteira, 1);
    EXPECT_EQ(d->FatorFCReservaCiclo, 1);
    EXPECT_EQ(d->FatorFCReservaTeste, 1);
    EXPECT_DOUBLE_EQ(d->FatorReservaLV1, 1.0);
    EXPECT_DOUBLE_EQ(d->FatorReservaLV2, 1.0);
}

TEST(Loads, ConversionsAndZeroCadence)
{
    TSample s;
    s.CargaKgfm = 2.0;
    EXPECT_TRUE(CompleteSampleLoad(s, "kgfm", 'C', 60));
    EXPECT_NEAR(s.Carga, 117.6, Eps);

    s = TSample {};
    s.Carga = 150;
    EXPECT_TRUE(CompleteSampleLoad(s, "watts", 'C', 50));
    EXPECT_NEAR(s.CargaKgfm, 3.0612244897959, 1e-12);

    s.CargaKgfm = 1.25;
    EXPECT_FALSE(CompleteSampleLoad(s, "watts", 'C', 0));
    EXPECT_EQ(s.CargaKgfm, 1.25) << "left as it was";
    EXPECT_FALSE(WattsToKgfm(150, 0).has_value());

    s = TSample {};
    s.Carga = 8;
    s.CargaKgfm = 3;
    EXPECT_TRUE(CompleteSampleLoad(s, "km/h", 'E', 0));
    EXPECT_EQ(s.CargaKgfm, 0);
    EXPECT_EQ(s.Carga, 8);
}

TEST(Ventilation, FirstSamplesAverageWithTheZeroSamples)
{
    EXPECT_NEAR(VEInstantOf(10, 20, 0.027), 3.24, Eps);
    EXPECT_EQ(VEInstantOf(0, 20, 0.027), 0);
    EXPECT_EQ(VEInstantOf(-5, 20, 0.027), 0);

    auto d = std::make_unique<TDados>();
    const double expected[] = {1.08, 2.16, 3.24, 3.24};
    for (int n = 1; n <= 4; ++n) {
        d->Amostras[n].TempoTotal = 10 * n;
        ComputeLiveVentilation(*d, n, 10, 20, 0.027);
        EXPECT_NEAR(d->Amostras[n].VE, expected[n - 1], Eps) << "sample " << n;
        EXPECT_NEAR(d->Amostras[n].VE4, std::pow(expected[n - 1], 4) / 1e7, 1e-15) << "sample " << n;
    }
    EXPECT_FALSE(ComputeLiveVentilation(*d, 0, 10, 20, 0.027));
    EXPECT_FALSE(ComputeLiveVentilation(*d, MaxSamples + 1, 10, 20, 0.027));
}

TEST(Ventilation, VEMedOnlyAtWholeMinutes)
{
    auto d = std::make_unique<TDados>();
    for (int n = 1; n <= 13; ++n) {
        d->Amostras[n].TempoTotal = 10 * n;
        const bool shown = ComputeLiveVentilation(*d, n, 10, n, 0.027);
        EXPECT_EQ(shown, n == 6 || n == 12) << "sample " << n;
        EXPECT_EQ(d->Amostras[n].VEMed != 0, n == 6 || n == 12) << "sample " << n;
    }
    double sum = 0;
    for (int n = 7; n <= 12; ++n)
        sum += d->Amostras[n].VE;
    EXPECT_NEAR(d->Amostras[12].VEMed, sum / 6, Eps);

    // An interval above a minute has no samples per minute: no VEMed, no division.
    d->Amostras[1].TempoTotal = 120;
    EXPECT_FALSE(ComputeLiveVentilation(*d, 1, 120, 10, 0.027));
    EXPECT_EQ(d->Amostras[1].VEMed, 0);
}

TEST(Treadmill, PaceAndDistances)
{
    EXPECT_NEAR(TempoKmOf(6), 10.0, Eps);
    EXPECT_NEAR(TempoKmOf(7), 8.342857142857, 1e-9);
    EXPECT_EQ(TempoKmOf(0), 0);

    auto d = std::make_unique<TDados>();
    d->Amostras[1].Carga = 12;
    d->Amostras[2].Carga = 12;
    ComputeTreadmillValues(*d, 1, 10);
    ComputeTreadmillValues(*d, 2, 10);
    EXPECT_NEAR(d->Amostras[1].DistanciaPerAmostra, 33.333333333333, 1e-9);
    EXPECT_NEAR(d->Amostras[2].DistanciaPerEsteira, 66.666666666667, 1e-9);
    EXPECT_NEAR(d->Amostras[2].Velocidade, 3.333333333333, 1e-9);
    EXPECT_NEAR(d->Amostras[2].TempoKm, 5.0, Eps);
}

TEST(VO2FromLoad, FormulasAndErgometerChoice)
{
    struct Case
    {
        const char *name;
        char ergometer;
        const char *individuo;
        double carga;
        double inclinacao;
        int tempoTotal;
        double peso;
        double live;
        double save;
    };
    const double treadmill10 = 29.2098607;
    const Case cases[] = {
        {"cycle 150 W 75 kg", 'C', "NORMAL", 150, 0, 0, 75, 28.0, 28.0},
        {"cyclist 150 W 75 kg", 'C', "CICLISTA", 150, 0, 0, 75, 25.656, 25.656},
        {"treadmill 10 km/h", 'E', "NORMAL", 10, 0, 0, 75, treadmill10, treadmill10},
        {"treadmill with incline and time", 'E', "NORMAL", 10, 5, 120, 75, (treadmill10 + 7) * 1.01,
         (treadmill10 + 7) * 1.01},
        {"cycle without weight is 0", 'C', "NORMAL", 150, 0, 0, 0, 0, 0},
        // An unloaded protocol type: the live value takes a cycle formula, the save the treadmill.
        {"neither C nor E", ' ', "NORMAL", 10, 0, 0, 75, (12 * 10 + 300) / 75.0, treadmill10},
    };
    for (const Case &c : cases) {
        auto d = std::make_unique<TDados>();
        d->Peso = c.peso;
        d->Individuo = c.individuo;
        TSample s;
        s.Carga = c.carga;
        s.Inclinacao = c.inclinacao;
        s.TempoTotal = c.tempoTotal;
        EXPECT_NEAR(VO2RelCargaLive(*d, s, c.ergometer), c.live, 1e-9) << c.name;
        EXPECT_NEAR(VO2RelCargaSave(*d, s, c.ergometer), c.save, 1e-9) << c.name;
    }
}

TEST(RegularStages, Cases)
{
    struct Case
    {
        const char *name;
        std::vector<double> loads;
        bool regular;
    };
    const Case cases[] = {
        {"equal runs", {50, 50, 50, 75, 75, 75, 100, 100}, true},
        {"short middle run", {50, 50, 50, 75, 75, 100, 100}, false},
        {"change at the last sample is not judged", {50, 50, 50, 75, 75, 100}, true},
        {"warm-up at 0 is the first run", {0, 0, 50, 50, 75, 75, 100}, true},
        {"warm-up at 0 longer than the stages", {0, 0, 0, 50, 50, 75, 75, 100}, false},
        {"one load", {50, 50, 50}, true},
        {"single sample", {50}, true},
    };
    for (const Case &c : cases) {
        auto d = std::make_unique<TDados>();
        d->NumAmostras = int(c.loads.size());
        for (int n = 1; n <= d->NumAmostras; ++n)
            d->Amostras[n].Carga = c.loads[size_t(n - 1)];
        EXPECT_EQ(HasRegularStages(*d), c.regular) << c.name;
    }
}

TEST(SampleResults, RespiratoryQuotientAndSubstrateShares)
{
    struct Case
    {
        const char *name;
        uint16_t fc;
        double r;
        double glicogenio;
    };
    // FCRepouso 70, FCLimiar 140: FatorReservaLV2 70.
    const Case cases[] = {
        {"mid range", 102, 0.29 / 70 * 32 + 0.71, 45.844571428571},
        {"far above: all carbohydrate", 180, 0.29 / 70 * 110 + 0.71, 100},
        {"below rest: all fat", 60, 0.29 / 70 * -10 + 0.71, 0},
    };
    for (const Case &c : cases) {
        auto d = std::make_unique<TDados>();
        d->FCRepouso = 70;
        d->FCLimiar = 140;
        d->FCMaxAtingida = 180;
        ComputeReserveFactors(*d);
        d->Amostras[1].FC = c.fc;
        ZeroedSet zeroed;
        ComputeSampleResults(*d, 1, 'C', zeroed);
        EXPECT_NEAR(d->Amostras[1].R, c.r, 1e-12) << c.name;
        EXPECT_NEAR(d->Amostras[1].PGlicogenio, c.glicogenio, 1e-9) << c.name;
        EXPECT_NEAR(d->Amostras[1].PGordura, 100 - c.glicogenio, 1e-9) << c.name;
    }
}

// Cycle in watts, 10 s samples, 60 s stages of 50, 75, 100, 125 W; FC 100 + 2n over 24 samples.
class CycleSave : public ::testing::Test
{
protected:
    void SetUp() override
    {
        protocol = makeProtocol('C', "watts", 60, 60, {50, 75, 100, 125});
        d = makeTest(protocol, 10, 24, [](int n) { return 100 + 2 * n; });
    }
    TProtocolo protocol;
    std::unique_ptr<TDados> d;
};

TEST_F(CycleSave, SubmaximalProjectionWorkedExample)
{
    const SaveReport report = ComputeSaveValues(*d, protocol, {10, 1.0}, false);
    EXPECT_TRUE(report.regular);
    EXPECT_FALSE(report.fcAbovePredicted);
    EXPECT_TRUE(report.projected);
    EXPECT_TRUE(report.zeroed.empty()) << ZeroedValuesMessage(report).toStdString();
    EXPECT_TRUE(SubmaximalWarnings(false, report).isEmpty());

    EXPECT_EQ(d->FCMaxAtingida, 148);
    EXPECT_EQ(d->FCMaxAmostra, 24);
    EXPECT_EQ(d->FCMaxPrevistaCiclo, 180);
    EXPECT_EQ(d->CargaMaxAtingida, 125);
    EXPECT_EQ(d->CargaMaxAmostra, 24);
    EXPECT_EQ(d->AmostrasEstagio, 6);
    EXPECT_NEAR(d->CargaAmostra, 25.0 / 6, Eps);
    EXPECT_NEAR(d->MediaDifFC3m, 2.0, Eps);      // samples 7..24 each rise by 2
    EXPECT_EQ(d->AmostrasAcrescidas, 16);         // (180 - 148) / 2
    EXPECT_EQ(d->TempoAcrescidoSeg, 160);
    EXPECT_EQ(d->TotalAmostrasProjetadas, 40);
    EXPECT_EQ(d->TempoTotalProjetadoSeg, 400);
    EXPECT_NEAR(d->TempoTotalProjetadoMin, 400 / 60.0, Eps);
    EXPECT_EQ(d->EstagiosAcrescidos, 2);
    EXPECT_NEAR(d->CargaAcrescida, 50, Eps);
    EXPECT_NEAR(d->CargaMaxProjetada, 175, Eps);
    EXPECT_NEAR(d->CargaKgfmMaxProjetada, 2.976190476190, 1e-9);
    EXPECT_NEAR(d->VO2Maximo, 32.0, Eps);        // (12 * 175 + 300) / 75

    const TSample &last = d->Amostras[24];
    EXPECT_NEAR(last.VO2RelCarga, 24.0, Eps);
    EXPECT_NEAR(last.PFCMaxima, 100, Eps);
    EXPECT_NEAR(last.PVO2FC, 100, Eps);
    EXPECT_NEAR(last.PVO2Carga, 75, Eps);
    EXPECT_NEAR(last.VO2RelFC, 32, Eps);
    EXPECT_NEAR(last.VO2Absoluto, 1.8, Eps);
    EXPECT_NEAR(last.GastoEnergetico, 9, Eps);
    EXPECT_NEAR(last.VO2MassaMagra, 30, Eps);    // 1.8 l/min over 60 kg lean mass
    EXPECT_NEAR(last.MET, 24 / 3.5, Eps);
    EXPECT_NEAR(last.VEVO2, last.VE / 32, Eps);
    EXPECT_NEAR(last.VE4VO2, last.VE4 / 32, Eps);
    EXPECT_NEAR(last.PFCReservaTeste, 100, Eps);
    EXPECT_NEAR(last.PFCMaxIdade, 148 / 180.0 * 100, Eps);
    EXPECT_NEAR(last.PFCReservaIdade, 78 / 110.0 * 100, Eps);
    EXPECT_NEAR(last.PFCLimiar1, 148 / 120.0 * 100, Eps);
    EXPECT_NEAR(last.PFCLimiar, 148 / 140.0 * 100, Eps);
    EXPECT_EQ(last.DifFC, 2);
    EXPECT_EQ(d->Amostras[1].DifFC, 102);
}

TEST_F(CycleSave, SameTestDeclaredMaximalHasNoProjection)
{
    ComputeSaveValues(*d, protocol, {10, 1.0}, false);   // leaves projection values behind
    const SaveReport report = ComputeSaveValues(*d, protocol, {10, 1.0}, true);
    EXPECT_FALSE(report.projected);
    EXPECT_NEAR(d->VO2Maximo, 24.0, Eps);
    EXPECT_EQ(d->AmostrasEstagio, 0);
    EXPECT_EQ(d->AmostrasAcrescidas, 0);
    EXPECT_EQ(d->MediaDifFC3m, 0);
    EXPECT_EQ(d->CargaMaxProjetada, 0);
    EXPECT_EQ(d->TempoTotalProjetadoSeg, 0);
    EXPECT_NEAR(d->Amostras[24].PVO2Carga, 100, Eps);
}

TEST_F(CycleSave, MaximaTakeTheLastSampleThatReachesThem)
{
    for (int n = 8; n <= 24; ++n)
        d->Amostras[n].Carga = 50;
    d->Amostras[7].Carga = 150;
    d->Amostras[24].FC = 100;
    d->Amostras[10].FC = 146;
    ComputeSaveValues(*d, protocol, {10, 1.0}, true);
    EXPECT_EQ(d->CargaMaxAmostra, 7);
    EXPECT_EQ(d->CargaMaxTempoSeg, 70);
    EXPECT_NEAR(d->CargaMaxTempoMin, 70 / 60.0, Eps);
    EXPECT_EQ(d->FCMaxAtingida, 146);
    EXPECT_EQ(d->FCMaxAmostra, 23);   // 100 + 2 * 23 = 146, later than sample 10
    EXPECT_EQ(d->Amostras[24].DifFC, -46);
}

TEST_F(CycleSave, FallingHeartRateAddsNothing)
{
    // A plateau over the last three minutes: the window ending at the last maximum rises by 0.
    for (int n = 6; n <= 24; ++n)
        d->Amostras[n].FC = 150;
    const SaveReport report = ComputeSaveValues(*d, protocol, {10, 1.0}, false);
    EXPECT_TRUE(report.projected);
    EXPECT_LE(d->MediaDifFC3m, 0);
    EXPECT_EQ(d->AmostrasAcrescidas, 0);
    EXPECT_EQ(d->EstagiosAcrescidos, 0);
    EXPECT_NEAR(d->CargaMaxProjetada, d->CargaMaxAtingida, Eps);
}

TEST_F(CycleSave, IrregularStagesOrHighHeartRateFollowTheMaximalPath)
{
    d->Amostras[13].Carga = 75;   // stage 2 seven samples long
    SaveReport report = ComputeSaveValues(*d, protocol, {10, 1.0}, false);
    EXPECT_FALSE(report.regular);
    EXPECT_FALSE(report.projected);
    EXPECT_NEAR(d->VO2Maximo, 24.0, Eps);
    QStringList warnings = SubmaximalWarnings(false, report);
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_EQ(warnings[0], QStringLiteral("O Teste será considerado SUBMÁXIMO, porém os cálculos serão\r"
                                          "efetuados como em um Teste MÁXIMO, pois os Estágios são Irregulares!"));

    d->Idade = 70;   // predicted 140, below the 148 reached
    report = ComputeSaveValues(*d, protocol, {10, 1.0}, false);
    EXPECT_TRUE(report.fcAbovePredicted);
    warnings = SubmaximalWarnings(false, report);
    ASSERT_EQ(warnings.size(), 2);
    EXPECT_EQ(warnings[1], QStringLiteral("O Teste será considerado SUBMÁXIMO, porém os cálculos serão efetuados "
                                          "como em um\rTeste MÁXIMO, pois a FC Máxima Atingida é maior que a FC "
                                          "Máxima Estimada pela Idade!"));
    EXPECT_TRUE(SubmaximalWarnings(true, report).isEmpty());
}

TEST_F(CycleSave, HeartRateWindowBeforeTheFirstSampleCountsAsZero)
{
    for (int n = 6; n <= 24; ++n)
        d->Amostras[n].FC = 100;
    // Maximum 110 at sample 5: the 18-sample window covers samples -12..5.
    const SaveReport report = ComputeSaveValues(*d, protocol, {10, 1.0}, false);
    EXPECT_EQ(d->FCMaxAmostra, 5);
    EXPECT_NEAR(d->MediaDifFC3m, 110 / 18.0, Eps);   // DifFC of sample 1 is 102, then 2 each
    EXPECT_EQ(d->AmostrasAcrescidas, 11);            // round(70 / 6.111) = round(11.45)
    EXPECT_TRUE(report.zeroed.empty());
}

TEST_F(CycleSave, AddedSamplesRoundHalfToEven)
{
    // MediaDifFC3m 4 and a gap of 10 to the predicted maximum: 2.5 rounds to 2.
    for (int n = 1; n <= 24; ++n)
        d->Amostras[n].FC = uint16_t(100 + 4 * n);
    d->Idade = 4;   // predicted 206, maximum reached 196
    ComputeSaveValues(*d, protocol, {10, 1.0}, false);
    EXPECT_NEAR(d->MediaDifFC3m, 4.0, Eps);
    EXPECT_EQ(d->AmostrasAcrescidas, 2);
}

TEST_F(CycleSave, VEFactorCorrectsVEButNotVE4)
{
    const double ve5 = d->Amostras[5].VE;
    const double ve4At5 = d->Amostras[5].VE4;
    const double ve4At4 = d->Amostras[4].VE4;
    ComputeSaveValues(*d, protocol, {10, 1.5}, true);
    EXPECT_NEAR(d->Amostras[5].VE, ve5 * 1.5, Eps);
    EXPECT_NEAR(d->Amostras[5].DifVE, d->Amostras[5].VE - d->Amostras[4].VE, Eps);
    EXPECT_EQ(d->Amostras[5].VE4, ve4At5);
    EXPECT_NEAR(d->Amostras[5].DifVE4, ve4At5 - ve4At4, 1e-15);
    double sum = 0;
    for (int n = 1; n <= 6; ++n)
        sum += d->Amostras[n].VE;
    EXPECT_NEAR(d->Amostras[6].VEMed, sum / 6, Eps);
    EXPECT_EQ(d->Amostras[5].VEMed, 0);
    // Cycle samples carry no treadmill values.
    EXPECT_EQ(d->Amostras[5].DistanciaPerAmostra, 0);
    EXPECT_EQ(d->Amostras[5].TempoKm, 0);
}

TEST_F(CycleSave, VerificationProgressCaptions)
{
    QStringList captions;
    int lastPercent = -1;
    VerifySamples(*d, protocol, {10, 1.0}, [&](const QString &caption, int percent) {
        captions << caption;
        lastPercent = percent;
    });
    ASSERT_FALSE(captions.isEmpty());
    EXPECT_EQ(captions.first(), "Verificando dados...4%");   // round(100 / 24)
    EXPECT_EQ(captions.last(), "Verificando dados...100%");
    EXPECT_EQ(lastPercent, 100);
}

TEST(SaveProjection, CycleInKgfmConvertsTheAddedLoad)
{
    TProtocolo p = makeProtocol('C', "kgfm", 60, 50, {0, 0, 0, 0});
    const double kgfm[] = {1.0, 1.5, 2.0, 2.5};
    for (int i = 1; i <= 4; ++i)
        p.Estagios[i].CargaKgfm = kgfm[i - 1];
    auto d = makeTest(p, 15, 16, [](int n) { return 100 + 3 * n; });
    d->Peso = 80;
    const SaveReport report = ComputeSaveValues(*d, p, {15, 1.0}, false);
    ASSERT_TRUE(report.projected);
    EXPECT_EQ(d->AmostrasEstagio, 4);
    EXPECT_NEAR(d->CargaAmostra, 0.5 / 4, Eps);       // in kgfm
    EXPECT_EQ(d->AmostrasAcrescidas, 11);              // round(32 / 3)
    EXPECT_EQ(d->EstagiosAcrescidos, 2);
    EXPECT_NEAR(d->CargaAcrescida, 1.0, Eps);
    EXPECT_NEAR(d->CargaMaxProjetada, 171.5, 1e-9);   // 1.0 * 0.98 * 50 + 122.5
    EXPECT_NEAR(d->CargaKgfmMaxProjetada, 3.5, 1e-9);
    EXPECT_NEAR(d->VO2Maximo, 29.475, 1e-9);
}

TEST(SaveProjection, StepAndCadenceComeFromTheFirstStages)
{
    // Unequal steps (0.5, then 0.75 kgfm) and a slower first stage: the added load is the step
    // from stage 1 to stage 2, converted with the cadence of the stage of sample 1.
    TProtocolo p = makeProtocol('C', "kgfm", 60, 60, {0, 0, 0, 0});
    const double kgfm[] = {1.0, 1.5, 2.25, 3.0};
    for (int i = 1; i <= 4; ++i)
        p.Estagios[i].CargaKgfm = kgfm[i - 1];
    p.Estagios[1].RPM = 50;
    auto d = makeTest(p, 15, 16, [](int n) { return 100 + 3 * n; });
    const SaveReport report = ComputeSaveValues(*d, p, {15, 1.0}, false);
    ASSERT_TRUE(report.projected);
    EXPECT_NEAR(d->CargaMaxAtingida, 176.4, 1e-9);     // 3.0 * 0.98 * 60
    EXPECT_NEAR(d->CargaAmostra, 0.5 / 4, Eps);
    EXPECT_EQ(d->EstagiosAcrescidos, 2);                // 11 added samples, 4 per stage
    EXPECT_NEAR(d->CargaAcrescida, 1.0, Eps);
    EXPECT_NEAR(d->CargaMaxProjetada, 225.4, 1e-9);    // 1.0 * 0.98 * 50 + 176.4
    EXPECT_NEAR(d->CargaKgfmMaxProjetada, 4.6, 1e-9);  // 225.4 / 0.98 / 50
    EXPECT_NEAR(d->VO2Maximo, (12 * 225.4 + 300) / 75, 1e-9);
}

TEST(SaveProjection, TreadmillProjectsSpeedInclineAndTime)
{
    // 15 s samples, 60 s stages of 6, 8, 10 km/h with incline 1 % rising 0.5 % per stage.
    TProtocolo p = makeProtocol('E', "km/h", 60, 0, {6, 8, 10}, 1.0, 0.5);
    auto d = makeTest(p, 15, 12, [](int n) { return 90 + 3 * n; });
    d->Idade = 40;
    const SaveReport report = ComputeSaveValues(*d, p, {15, 1.0}, false);
    ASSERT_TRUE(report.projected);
    EXPECT_TRUE(report.zeroed.empty()) << ZeroedValuesMessage(report).toStdString();
    EXPECT_NEAR(d->MediaDifFC3m, 126 / 12.0, Eps);
    EXPECT_EQ(d->AmostrasAcrescidas, 5);   // round(54 / 10.5)
    EXPECT_EQ(d->EstagiosAcrescidos, 1);
    EXPECT_NEAR(d->CargaMaxProjetada, 12, Eps);
    EXPECT_EQ(d->CargaKgfmMaxProjetada, 0);
    EXPECT_EQ(d->TempoTotalProjetadoSeg, 255);
    EXPECT_NEAR(d->InclinacaoAcrescida, 0.5, Eps);
    EXPECT_NEAR(d->InclinacaoMaxProjetada, 2.5, Eps);
    EXPECT_NEAR(d->VO2Maximo, 39.228424619004, 1e-9);
    EXPECT_NEAR(d->Amostras[12].DistanciaPerEsteira, (4 * 6 + 4 * 8 + 4 * 10) / 0.06 * 0.25, 1e-9);
}

TEST(SaveZeroDivisors, DegenerateInputsStoreNoNonNumbers)
{
    struct Case
    {
        const char *name;
        int interval;
        bool maximal;
        std::function<void(TDados &, TProtocolo &)> spoil;
        std::vector<Zeroed> expected;
    };
    const Case cases[] = {
        {"no heart rate, no weight, no thresholds", 10, false,
         [](TDados &d, TProtocolo &) {
             for (int n = 1; n <= d.NumAmostras; ++n)
                 d.Amostras[n].FC = 0;
             d.Peso = 0;
             d.FCLimiar1 = 0;
             d.FCLimiar = 0;
         },
         {Zeroed::PFCMaxima, Zeroed::VO2RelCarga, Zeroed::PVO2Carga, Zeroed::VO2MassaMagra, Zeroed::PFCLimiar1,
          Zeroed::PFCLimiar, Zeroed::VO2Maximo}},
        {"all fat", 10, true, [](TDados &d, TProtocolo &) { d.Gordura = 100; }, {Zeroed::VO2MassaMagra}},
        {"first stage shorter than the interval, no cadence", 10, false,
         [](TDados &, TProtocolo &p) {
             p.Estagios[1].Duracao = 5;
             for (int i = 1; i <= p.NumEstagios; ++i)
                 p.Estagios[i].RPM = 0;
         },
         {Zeroed::Projection, Zeroed::CargaKgfmMaxProjetada}},
        {"interval of zero", 0, false, [](TDados &, TProtocolo &) {}, {Zeroed::Interval, Zeroed::MediaDifFC3m}},
        {"interval above a minute", 90, false, [](TDados &d, TProtocolo &) { d.Amostras[2].TempoTotal = 180; },
         {Zeroed::VEMed, Zeroed::MediaDifFC3m}},
        {"age beyond the formula", 10, true, [](TDados &d, TProtocolo &) { d.Idade = 230; },
         {Zeroed::PFCMaxIdade}},
    };
    for (const Case &c : cases) {
        TProtocolo p = makeProtocol('C', "watts", 60, 60, {50, 75, 100, 125});
        auto d = makeTest(p, 10, 24, [](int n) { return 100 + 2 * n; });
        c.spoil(*d, p);
        const SaveReport report = ComputeSaveValues(*d, p, {c.interval, 1.0}, c.maximal);
        for (double x : allReals(*d))
            ASSERT_TRUE(std::isfinite(x)) << c.name;
        for (Zeroed z : c.expected)
            EXPECT_TRUE(report.zeroed.has(z)) << c.name << " flag " << static_cast<uint32_t>(z);
        EXPECT_FALSE(ZeroedValuesMessage(report).isEmpty()) << c.name;
    }
}

TEST(SaveZeroDivisors, MessageListsEachQuantity)
{
    SaveReport report;
    EXPECT_TRUE(ZeroedValuesMessage(report).isEmpty());
    report.zeroed.add(Zeroed::PFCMaxima);
    report.zeroed.add(Zeroed::PFCLimiar);
    EXPECT_EQ(ZeroedValuesMessage(report),
              QStringLiteral("Os seguintes valores foram gravados como 0 por divisão por zero:\r"
                             "PFCMaxima - FC Máxima Atingida igual a 0\r"
                             "PFCLimiar - FC do Limiar 2 igual a 0"));
}

TEST(SaveZeroDivisors, EmptyRecordComputesNothing)
{
    auto d = std::make_unique<TDados>();
    TProtocolo p = makeProtocol('E', "km/h", 60, 0, {6});
    const SaveReport report = ComputeSaveValues(*d, p, {10, 1.0}, false);
    EXPECT_EQ(d->VO2Maximo, 0);
    for (double x : allReals(*d))
        EXPECT_TRUE(std::isfinite(x));
    EXPECT_TRUE(report.regular);
}

TEST(LivePercentage, GuardsAZeroReference)
{
    EXPECT_NEAR(PercentOf(153, 180), 85.0, Eps);
    EXPECT_EQ(PercentOf(153, 0), 0);
}
