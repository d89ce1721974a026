#pragma once

// The chart description that every curve chart of the program is drawn from: the caller fills
// the axes, the renderer (chart_draw.h) keeps the loaded points, the scales and the layout.

#include "records.h"

#include <QRgb>
#include <QString>

#include <array>
#include <cstdint>
#include <vector>

namespace kestrova {

inline constexpr int MaxChartSeries = 20;
inline constexpr int MaxChartPoints = MaxSamples;   // one point per sample
inline constexpr double NoDataMin = 9999;           // dataMin before any value was loaded
inline constexpr int MaxTimeDivisions = 20;

enum ChartMode : int { ChartLive = 1, ChartView = 2, ChartPrint = 3 };

// Quantity plotted by a series; the number is the id kept in Texy::id.
enum ChartQuantity : int16_t {
    QtyCarga = 1, QtyCargaKgfm, QtyInclinacao, QtyDistanciaPerAmostra, QtyDistanciaPerEsteira,
    QtyVelocidade, QtyTempoKm, QtyVE, QtyDifVE, QtyVEMed, QtyVE4, QtyDifVE4, QtyFC, QtyDifFC,
    QtyPFCMaxima, QtyVO2RelCarga, QtyPVO2FC, QtyVO2RelFC, QtyVO2Absoluto, QtyGastoEnergetico,
    QtyVO2MassaMagra, QtyVEVO2, QtyVE4VO2, QtyR, QtyMET, QtyPGlicogenio, QtyPGordura,
    QtyPFCReservaTeste, QtyPFCMaxIdade, QtyPFCReservaIdade, QtyPFCLimiar, QtyFCMed
};
inline constexpr int MaxChartQuantity = QtyFCMed;

// The sample value that quantity id plots (0 for an unknown id).
double ChartSampleValue(int id, const TSample &sample);

inline constexpr QRgb ChartNoColour = 0;   // fully transparent: "no colour"

// One series of an axis.
struct Texy
{
    int16_t id = 0;
    QString label;          // long name, shown in the legend
    QString shortLabel;     // short name or unit, shown above the scale
    double axisMax = 0;
    double dataMax = 0;
    double axisMin = 0;
    double dataMin = NoDataMin;
    uint8_t divisions = 0;        // time axis: grid columns
    uint16_t unitDivisor = 1;     // time axis: 60 (seconds shown as minutes)
    double divisionSize = 0;
    double pixelsPerUnit = 0;
    uint8_t scaleMode = 1;        // 1 plain, 2 centred on zero
    double centreValue = 0;
    double centreOffset = 0;
    int32_t count = 0;
    std::vector<double> values = std::vector<double>(MaxChartPoints + 1, 0.0);   // 1..count
    QString format;               // label pattern, e.g. "%6.1f"
    QRgb colour = ChartNoColour;
};

struct TEixo
{
    int count = 0;
    std::array<Texy, MaxChartSeries + 1> series;   // 1..count; index 0 unused
    Texy &operator[](int i) { return series[static_cast<size_t>(i)]; }
    const Texy &operator[](int i) const { return series[static_cast<size_t>(i)]; }
};

// Pixel positions of the plot; every value is an integer pixel, ranges are inclusive.
struct ChartLayout
{
    int width = 0;     // surface size the layout was computed for
    int height = 0;
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;
    int plotWidth = 0;
    int plotHeight = 0;
    std::array<int, 11> rows {};                  // y0 .. y10
    std::array<int, MaxTimeDivisions + 1> columns {};   // x0 .. xn (n = time divisions)
};

struct TGrafico
{
    QString kind;            // "L" one curve, "C1" several curves with scales of their own
    bool legendOn = false;
    TEixo timeAxis;          // series 1 only
    TEixo valueAxis;         // series 1 .. count are the curves
    QString title;
    ChartLayout layout;
    int32_t nextSample = 1;
    int32_t firstPoint = 1;
    bool rescaled = true;
    bool forceRedraw = false;
    bool incremental = false;

    bool isMultiScale() const { return kind == QLatin1String("C1"); }
};

} // namespace kestrova
