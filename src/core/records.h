#pragma once

#include <QDateTime>
#include <QString>

#include <array>
#include <cstdint>

namespace kestrova {

// One stage of a protocol; stage numbers run from 1.
struct TStage
{
    int32_t Duracao = 0;      // seconds
    int32_t DuracaoFim = 0;   // elapsed test time at which the stage ends, seconds
    double Carga = 0;         // watts (cycle in watts) or km/h (treadmill)
    double CargaKgfm = 0;     // kgfm (cycle in kgfm)
    double CargaIncr = 0;
    int32_t RPM = 0;
    double Inclinacao = 0;    // percent
    double InclinacaoIncr = 0;
};

inline constexpr int MaxStages = 240;

// A fixed-size array indexed from Lo to Hi inclusive, like the records' Pascal arrays.
template<typename T, int Lo, int Hi>
struct OffsetArray
{
    static constexpr int Low = Lo;
    static constexpr int High = Hi;
    std::array<T, Hi - Lo + 1> items {};

    T &operator[](int i) { return items[static_cast<size_t>(i - Lo)]; }
    const T &operator[](int i) const { return items[static_cast<size_t>(i - Lo)]; }
    static constexpr bool contains(int i) { return i >= Lo && i <= Hi; }
};

struct TProtocolo
{
    int32_t Protocolo = 0;
    QString Nome;
    char TipoErgometro = ' ';   // 'C' cycle, 'E' treadmill
    char TipoEstagio = ' ';
    int32_t NumEstagios = 0;
    QString UnidCarga;          // "watts", "kgfm" or "km/h"
    int32_t DuracaoTotal = 0;   // seconds
    OffsetArray<TStage, 1, MaxStages> Estagios;
};

// One sample of an evaluation (one AVALIACOESDADOS row; fields marked memory-only are not stored).
struct TSample
{
    int32_t SeqAmostra = 0;
    int32_t Estagio = 0;
    double Carga = 0;
    double CargaKgfm = 0;
    double Inclinacao = 0;
    double DistanciaPerAmostra = 0;
    double DistanciaPerEsteira = 0;
    double Velocidade = 0;
    double TempoKm = 0;
    double VEInstant = 0;   // memory only
    double VE = 0;
    double DifVE = 0;
    double VEMed = 0;
    double VE4 = 0;
    double DifVE4 = 0;
    uint16_t FC = 0;
    uint16_t FCMed = 0;     // memory only
    int16_t DifFC = 0;
    double PFCMaxima = 0;
    double VO2RelCarga = 0;
    double PVO2FC = 0;
    double PVO2Carga = 0;   // memory only
    double VO2RelFC = 0;
    double VO2Absoluto = 0;
    double GastoEnergetico = 0;
    double VO2MassaMagra = 0;
    double VEVO2 = 0;
    double VE4VO2 = 0;
    double R = 0;
    double MET = 0;
    double PGlicogenio = 0;
    double PGordura = 0;
    double PFCReservaTeste = 0;
    double PFCMaxIdade = 0;
    double PFCReservaIdade = 0;
    double PFCLimiar1 = 0;
    double PFCLimiar = 0;
    int32_t TempoTotal = 0;  // seconds
};

inline constexpr int MaxSamples = 17280;  // 24 hours at the shortest interval, 5 s

// One evaluation with its samples. About 5 MB: allocate it once on the heap and pass it by
// reference; copying is explicit (copyFrom) so that no call copies it by accident.
struct TDados
{
    TDados() = default;
    TDados(const TDados &) = delete;
    void copyFrom(const TDados &other) { *this = other; }

    int32_t NumAmostras = 0;
    int32_t Avaliacao = 0;
    QDateTime Data;
    QString Avaliador;
    int32_t Avaliado = 0;
    int32_t Grupo = 0;
    int32_t Idade = 0;
    char Sexo = ' ';
    double Peso = 0;
    double Altura = 0;
    double Gordura = 0;
    QString Individuo;
    QString Obs;
    double CargaMaxAtingida = 0;
    int32_t CargaMaxAmostra = 0;
    double CargaMaxTempoMin = 0;
    double CargaMaxTempoSeg = 0;
    uint16_t FCLimiar1 = 0;
    int32_t FCLimiar1Amostra = 0;
    uint16_t FCLimiar = 0;
    int32_t FCLimiarAmostra = 0;
    uint16_t FCRepouso = 0;
    uint16_t FCMaxPrevistaCiclo = 0;
    uint16_t FCMaxPrevistaEsteira = 0;
    uint16_t FCMaxAtingida = 0;
    int32_t FCMaxAmostra = 0;
    int32_t FatorFCReservaEsteira = 0;
    int32_t FatorFCReservaCiclo = 0;
    int32_t FatorFCReservaTeste = 0;
    double FatorReservaLV1 = 0;
    double FatorReservaLV2 = 0;
    int32_t AmostrasEstagio = 0;
    double CargaAmostra = 0;
    double MediaDifFC3m = 0;
    int32_t AmostrasAcrescidas = 0;
    int32_t TotalAmostrasProjetadas = 0;
    int32_t EstagiosAcrescidos = 0;
    double CargaAcrescida = 0;
    double CargaMaxProjetada = 0;
    double CargaKgfmMaxProjetada = 0;
    double InclinacaoAcrescida = 0;
    double InclinacaoMaxProjetada = 0;
    int32_t TempoAcrescidoSeg = 0;
    double TempoTotalProjetadoMin = 0;
    int32_t TempoTotalProjetadoSeg = 0;
    double VO2Maximo = 0;
    OffsetArray<TSample, -1, MaxSamples> Amostras;

private:
    TDados &operator=(const TDados &) = default;
};

} // namespace kestrova
