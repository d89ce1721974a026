#include "physiology.h"

#include "routines.h"

#include "formatting.h"

#include <algorithm>
#include <cmath>

namespace kestrova {

namespace {

int clampedSampleCount(const TDados &dados)
{
    return std::clamp(dados.NumAmostras, 0, MaxSamples);
}

int stageIndex(int estagio)
{
    return std::clamp(estagio, 1, MaxStages);
}

double loadIn(const TSample &sample, bool kgfm)
{
    return kgfm ? sample.CargaKgfm : sample.Carga;
}

} // namespace

int SamplesPerMinute(int interval)
{
    return interval > 0 ? 60 / interval : 0;
}

bool IsCiclista(const QString &individuo)
{
    return individuo.trimmed().compare(QLatin1String("CICLISTA"), Qt::CaseInsensitive) == 0;
}

bool IsKgfmUnit(const QString &unidCarga)
{
    return unidCarga.trimmed().compare(QLatin1String("kgfm"), Qt::CaseInsensitive) == 0;
}

uint16_t PredictedMaxCycle(int idade, const QString &individuo)
{
    const int base = IsCiclista(individuo) ? 220 : 210;
    return static_cast<uint16_t>(std::clamp(base - idade, 0, 0xFFFF));
}

uint16_t PredictedMaxTreadmill(int idade)
{
    return static_cast<uint16_t>(std::clamp(220 - idade, 0, 0xFFFF));
}

void ComputePredictedMaxima(TDados &dados)
{
    dados.FCMaxPrevistaCiclo = PredictedMaxCycle(dados.Idade, dados.Individuo);
    dados.FCMaxPrevistaEsteira = PredictedMaxTreadmill(dados.Idade);
}

uint16_t FCMaxPrevista(const TDados &dados, char ergometer)
{
    return ergometer == 'C' ? dados.FCMaxPrevistaCiclo : dados.FCMaxPrevistaEsteira;
}

int32_t FatorFCReserva(const TDados &dados, char ergometer)
{
    return ergometer == 'C' ? dados.FatorFCReservaCiclo : dados.FatorFCReservaEsteira;
}

void ComputeReserveFactors(TDados &dados)
{
    const int repouso = dados.FCRepouso;
    auto atLeastOne = [](int v) { return v > 0 ? v : 1; };
    auto positiveOrOne = [](int v) { return v > 0 ? double(v) : 1.0; };
    dados.FatorFCReservaEsteira = atLeastOne(int(dados.FCMaxPrevistaEsteira) - repouso);
    dados.FatorFCReservaCiclo = atLeastOne(int(dados.FCMaxPrevistaCiclo) - repouso);
    dados.FatorFCReservaTeste = atLeastOne(int(dados.FCMaxAtingida) - repouso);
    dados.FatorReservaLV1 = positiveOrOne(int(dados.FCLimiar1) - repouso);
    dados.FatorReservaLV2 = positiveOrOne(int(dados.FCLimiar) - repouso);
}

double KgfmToWatts(double kgfm, int rpm)
{
    return kgfm * 0.98 * rpm;
}

std::optional<double> WattsToKgfm(double watts, int rpm)
{
    if (rpm == 0)
        return std::nullopt;
    return watts / 0.98 / rpm;
}

bool CompleteSampleLoad(TSample &sample, const QString &unidCarga, char ergometer, int rpm)
{
    if (IsKgfmUnit(unidCarga)) {
        sample.Carga = KgfmToWatts(sample.CargaKgfm, rpm);
        return true;
    }
    if (ergometer != 'C') {
        sample.CargaKgfm = 0;
        return true;
    }
    const std::optional<double> kgfm = WattsToKgfm(sample.Carga, rpm);
    if (!kgfm)
        return false;
    sample.CargaKgfm = *kgfm;
    return true;
}

double VEInstantOf(int interval, double pulses, double ic)
{
    if (interval <= 0)
        return 0;
    return (60.0 / interval) * pulses * ic;
}

double VE4Of(double ve)
{
    const double square = ve * ve;
    return square * square / 10000000.0;
}

double VEMedOf(const TDados &dados, int n, int samplesPerMinute)
{
    if (samplesPerMinute <= 0)
        return 0;
    double sum = 0;
    const int lo = std::max(n - samplesPerMinute + 1, int(decltype(dados.Amostras)::Low));
    const int hi = std::min(n, MaxSamples);
    for (int i = lo; i <= hi; ++i)
        sum += dados.Amostras[i].VE;
    return sum / samplesPerMinute;
}

bool IsWholeMinute(int tempoTotal)
{
    return tempoTotal > 0 && tempoTotal % 60 == 0;
}

bool ComputeLiveVentilation(TDados &dados, int n, int interval, double pulses, double ic)
{
    if (n < 1 || n > MaxSamples)
        return false;
    TSample &s = dados.Amostras[n];
    s.VEInstant = VEInstantOf(interval, pulses, ic);
    s.VE = (s.VEInstant + dados.Amostras[n - 1].VEInstant + dados.Amostras[n - 2].VEInstant) / 3;
    s.VE4 = VE4Of(s.VE);
    const int spm = SamplesPerMinute(interval);
    const bool wholeMinute = IsWholeMinute(s.TempoTotal) && spm > 0;
    s.VEMed = wholeMinute ? VEMedOf(dados, n, spm) : 0;
    return wholeMinute;
}

double TempoKmOf(double kmh)
{
    if (!(kmh > 0))
        return 0;
    const double minutesPerKm = 60 / kmh;
    const double whole = std::trunc(minutesPerKm);
    return whole + (minutesPerKm - whole) * 60 / 100;
}

void ComputeTreadmillValues(TDados &dados, int n, int interval)
{
    if (n < 1 || n > MaxSamples)
        return;
    TSample &s = dados.Amostras[n];
    const double v = s.Carga;
    s.DistanciaPerAmostra = v / 0.06 * (std::max(interval, 0) / 60.0);
    s.DistanciaPerEsteira = dados.Amostras[n - 1].DistanciaPerEsteira + s.DistanciaPerAmostra;
    s.Velocidade = v / 3.6;
    s.TempoKm = TempoKmOf(v);
}

double VO2Treadmill(double kmh, double inclinacao, double minutes)
{
    return ((kmh * kmh * kmh * 0.000525542 + kmh * 3.163 + 2.209) * 0.85 + inclinacao * 1.4)
           * (minutes * 0.005 + 1);
}

double VO2Cycle(double watts, double peso, const QString &individuo)
{
    if (peso == 0)
        return 0;
    if (IsCiclista(individuo))
        return (0.0098 * watts + 0.4542) * 1000 / peso;
    return (12 * watts + 300) / peso;
}

double VO2RelCargaLive(const TDados &dados, const TSample &sample, char ergometer)
{
    if (ergometer == 'E')
        return VO2Treadmill(sample.Carga, sample.Inclinacao, sample.TempoTotal / 60.0);
    return VO2Cycle(sample.Carga, dados.Peso, dados.Individuo);
}

double VO2RelCargaSave(const TDados &dados, const TSample &sample, char ergometer)
{
    if (ergometer == 'C')
        return VO2Cycle(sample.Carga, dados.Peso, dados.Individuo);
    return VO2Treadmill(sample.Carga, sample.Inclinacao, sample.TempoTotal / 60.0);
}

double PercentOf(double fc, double reference)
{
    return reference != 0 ? fc * 100 / reference : 0;
}

void RegularStageCheck::add(double carga, bool lastSample)
{
    if (carga == m_previous) {
        ++m_run;
        return;
    }
    if (m_firstRun > 0 && m_run != m_firstRun && !lastSample)
        m_regular = false;
    if (m_firstRun == 0)
        m_firstRun = m_run;
    m_run = 1;
    m_previous = carga;
}

bool HasRegularStages(const TDados &dados)
{
    RegularStageCheck check;
    const int count = clampedSampleCount(dados);
    for (int n = 1; n <= count; ++n)
        check.add(dados.Amostras[n].Carga, n == count);
    return check.regular();
}

QStringList ZeroedSet::descriptions() const
{
    struct Row
    {
        Zeroed flag;
        const char *text;
    };
    static const Row rows[] = {
        {Zeroed::PFCMaxima, "PFCMaxima - FC Máxima Atingida igual a 0"},
        {Zeroed::PVO2Carga, "PVO2Carga - VO2 Máximo igual a 0"},
        {Zeroed::VEVO2, "VEVO2 e VE4VO2 - VO2 pela FC igual a 0"},
        {Zeroed::PFCLimiar1, "PFCLimiar1 - FC do Limiar 1 igual a 0"},
        {Zeroed::PFCLimiar, "PFCLimiar - FC do Limiar 2 igual a 0"},
        {Zeroed::PFCMaxIdade, "PFCMaxIdade - FC Máxima Prevista pela Idade igual a 0"},
        {Zeroed::VO2RelCarga, "VO2RelCarga - Peso igual a 0"},
        {Zeroed::VO2MassaMagra, "VO2MassaMagra - Massa Magra igual a 0 (Peso 0 ou Gordura 100%)"},
        {Zeroed::Projection,
         "CargaAmostra e EstagiosAcrescidos - Estágio 1 mais curto que o Tempo de Amostragem"},
        {Zeroed::CargaKgfmMaxProjetada, "CargaKgfmMaxProjetada - RPM igual a 0"},
        {Zeroed::VEMed, "VEMed - Tempo de Amostragem maior que 60 segundos"},
        {Zeroed::MediaDifFC3m, "MediaDifFC3m - Tempo de Amostragem maior que 60 segundos"},
        {Zeroed::Interval, "VE, Distâncias e Tempos - Tempo de Amostragem inválido"},
        {Zeroed::VO2Maximo, "VO2Maximo - Peso igual a 0"},
    };
    QStringList lines;
    for (const Row &row : rows) {
        if (has(row.flag))
            lines << QString::fromUtf8(row.text);
    }
    return lines;
}

SaveReport VerifySamples(TDados &dados, const TProtocolo &protocolo, const SaveInputs &inputs,
                         const ProgressFn &progress)
{
    SaveReport report;
    const char ergometer = protocolo.TipoErgometro;
    const bool treadmill = ergometer != 'C';
    const int count = clampedSampleCount(dados);
    const int spm = SamplesPerMinute(inputs.interval);
    if (inputs.interval <= 0)
        report.zeroed.add(Zeroed::Interval);

    ComputePredictedMaxima(dados);
    dados.CargaMaxAtingida = 0;
    dados.CargaMaxAmostra = 0;
    dados.CargaMaxTempoSeg = 0;
    dados.CargaMaxTempoMin = 0;
    dados.FCMaxAtingida = 0;
    dados.FCMaxAmostra = 0;

    RegularStageCheck stages;
    int shown = -1;
    for (int n = 1; n <= count; ++n) {
        TSample &s = dados.Amostras[n];
        const TSample &prev = dados.Amostras[n - 1];
        stages.add(s.Carga, n == count);

        if (treadmill) {
            ComputeTreadmillValues(dados, n, inputs.interval);
        } else {
            s.DistanciaPerAmostra = 0;
            s.DistanciaPerEsteira = 0;
            s.Velocidade = 0;
            s.TempoKm = 0;
        }

        s.VE *= inputs.veFactor;
        s.DifVE = s.VE - prev.VE;
        s.VEMed = 0;
        if (IsWholeMinute(s.TempoTotal)) {
            if (spm > 0)
                s.VEMed = VEMedOf(dados, n, spm);
            else
                report.zeroed.add(Zeroed::VEMed);
        }
        s.DifVE4 = s.VE4 - prev.VE4;
        s.DifFC = static_cast<int16_t>(int(s.FC) - int(prev.FC));

        if (s.FC >= dados.FCMaxAtingida) {
            dados.FCMaxAtingida = s.FC;
            dados.FCMaxAmostra = n;
        }
        if (s.Carga >= dados.CargaMaxAtingida) {
            dados.CargaMaxAtingida = s.Carga;
            dados.CargaMaxAmostra = n;
            dados.CargaMaxTempoSeg = s.TempoTotal;
            dados.CargaMaxTempoMin = s.TempoTotal / 60.0;
        }

        s.VO2RelCarga = VO2RelCargaSave(dados, s, ergometer);
        if (!treadmill && dados.Peso == 0)
            report.zeroed.add(Zeroed::VO2RelCarga);

        if (progress) {
            const int position = int(RoundHalfEven(n * 100.0 / count));
            if (position != shown) {
                shown = position;
                progress(QStringLiteral("Verificando dados...%1%").arg(position), position);
            }
        }
    }

    report.regular = stages.regular();
    ComputeReserveFactors(dados);
    report.fcAbovePredicted = dados.FCMaxAtingida > FCMaxPrevista(dados, ergometer);
    return report;
}

namespace {

// Projection of a submaximal test with regular stages to the age-predicted maximum.
void project(TDados &dados, const TProtocolo &protocolo, int interval, SaveReport &report)
{
    const char ergometer = protocolo.TipoErgometro;
    const bool kgfm = IsKgfmUnit(protocolo.UnidCarga);
    const int count = clampedSampleCount(dados);
    const int spm = SamplesPerMinute(interval);
    static const TSample none {};
    auto sample = [&](int i) -> const TSample & { return i >= 1 && i <= count ? dados.Amostras[i] : none; };

    const int perStage = interval > 0 ? protocolo.Estagios[1].Duracao / interval : 0;
    dados.AmostrasEstagio = perStage;
    const double increment = loadIn(sample(perStage + 1), kgfm) - loadIn(sample(perStage), kgfm);
    if (perStage > 0)
        dados.CargaAmostra = increment / perStage;
    else
        report.zeroed.add(Zeroed::Projection);

    const int window = 3 * spm;
    if (window > 0) {
        int sum = 0;
        for (int i = std::max(dados.FCMaxAmostra - window + 1, 1); i <= std::min(dados.FCMaxAmostra, count); ++i)
            sum += dados.Amostras[i].DifFC;
        dados.MediaDifFC3m = double(sum) / window;
    } else {
        report.zeroed.add(Zeroed::MediaDifFC3m);
    }

    const int fcGap = int(FCMaxPrevista(dados, ergometer)) - int(dados.FCMaxAtingida);
    int64_t added = 0;
    if (dados.MediaDifFC3m > 0)
        added = std::clamp<int64_t>(RoundHalfEven(fcGap / dados.MediaDifFC3m), 0, MaxSamples * 1000LL);
    dados.AmostrasAcrescidas = int32_t(added);
    dados.TempoAcrescidoSeg = int32_t(std::max(interval, 0) * added);
    dados.TotalAmostrasProjetadas = dados.FCMaxAmostra + dados.AmostrasAcrescidas;
    dados.TempoTotalProjetadoSeg = sample(dados.FCMaxAmostra).TempoTotal + dados.TempoAcrescidoSeg;
    dados.TempoTotalProjetadoMin = dados.TempoTotalProjetadoSeg / 60.0;

    dados.EstagiosAcrescidos = perStage > 0 ? dados.AmostrasAcrescidas / perStage : 0;
    dados.CargaAcrescida = dados.EstagiosAcrescidos * increment;

    const int rpm = protocolo.Estagios[stageIndex(sample(1).Estagio)].RPM;
    if (kgfm)
        dados.CargaMaxProjetada = dados.CargaAcrescida * 0.98 * rpm + dados.CargaMaxAtingida;
    else
        dados.CargaMaxProjetada = dados.CargaMaxAtingida + dados.CargaAcrescida;

    if (ergometer == 'C') {
        if (const std::optional<double> kgfmMax = WattsToKgfm(dados.CargaMaxProjetada, rpm))
            dados.CargaKgfmMaxProjetada = *kgfmMax;
        else
            report.zeroed.add(Zeroed::CargaKgfmMaxProjetada);
        dados.VO2Maximo = VO2Cycle(dados.CargaMaxProjetada, dados.Peso, dados.Individuo);
        if (dados.Peso == 0)
            report.zeroed.add(Zeroed::VO2Maximo);
    } else {
        dados.InclinacaoAcrescida = dados.EstagiosAcrescidos * protocolo.Estagios[1].InclinacaoIncr;
        dados.InclinacaoMaxProjetada = sample(dados.FCMaxAmostra).Inclinacao + dados.InclinacaoAcrescida;
        dados.VO2Maximo = VO2Treadmill(dados.CargaMaxProjetada, dados.InclinacaoMaxProjetada,
                                       dados.TempoTotalProjetadoMin);
    }
    report.projected = true;
}

} // namespace

void ComputeSampleResults(TDados &dados, int n, char ergometer, ZeroedSet &zeroed)
{
    if (n < 1 || n > MaxSamples)
        return;
    TSample &s = dados.Amostras[n];
    const int fc = s.FC;
    const int aboveRest = fc - int(dados.FCRepouso);
    auto ratio = [&zeroed](double numerator, double divisor, Zeroed flag) {
        if (divisor == 0) {
            zeroed.add(flag);
            return 0.0;
        }
        return numerator / divisor;
    };

    s.PFCMaxima = ratio(fc * 100.0, dados.FCMaxAtingida, Zeroed::PFCMaxima);
    s.PVO2FC = 1.4 * s.PFCMaxima - 40;
    s.PVO2Carga = ratio(s.VO2RelCarga, dados.VO2Maximo, Zeroed::PVO2Carga) * 100;
    s.VO2RelFC = dados.VO2Maximo * s.PVO2FC / 100;
    s.VO2Absoluto = s.VO2RelCarga * dados.Peso / 1000;
    s.GastoEnergetico = s.VO2Absoluto * 5;
    const double leanMass = dados.Peso - dados.Peso * dados.Gordura / 100;
    s.VO2MassaMagra = ratio(s.VO2Absoluto, leanMass, Zeroed::VO2MassaMagra) * 1000;
    s.VEVO2 = ratio(s.VE, s.VO2RelFC, Zeroed::VEVO2);
    s.VE4VO2 = ratio(s.VE4, s.VO2RelFC, Zeroed::VEVO2);
    // FatorReservaLV2 is at least 1 after ComputeReserveFactors; the guard covers a record
    // whose factors were never computed.
    s.R = ratio(0.29, dados.FatorReservaLV2, Zeroed::None) * aboveRest + 0.71;
    s.MET = s.VO2RelCarga / 3.5;
    s.PGlicogenio = std::clamp((s.R - 0.71) * 3.44 * 100 + 0.24, 0.0, 100.0);
    s.PGordura = 100 - s.PGlicogenio;
    s.PFCReservaTeste = ratio(aboveRest, dados.FatorFCReservaTeste, Zeroed::None) * 100;
    s.PFCMaxIdade = ratio(fc, FCMaxPrevista(dados, ergometer), Zeroed::PFCMaxIdade) * 100;
    s.PFCReservaIdade = ratio(aboveRest, FatorFCReserva(dados, ergometer), Zeroed::None) * 100;
    s.PFCLimiar1 = ratio(fc, dados.FCLimiar1, Zeroed::PFCLimiar1) * 100;
    s.PFCLimiar = ratio(fc, dados.FCLimiar, Zeroed::PFCLimiar) * 100;
}

void ComputeEvaluationResults(TDados &dados, const TProtocolo &protocolo, const SaveInputs &inputs,
                              bool maximal, SaveReport &report)
{
    const char ergometer = protocolo.TipoErgometro;
    const int count = clampedSampleCount(dados);
    ClearProjection(dados);
    report.projected = false;
    if (count == 0) {
        dados.VO2Maximo = 0;
        return;
    }

    const bool maximalPath = maximal || !report.regular || dados.FCMaxAtingida > FCMaxPrevista(dados, ergometer);
    if (maximalPath) {
        const int at = dados.CargaMaxAmostra;
        dados.VO2Maximo = at >= 1 && at <= count ? dados.Amostras[at].VO2RelCarga : 0;
    } else {
        project(dados, protocolo, inputs.interval, report);
    }

    for (int n = 1; n <= count; ++n)
        ComputeSampleResults(dados, n, ergometer, report.zeroed);
}

SaveReport ComputeSaveValues(TDados &dados, const TProtocolo &protocolo, const SaveInputs &inputs,
                             bool maximal)
{
    SaveReport report = VerifySamples(dados, protocolo, inputs);
    ComputeEvaluationResults(dados, protocolo, inputs, maximal, report);
    return report;
}

QStringList SubmaximalWarnings(bool maximal, const SaveReport &report)
{
    QStringList warnings;
    if (maximal)
        return warnings;
    if (!report.regular)
        warnings << QStringLiteral("O Teste será considerado SUBMÁXIMO, porém os cálculos serão\r"
                                   "efetuados como em um Teste MÁXIMO, pois os Estágios são Irregulares!");
    if (report.fcAbovePredicted)
        warnings << QStringLiteral("O Teste será considerado SUBMÁXIMO, porém os cálculos serão efetuados "
                                   "como em um\rTeste MÁXIMO, pois a FC Máxima Atingida é maior que a FC "
                                   "Máxima Estimada pela Idade!");
    return warnings;
}

QString ZeroedValuesMessage(const SaveReport &report)
{
    if (report.zeroed.empty())
        return QString();
    return QStringLiteral("Os seguintes valores foram gravados como 0 por divisão por zero:\r")
           + report.zeroed.descriptions().join(u'\r');
}

} // namespace kestrova
