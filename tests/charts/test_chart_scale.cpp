#include "chart_draw.h"
#include "chart_scale.h"
#include "chart_setup.h"
#include "chart_test_data.h"

#include <gtest/gtest.h>

#include <vector>

using namespace kestrova;
using kestrova::testdata::SetSample;

namespace {

struct ValueScaleCase
{
    const char *name;
    int id;
    const char *format;
    double initialTop;
    std::vector<double> values;
    double axisMin;
    double axisMax;
    double step;
    int scaleMode;
    const char *topLabel;      // as the scale shows it
    const char *bottomLabel;
};

class ValueScale : public ::testing::TestWithParam<ValueScaleCase>
{
};

TEST_P(ValueScale, ChoosesBoundsStepAndLabels)
{
    const ValueScaleCase &c = GetParam();
    auto d = std::make_unique<TDados>();
    for (size_t i = 0; i < c.values.size(); ++i) {
        const int n = int(i) + 1;
        SetSample(*d, n, n * 10, 0);
        if (c.id == QtyDifVE)
            d->Amostras[n].DifVE = c.values[i];
        else
            d->Amostras[n].VE = c.values[i];
    }
    TGrafico chart;
    InitChart(1, 0, MaxChartPoints, chart);
    SetupSingleChart(chart, ChartView, {c.id, "X", "(u)", c.format, 0xFF0000A0, c.initialTop});
    QImage surface = NewChartSurface(776, 348);
    DrawChart(surface, ChartView, chart, *d);

    const Texy &v = chart.valueAxis[1];
    EXPECT_DOUBLE_EQ(v.axisMin, c.axisMin);
    EXPECT_DOUBLE_EQ(v.axisMax, c.axisMax);
    EXPECT_NEAR(v.divisionSize, c.step, 1e-9);
    EXPECT_EQ(v.scaleMode, c.scaleMode);
    const double shift = v.scaleMode == 2 ? v.centreValue : 0;
    EXPECT_EQ(ChartFormat(v.format, v.axisMax - shift).trimmed(), QString::fromUtf8(c.topLabel));
    EXPECT_EQ(ChartFormat(v.format, v.axisMin - shift).trimmed(), QString::fromUtf8(c.bottomLabel));
    EXPECT_DOUBLE_EQ(v.pixelsPerUnit, (chart.layout.plotHeight - 2) / (v.axisMax - v.axisMin));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ValueScale,
    ::testing::Values(
        ValueScaleCase {"RangeWithLowInitialTop", QtyVE, "%6.1f", 1, {8.5, 30, 63.2}, 6, 64, 5.8, 1, "64,0", "6,0"},
        ValueScaleCase {"RangeUnderLiveInitialTop", QtyVE, "%6.1f", 100, {8.5, 30, 63.2}, 5, 100, 9.5, 1, "100,0", "5,0"},
        ValueScaleCase {"CentredOnZero", QtyDifVE, "%6.1f", 1, {-12, 3, 11}, 0, 24, 2.4, 2, "12,0", "-12,0"},
        ValueScaleCase {"NegativeShiftedPlain", QtyDifVE, "%6.1f", 1, {-3, 10, 40}, -3, 41, 4.4, 1, "41,0", "-3,0"},
        ValueScaleCase {"FlatCurve", QtyVE, "%6.1f", 1, {50, 50, 50}, 49, 50, 0.1, 1, "50,0", "49,0"},
        ValueScaleCase {"NoSamplesKeepsInitialTop", QtyVE, "%6.1f", 100, {}, 0, 100, 10, 1, "100,0", "0,0"},
        ValueScaleCase {"ZeroCurveGetsZeroToOne", QtyVE, "%6.3f", 0, {0, 0}, 0, 1, 0.1, 1, "1,000", "0,000"},
        ValueScaleCase {"FiveDigitValuesMultiplierOne", QtyVE, "%6.0f", 1, {9000, 48310}, 7246, 48316, 4107, 1, "48316", "7246"},
        // 9999 stands for "no value yet": larger values never become the bottom, which stays 0.
        ValueScaleCase {"ValuesAboveTheNoValueMark", QtyVE, "%6.0f", 1, {12000, 48310}, 0, 48310, 4831, 1, "48310", "0"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(ValueScale, ThreeDecimalRoundingOfTheDataBounds)
{
    TGrafico chart;
    InitChart(1, 0, MaxChartPoints, chart);
    SetupSingleChart(chart, ChartView, {QtyVE4, "VE4", "", "%6.3f", 0xFF800080, 0});
    LayoutChart(chart, 400, 300);
    ScaleValueAxis(chart, 1, 2.34567, 0.12345);
    EXPECT_DOUBLE_EQ(chart.valueAxis[1].dataMax, 2.346);
    EXPECT_DOUBLE_EQ(chart.valueAxis[1].dataMin, 0.123);
}

TEST(ValueScale, AnyChangeOfTheScaleSetsRescaled)
{
    TGrafico chart;
    InitChart(1, 1, MaxChartPoints, chart);
    SetupSingleChart(chart, ChartView, {QtyVE, "VE", "", "%6.1f", 0xFF0000A0, 1});
    LayoutChart(chart, 400, 300);
    ScaleValueAxis(chart, 1, 50, 0);
    chart.rescaled = false;
    ScaleValueAxis(chart, 1, 49.5, 0);   // same scale 0 .. 50
    EXPECT_FALSE(chart.rescaled);
    ScaleValueAxis(chart, 1, 40, 0);     // narrower: points already drawn would move
    EXPECT_TRUE(chart.rescaled);
    EXPECT_DOUBLE_EQ(chart.valueAxis[1].axisMax, 40);
    chart.rescaled = false;
    ScaleValueAxis(chart, 1, 70, 0);
    EXPECT_TRUE(chart.rescaled);
}

struct TimeEndCase
{
    const char *name;
    ChartMode mode;
    double t;
    double end;
};

TEST(TimeAxis, EndForTheLastSampleTime)
{
    const TimeEndCase cases[] = {
        {"LiveShortTest", ChartLive, 600, 900},
        {"LiveAt900", ChartLive, 900, 900},
        {"LiveAt901", ChartLive, 901, 1200},
        {"LiveAt1200", ChartLive, 1200, 1200},
        {"LiveAt1201", ChartLive, 1201, 1500},
        {"LiveAt7200", ChartLive, 7200, 7200},
        {"LivePastTwoHoursKeepsFiveMinuteSteps", ChartLive, 7210, 7500},
        {"ViewShortTest", ChartView, 300, 900},
        {"ViewLong", ChartView, 1234, 1234},
        {"PrintUpTo600", ChartPrint, 600, 600},
        {"PrintAt601", ChartPrint, 601, 900},
        {"PrintAt900", ChartPrint, 900, 900},
    };
    for (const auto &c : cases)
        EXPECT_DOUBLE_EQ(ChartTimeEnd(c.mode, c.t), c.end) << c.name;
}

struct TimeScaleCase
{
    const char *name;
    ChartMode mode;
    double end;
    double axisMax;
    int divisions;
    const char *format;
    const char *secondLabel;   // label of column 1
};

TEST(TimeAxis, DivisionsEndAndLabels)
{
    const TimeScaleCase cases[] = {
        {"Live15Minutes", ChartLive, 900, 900, 15, "%5.1f", "1,0"},
        {"LiveGrownTo20Minutes", ChartLive, 1200, 1200, 15, "%5.1f", "1,3"},
        {"Print10Minutes", ChartPrint, 600, 600, 10, "%5.0f", "1"},
        {"ViewLongEndCoversLastSample", ChartView, 1234, 1260, 20, "%5.1f", "1,1"},
        {"ViewJustPast15Minutes", ChartView, 930, 960, 16, "%5.1f", "1,0"},
    };
    for (const auto &c : cases) {
        TGrafico chart;
        InitChart(1, 0, MaxChartPoints, chart);
        SetChartTimeAxis(chart, QString::fromLatin1(c.format), 900);
        LayoutChart(chart, 776, 348);
        ScaleTimeAxis(chart, c.mode, c.end);
        const Texy &t = chart.timeAxis[1];
        EXPECT_DOUBLE_EQ(t.axisMax, c.axisMax) << c.name;
        EXPECT_EQ(t.divisions, c.divisions) << c.name;
        EXPECT_DOUBLE_EQ(t.divisionSize, c.axisMax / c.divisions) << c.name;
        EXPECT_DOUBLE_EQ(t.pixelsPerUnit, (chart.layout.plotWidth - 2) / c.axisMax) << c.name;
        EXPECT_EQ(ChartFormat(t.format, t.divisionSize / 60).trimmed(), QString::fromLatin1(c.secondLabel)) << c.name;
    }
}

TEST(TimeAxis, LiveAxisGrowsAtTheFirstSampleAfter15Minutes)
{
    TGrafico chart;
    SetupLiveChart(chart, LiveCurveChoice {});
    auto d = kestrova::testdata::SimulatedTest(90);   // 900 s
    QImage surface = NewChartSurface(800, 450);
    for (int n = 1; n <= 90; ++n) {
        d->NumAmostras = n;
        DrawChart(surface, ChartLive, chart, *d);
    }
    EXPECT_DOUBLE_EQ(chart.timeAxis[1].axisMax, 900);
    EXPECT_EQ(chart.timeAxis[1].divisions, 15);

    auto longer = kestrova::testdata::SimulatedTest(91);
    const ChartLoadResult r = LoadChartSamples(chart, ChartLive, *longer, false);
    EXPECT_TRUE(r.timeChanged);
    EXPECT_DOUBLE_EQ(chart.timeAxis[1].axisMax, 1200);
    QStringList labels;
    for (int i = 0; i <= 3; ++i)
        labels << ChartFormat(chart.timeAxis[1].format, i * chart.timeAxis[1].divisionSize / 60).trimmed();
    EXPECT_EQ(labels, QStringList({"0,0", "1,3", "2,7", "4,0"}));
}

TEST(LoadSamples, LiveLoadsOnlyNewSamplesAndReloadsWhenSamplesWentBack)
{
    TGrafico chart;
    SetupLiveChart(chart, LiveCurveChoice {});
    auto d = kestrova::testdata::SimulatedTest(30);
    QImage surface = NewChartSurface(800, 450);
    d->NumAmostras = 20;
    DrawChart(surface, ChartLive, chart, *d);
    EXPECT_EQ(chart.nextSample, 21);
    d->NumAmostras = 23;
    const ChartLoadResult more = LoadChartSamples(chart, ChartLive, *d, false);
    EXPECT_FALSE(more.reloaded);
    EXPECT_EQ(chart.firstPoint, 20);
    EXPECT_EQ(chart.valueAxis[1].count, 23);
    EXPECT_EQ(chart.timeAxis[1].count, 23);
    EXPECT_DOUBLE_EQ(chart.valueAxis[1].values[23], d->Amostras[23].VE);

    d->NumAmostras = 10;
    const ChartLoadResult back = LoadChartSamples(chart, ChartLive, *d, false);
    EXPECT_TRUE(back.reloaded);
    EXPECT_EQ(chart.valueAxis[1].count, 10);
    EXPECT_EQ(chart.firstPoint, 1);
    EXPECT_EQ(chart.nextSample, 11);
}

TEST(LoadSamples, ViewModeDrawnTwiceDoesNotAppendTwice)
{
    TGrafico chart;
    InitChart(1, 0, MaxChartPoints, chart);
    SetupSingleChart(chart, ChartView, {QtyFC, "FC", "(bpm)", "%6.0f", 0xFFFF0000, 1});
    auto d = kestrova::testdata::SimulatedTest(50);
    QImage surface = NewChartSurface(776, 348);
    DrawChart(surface, ChartView, chart, *d);
    chart.forceRedraw = true;
    DrawChart(surface, ChartView, chart, *d);
    EXPECT_EQ(chart.valueAxis[1].count, 50);
    EXPECT_EQ(chart.timeAxis[1].count, 50);
}

TEST(LoadSamples, PerMinuteMeanScaleFollowsTheFirstCurve)
{
    TGrafico chart;
    SetupLiveChart(chart, LiveCurveChoice {});   // VE, VE Média, FC
    auto d = kestrova::testdata::SimulatedTest(12);
    QImage surface = NewChartSurface(800, 450);
    DrawChart(surface, ChartLive, chart, *d);
    const Texy &mean = chart.valueAxis[2];
    ASSERT_EQ(mean.id, QtyVEMed);
    double lowestVE = 1e9;
    for (int i = 1; i <= 12; ++i)
        lowestVE = std::min(lowestVE, d->Amostras[i].VE);
    EXPECT_NEAR(mean.dataMin, lowestVE, 0.001);   // not the zeros between whole minutes
}

struct LayoutCase
{
    const char *name;
    const char *kind;
    bool title;
    bool legend;
    int top;
    int bottom;
};

TEST(Layout, MarginsRowsAndColumns)
{
    const LayoutCase cases[] = {
        {"OneCurve", "L", false, false, 5, 384},
        {"OneCurveWithTitle", "L", true, false, 23, 384},
        {"SeveralScales", "C1", false, false, 21, 384},
        {"SeveralScalesWithLegend", "C1", false, true, 21, 358},
        {"TitleAndSeveralScales", "C1", true, false, 39, 384},
    };
    for (const auto &c : cases) {
        TGrafico chart;
        InitChart(1, 1, MaxChartPoints, chart);
        chart.kind = QString::fromLatin1(c.kind);
        chart.title = c.title ? QStringLiteral("VE (l/min)") : QString();
        chart.legendOn = c.legend;
        SetChartTimeAxis(chart, QStringLiteral("%5.1f"), 900);
        LayoutChart(chart, 600, 400);
        ScaleTimeAxis(chart, ChartLive, 900);
        const ChartLayout &l = chart.layout;
        EXPECT_EQ(l.left, 42) << c.name;
        EXPECT_EQ(l.right, 594) << c.name;
        EXPECT_EQ(l.top, c.top) << c.name;
        EXPECT_EQ(l.bottom, c.bottom) << c.name;
        EXPECT_EQ(l.rows[0], c.top) << c.name;
        EXPECT_EQ(l.rows[10], c.bottom) << c.name;
        EXPECT_EQ(l.rows[5], c.top + int(std::nearbyint(5.0 * (c.bottom - c.top) / 10))) << c.name;
        // 552 pixels in 15 columns: 36.8 per column, ties to even.
        EXPECT_EQ(l.columns[1], 42 + 37) << c.name;
        EXPECT_EQ(l.columns[5], 42 + 184) << c.name;
        EXPECT_EQ(l.columns[15], 594) << c.name;
    }
}

TEST(Layout, RowsRoundHalvesToEven)
{
    TGrafico chart;
    InitChart(1, 1, MaxChartPoints, chart);
    chart.kind = QStringLiteral("L");
    LayoutChart(chart, 300, 1 + 15 + 5 + 25);   // plot height 25: row k at 2,5 × k
    EXPECT_EQ(chart.layout.plotHeight, 25);
    EXPECT_EQ(chart.layout.rows[1], 5 + 2);    // 2,5 -> 2
    EXPECT_EQ(chart.layout.rows[3], 5 + 8);    // 7,5 -> 8
    EXPECT_EQ(chart.layout.rows[5], 5 + 12);   // 12,5 -> 12
}

TEST(InitChart, LevelsResetWhatTheySay)
{
    TGrafico chart;
    SetupLiveChart(chart, LiveCurveChoice {});
    auto d = kestrova::testdata::SimulatedTest(20);
    QImage surface = NewChartSurface(800, 450);
    DrawChart(surface, ChartLive, chart, *d);
    const double keptMax = chart.valueAxis[1].axisMax;

    InitChart(3, 0, MaxChartPoints, chart);
    EXPECT_FALSE(chart.incremental);
    EXPECT_EQ(chart.nextSample, 1);
    EXPECT_EQ(chart.valueAxis[1].count, 0);
    EXPECT_DOUBLE_EQ(chart.valueAxis[1].dataMin, NoDataMin);
    EXPECT_DOUBLE_EQ(chart.valueAxis[1].dataMax, 0);
    EXPECT_DOUBLE_EQ(chart.valueAxis[1].values[5], 0);
    EXPECT_DOUBLE_EQ(chart.valueAxis[1].axisMax, keptMax);   // level 3 keeps the scale ranges
    EXPECT_EQ(chart.kind, QStringLiteral("C1"));

    InitChart(1, 0, MaxChartPoints, chart);
    EXPECT_TRUE(chart.kind.isEmpty());
    EXPECT_TRUE(chart.rescaled);
    EXPECT_EQ(chart.layout.width, 0);
    EXPECT_DOUBLE_EQ(chart.valueAxis[1].axisMax, 0);
    EXPECT_EQ(chart.valueAxis[1].colour, ChartNoColour);
    EXPECT_EQ(chart.timeAxis[1].unitDivisor, 1);
}

TEST(ChartFormat, DecimalCommaAndWidth)
{
    EXPECT_EQ(ChartFormat("%6.1f", 63.25), QStringLiteral("  63,2"));   // exact tie stays even
    EXPECT_EQ(ChartFormat("%6.0f", 250), QStringLiteral("   250"));
    EXPECT_EQ(ChartFormat("%6.3f", 0.5), QStringLiteral(" 0,500"));
    EXPECT_EQ(ChartFormat("%5.1f", 1.3333), QStringLiteral("  1,3"));
    EXPECT_EQ(ChartFormat("%6.1f", -0.0), QStringLiteral("   0,0"));
    EXPECT_DOUBLE_EQ(ChartRoundTrip("%6.1f", 5.04), 5.0);
}

TEST(Quantities, EveryIdPlotsItsSampleColumn)
{
    TSample s;
    s.Carga = 1; s.CargaKgfm = 2; s.Inclinacao = 3; s.DistanciaPerAmostra = 4; s.DistanciaPerEsteira = 5;
    s.Velocidade = 6; s.TempoKm = 7; s.VE = 8; s.DifVE = 9; s.VEMed = 10; s.VE4 = 11; s.DifVE4 = 12;
    s.FC = 13; s.DifFC = 14; s.PFCMaxima = 15; s.VO2RelCarga = 16; s.PVO2FC = 17; s.VO2RelFC = 18;
    s.VO2Absoluto = 19; s.GastoEnergetico = 20; s.VO2MassaMagra = 21; s.VEVO2 = 22; s.VE4VO2 = 23;
    s.R = 24; s.MET = 25; s.PGlicogenio = 26; s.PGordura = 27; s.PFCReservaTeste = 28; s.PFCMaxIdade = 29;
    s.PFCReservaIdade = 30; s.PFCLimiar = 31; s.FCMed = 32;
    s.PFCLimiar1 = 99;   // not charted
    for (int id = 1; id <= MaxChartQuantity; ++id)
        EXPECT_DOUBLE_EQ(ChartSampleValue(id, s), id) << ChartQuantityLabel(id).toStdString();
    EXPECT_DOUBLE_EQ(ChartSampleValue(0, s), 0);
    EXPECT_DOUBLE_EQ(ChartSampleValue(33, s), 0);
    s.DifFC = -7;
    EXPECT_DOUBLE_EQ(ChartSampleValue(QtyDifFC, s), -7);
}

} // namespace
