#include "chart_setup.h"

#include "chart_scale.h"

namespace kestrova {

void SetChartTimeAxis(TGrafico &chart, const QString &format, double initialEnd)
{
    chart.timeAxis.count = 1;
    Texy &t = chart.timeAxis[1];
    t.id = 1;
    t.label = QStringLiteral("Tempo");
    t.shortLabel = QStringLiteral("min");
    t.unitDivisor = 60;
    t.dataMax = initialEnd;
    t.format = format;
}

bool AddChartCurve(TGrafico &chart, int id, const QString &label, const QString &shortLabel,
                   const QString &format, double initialTop, QRgb colour)
{
    if (chart.valueAxis.count >= MaxChartSeries)
        return false;
    Texy &v = chart.valueAxis[++chart.valueAxis.count];
    v.id = int16_t(id);
    v.label = label;
    v.shortLabel = shortLabel;
    v.format = format;
    v.dataMax = initialTop;
    v.colour = colour;
    return true;
}

void SetupLiveChart(TGrafico &chart, const LiveCurveChoice &choice)
{
    InitChart(1, 1, MaxChartPoints, chart);
    chart.kind = QStringLiteral("C1");
    chart.legendOn = true;
    SetChartTimeAxis(chart, QStringLiteral("%5.1f"), 900);
    const bool none = !choice.ve && !choice.veMed && !choice.ve4 && !choice.fc && !choice.vo2;
    if (choice.ve || none)
        AddChartCurve(chart, QtyVE, QStringLiteral("VE (l/min)"), QStringLiteral("VE"), QStringLiteral("%6.1f"), 100, ColourVE);
    if (choice.veMed)
        AddChartCurve(chart, QtyVEMed, QStringLiteral("VE Média Min. (l/min)"), QStringLiteral("VE Méd."),
                      QStringLiteral("%6.1f"), 100, ColourVEMed);
    if (choice.ve4)
        AddChartCurve(chart, QtyVE4, QStringLiteral("VE4"), QStringLiteral("VE4"), QStringLiteral("%6.3f"), 10, ColourVE4);
    if (choice.fc) {
        AddChartCurve(chart, QtyFC, QStringLiteral("FC (bpm)"), QStringLiteral("FC"), QStringLiteral("%6.0f"), 250, ColourFC);
        if (choice.fcMed)
            AddChartCurve(chart, QtyFCMed, QStringLiteral("FC Med (bpm)"), QStringLiteral("FC Med"),
                          QStringLiteral("%6.0f"), 200, ColourFCMed);
    }
    if (choice.vo2)
        AddChartCurve(chart, QtyVO2RelCarga, QStringLiteral("VO2 (ml.kg.min-1)"), QStringLiteral("VO2"),
                      QStringLiteral("%6.1f"), 100, ColourVO2);
}

void SetupThresholdChart(TGrafico &chart, bool ve4, bool showHeartRate)
{
    InitChart(1, 1, MaxChartPoints, chart);
    chart.kind = showHeartRate ? QStringLiteral("C1") : QStringLiteral("L");
    SetChartTimeAxis(chart, QStringLiteral("%5.1f"), 900);
    if (ve4)
        AddChartCurve(chart, QtyVE4, QStringLiteral("VE4"), QStringLiteral("VE4"), QStringLiteral("%6.3f"), 10, ColourVE4);
    else
        AddChartCurve(chart, QtyVE, QStringLiteral("VE (l/min)"), QStringLiteral("VE"), QStringLiteral("%6.1f"), 100, ColourVE);
    if (showHeartRate)
        AddChartCurve(chart, QtyFC, QStringLiteral("FC (bpm)"), QStringLiteral("FC"), QStringLiteral("%6.0f"), 200, ColourFC);
}

void SetupSingleChart(TGrafico &chart, ChartMode mode, const ChartCurveSpec &curve)
{
    const QString label = QString::fromUtf8(curve.label);
    const QString shortLabel = QString::fromUtf8(curve.shortLabel);
    chart.kind = QStringLiteral("L");
    chart.title = label + u' ' + shortLabel;
    if (mode == ChartPrint)
        SetChartTimeAxis(chart, QStringLiteral("%5.0f"), 600);
    else
        SetChartTimeAxis(chart, QStringLiteral("%5.1f"), 900);
    chart.valueAxis.count = 0;
    AddChartCurve(chart, curve.id, label, shortLabel, QString::fromUtf8(curve.format), curve.initialTop, curve.colour);
}

QString ChartQuantityLabel(int id)
{
    static const char *const labels[] = {
        "", "Carga", "Carga", "Inclinação", "Distância Percorrida na Amostra",
        "Distância Percorrida na Esteira", "Velocidade", "Tempo no KM", "VE", "Diferença VE",
        "VE Média Minuto", "VE4", "Diferença VE4", "FC", "Diferença FC", "% FC Máxima do Teste",
        "VO2 Relativo pela Carga", "% VO2 pela FC", "VO2 Relativo pela % de FC", "VO2 Absoluto",
        "Gasto Energético", "VO2 da Massa Magra", "VE/VO2", "VE4/VO2", "R", "MET", "% Glicogênio",
        "% Gordura", "% FC Reserva Teste", "% FC Máxima Idade", "% FC Reserva Idade", "% FC Limiar",
        "FC Med"};
    if (id < 1 || id > MaxChartQuantity)
        return QString();
    return QString::fromUtf8(labels[id]);
}

} // namespace kestrova
