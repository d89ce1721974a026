#pragma once

// The physiological formulas: ventilation, loads, treadmill distance and pace, oxygen uptake,
// heart-rate percentages, substrate shares and the summary values of an evaluation with the
// projection of a submaximal test. The running test calls the live functions for each new
// sample; the save (after a test and when the browser re-saves an edited evaluation) calls
// VerifySamples, asks the test type, then ComputeEvaluationResults.
//
// Reals are doubles, rounding to an integer goes half to even, integer division truncates,
// heart rates are 16-bit unsigned and their differences are taken as signed integers.
//
// No function here divides by zero. When a divisor is zero (or the sampling interval is
// unusable) the derived value becomes 0 and, for the save, the quantity is recorded in
// SaveReport::zeroed so that the caller can tell the user (ZeroedValuesMessage):
//   PFCMaxima                    FCMaxAtingida 0
//   PVO2Carga                    VO2Maximo 0
//   VEVO2, VE4VO2                VO2RelFC 0
//   PFCLimiar1 / PFCLimiar       FCLimiar1 / FCLimiar 0
//   PFCMaxIdade                  FCMaxPrevista 0 (age above the formula's base)
//   VO2RelCarga, VO2Maximo       Peso 0 (cycle formulas)
//   VO2MassaMagra                Peso 0 or Gordura 100 (no lean mass)
//   CargaAmostra, EstagiosAcrescidos   AmostrasEstagio 0 (first stage shorter than the interval)
//   CargaKgfmMaxProjetada        RPM 0 in the stage of sample 1
//   VEMed, MediaDifFC3m          SamplesPerMinute 0 (interval above 60 s)
//   interval                     interval 0 or negative: VE, distances and the projection's
//                                time-based values are 0

#include "messages.h"
#include "records.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace kestrova {

inline constexpr double DefaultIC = 0.027;   // litres of air per turbine pulse
inline constexpr char MsgRpmZero[] = "Erro de Divisão por zero! RPM = 0.";

// ---- Sampling interval -------------------------------------------------------------------

// 60 div interval; 0 for an interval of 0 or less.
int SamplesPerMinute(int interval);

// ---- Age-predicted maxima and reserve factors ------------------------------------------------

bool IsCiclista(const QString &individuo);
bool IsKgfmUnit(const QString &unidCarga);

// 220 - Idade for a "CICLISTA", otherwise 210 - Idade; never below 0.
uint16_t PredictedMaxCycle(int idade, const QString &individuo);
// 220 - Idade; never below 0.
uint16_t PredictedMaxTreadmill(int idade);
// Sets FCMaxPrevistaCiclo and FCMaxPrevistaEsteira from Idade and Individuo.
void ComputePredictedMaxima(TDados &dados);
// FCMaxPrevistaCiclo on a cycle ('C'), FCMaxPrevistaEsteira otherwise.
uint16_t FCMaxPrevista(const TDados &dados, char ergometer);
// FatorFCReservaCiclo on a cycle ('C'), FatorFCReservaEsteira otherwise.
int32_t FatorFCReserva(const TDados &dados, char ergometer);
// The three integer reserve factors (at least 1) and FatorReservaLV1/LV2 (1.0 when not
// positive), from the current maxima, thresholds and FCRepouso.
void ComputeReserveFactors(TDados &dados);

// ---- Loads -----------------------------------------------------------------------------------

double KgfmToWatts(double kgfm, int rpm);
// nullopt when rpm is 0 (the caller shows MsgRpmZero).
std::optional<double> WattsToKgfm(double watts, int rpm);

// Completes the sample's load in the other unit: "kgfm" gives Carga from CargaKgfm; otherwise a
// cycle ('C') gives CargaKgfm from Carga and a treadmill sets CargaKgfm to 0. Returns false when
// the cadence is 0 on a cycle in watts; CargaKgfm is then left as it was.
bool CompleteSampleLoad(TSample &sample, const QString &unidCarga, char ergometer, int rpm);

// ---- Ventilation -----------------------------------------------------------------------------

// (60 / interval) * pulses * ic, litres per minute; 0 for an interval of 0 or less.
double VEInstantOf(int interval, double pulses, double ic);
// VE^4 / 10^7.
double VE4Of(double ve);
// Mean VE of samples n, n-1, ..., n-samplesPerMinute+1 (samples before -1 count as 0);
// 0 when samplesPerMinute is 0 or less.
double VEMedOf(const TDados &dados, int n, int samplesPerMinute);
// True when the time is a positive whole number of minutes.
bool IsWholeMinute(int tempoTotal);

// Live ventilation of sample n (TempoTotal already set): VEInstant from the pulses, VE as the
// mean of the last three VEInstant (samples 0 and -1 are zero), VE4, and VEMed at a whole
// minute. Returns true when VEMed was computed (the display shows it then).
bool ComputeLiveVentilation(TDados &dados, int n, int interval, double pulses, double ic);

// ---- Treadmill -------------------------------------------------------------------------------

// Pace per kilometre as minutes + seconds / 100; 0 when the speed is 0 or less.
double TempoKmOf(double kmh);
// DistanciaPerAmostra, DistanciaPerEsteira (from sample n-1), Velocidade and TempoKm of sample n.
void ComputeTreadmillValues(TDados &dados, int n, int interval);

// ---- Oxygen uptake from the load -------------------------------------------------------------

// ((v^3 * 0.000525542 + v * 3.163 + 2.209) * 0.85 + incline * 1.4) * (minutes * 0.005 + 1).
double VO2Treadmill(double kmh, double inclinacao, double minutes);
// (0.0098 * W + 0.4542) * 1000 / Peso for a "CICLISTA", otherwise (12 * W + 300) / Peso;
// 0 when Peso is 0.
double VO2Cycle(double watts, double peso, const QString &individuo);
// During the test: the treadmill formula when the ergometer is 'E', a cycle formula otherwise.
double VO2RelCargaLive(const TDados &dados, const TSample &sample, char ergometer);
// At save: a cycle formula when the ergometer is 'C', the treadmill formula otherwise.
double VO2RelCargaSave(const TDados &dados, const TSample &sample, char ergometer);

// ---- Heart-rate percentages ------------------------------------------------------------------

// fc * 100 / reference; 0 when the reference is 0. Used for the live PFCMaxima (against the
// highest FC so far) and the live percentage of the predicted maximum.
double PercentOf(double fc, double reference);

// ---- Stages ----------------------------------------------------------------------------------

// True when every completed run of equal Carga values is as long as the first completed run;
// a change of load at the last sample and the run still open at the end are not judged.
bool HasRegularStages(const TDados &dados);

// Walks the samples one by one for HasRegularStages, so the save can judge them in its pass.
class RegularStageCheck
{
public:
    void add(double carga, bool lastSample);
    bool regular() const { return m_regular; }

private:
    int m_run = 0;
    int m_firstRun = 0;
    double m_previous = 0;
    bool m_regular = true;
};

// ---- Save ------------------------------------------------------------------------------------

// Quantities the save set to 0 because their divisor was 0 (see the table at the top).
enum class Zeroed : uint32_t {
    None = 0,
    PFCMaxima = 1u << 0,
    PVO2Carga = 1u << 1,
    VEVO2 = 1u << 2,
    PFCLimiar1 = 1u << 3,
    PFCLimiar = 1u << 4,
    PFCMaxIdade = 1u << 5,
    VO2RelCarga = 1u << 6,
    VO2MassaMagra = 1u << 7,
    Projection = 1u << 8,            // CargaAmostra and EstagiosAcrescidos
    CargaKgfmMaxProjetada = 1u << 9,
    VEMed = 1u << 10,
    MediaDifFC3m = 1u << 11,
    Interval = 1u << 12,
    VO2Maximo = 1u << 13,
};

class ZeroedSet
{
public:
    void add(Zeroed z) { m_bits |= static_cast<uint32_t>(z); }
    bool has(Zeroed z) const { return (m_bits & static_cast<uint32_t>(z)) != 0; }
    bool empty() const { return m_bits == 0; }
    uint32_t bits() const { return m_bits; }
    // One Portuguese line per zeroed quantity with its cause, in the order of the enum.
    QStringList descriptions() const;

private:
    uint32_t m_bits = 0;
};

struct SaveInputs
{
    int interval = 10;       // sampling interval, seconds
    // VE correction (1 for a test just run). VerifySamples multiplies VE in place, so a save
    // that runs again over the same samples (after a database repair) must pass 1.
    double veFactor = 1.0;
};

struct SaveReport
{
    bool regular = true;            // regular stages
    bool fcAbovePredicted = false;  // FCMaxAtingida above FCMaxPrevista
    bool projected = false;         // the submaximal projection was computed
    ZeroedSet zeroed;
};

// Everything the save computes before asking the test type: the predicted maxima; for each
// sample in order the regular-stage check, the treadmill values (treadmill only), VE * veFactor,
// DifVE, VEMed, DifVE4, DifFC, the heart-rate and load maxima and VO2RelCarga; then the reserve
// factors. progress (optional) gets "Verificando dados..." + percent + "%" as the pass goes.
SaveReport VerifySamples(TDados &dados, const TProtocolo &protocolo, const SaveInputs &inputs,
                         const ProgressFn &progress = {});

// After the test type is known: VO2Maximo, from the sample of the highest load when the test is
// maximal, its stages irregular or FCMaxAtingida above the predicted maximum, otherwise from the
// projection to the predicted maximum; then the per-sample values (PFCMaxima .. PFCLimiar).
// The projection fields are reset first, so they are 0 whenever there is no projection.
void ComputeEvaluationResults(TDados &dados, const TProtocolo &protocolo, const SaveInputs &inputs,
                              bool maximal, SaveReport &report);

// VerifySamples followed by ComputeEvaluationResults.
SaveReport ComputeSaveValues(TDados &dados, const TProtocolo &protocolo, const SaveInputs &inputs,
                             bool maximal);

// The per-sample values of sample n, once VO2Maximo, the maxima and reserve factors are known.
void ComputeSampleResults(TDados &dados, int n, char ergometer, ZeroedSet &zeroed);

// The warnings shown when a test declared submaximal is computed as a maximal one (irregular
// stages, then FC above the predicted maximum); empty for a maximal test.
QStringList SubmaximalWarnings(bool maximal, const SaveReport &report);

// A message listing the values saved as 0 for lack of a divisor; empty when there are none.
QString ZeroedValuesMessage(const SaveReport &report);

} // namespace kestrova
