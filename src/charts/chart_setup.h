#pragma once

// The descriptions of the charts the program draws: the live test chart, the threshold chart,
// the browser's one-quantity chart and the report charts.

#include "chart_types.h"

#include <QString>

namespace kestrova {

// Keys of the configuration that choose the curves of the live chart, with their defaults.
inline constexpr char KeyGraficoVE[] = "GraficoVE";
inline constexpr char KeyGraficoVEMed[] = "GraficoVEMed";
inline constexpr char KeyGraficoVE4[] = "GraficoVE4";
inline constexpr char KeyGraficoFC[] = "GraficoFC";
inline constexpr char KeyGraficoVO2[] = "GraficoVO2";

struct LiveCurveChoice
{
    bool ve = true;
    bool veMed = true;
    bool ve4 = false;
    bool fc = true;
    bool vo2 = false;
    bool fcMed = false;   // "AquisicaoFCMed": FC Med goes with FC
};

// Curve colours of the program's charts.
inline constexpr QRgb ColourVE = 0xFF0000A0;
inline constexpr QRgb ColourVEMed = 0xFF0080FF;
inline constexpr QRgb ColourVE4 = 0xFF800080;
inline constexpr QRgb ColourFC = 0xFFFF0000;
inline constexpr QRgb ColourFCMed = 0xFF4848FF;
inline constexpr QRgb ColourVO2 = 0xFF008000;

// Time axis: "Tempo" in minutes, from 0 to at least initialEnd seconds.
void SetChartTimeAxis(TGrafico &chart, const QString &format, double initialEnd);
// Appends a curve to the value axis; false when the chart already holds 20.
bool AddChartCurve(TGrafico &chart, int id, const QString &label, const QString &shortLabel,
                   const QString &format, double initialTop, QRgb colour);

// Live test chart (mode ChartLive, kind "C1", legend). With no curve chosen it shows VE.
void SetupLiveChart(TGrafico &chart, const LiveCurveChoice &choice);
// Threshold chart: VE (or VE4) and optionally the heart rate on a scale of its own.
void SetupThresholdChart(TGrafico &chart, bool ve4, bool showHeartRate);
// One quantity over time, as the browser (ChartView) and the report (ChartPrint) draw it.
// The caller initialises the description first (InitChart level 1 or 3).
struct ChartCurveSpec
{
    int id;
    const char *label;        // UTF-8
    const char *shortLabel;   // UTF-8; may be empty
    const char *format;
    QRgb colour;
    double initialTop;
};
void SetupSingleChart(TGrafico &chart, ChartMode mode, const ChartCurveSpec &curve);

// The six charts of the printed report, in page order.
inline constexpr ChartCurveSpec ReportCharts[6] = {
    {QtyVE, "VE", " (l/min)", "%6.1f", 0xFF0000A0, 1},
    {QtyVE4, "VE4", "", "%6.3f", 0xFF800080, 0},
    {QtyVO2RelCarga, "VO2 Relativo pela Carga", "(ml.kg.min-1)", "%6.1f", 0xFF008000, 1},
    {QtyFC, "FC", "(bpm)", "%6.0f", 0xFFFF0000, 1},
    {QtyVO2Absoluto, "VO2 Absoluto", "(l.min-1)", "%6.2f", 0xFF008080, 1},
    {QtyGastoEnergetico, "Gasto Energético", "(kcal)", "%6.2f", 0xFFFF8000, 1},
};
inline constexpr int ReportChartWidth = 350;
inline constexpr int ReportChartHeight = 230;

// The title of a quantity as the browser chart shows it ("VE", "% FC Máxima do Teste", ...).
QString ChartQuantityLabel(int id);

} // namespace kestrova
