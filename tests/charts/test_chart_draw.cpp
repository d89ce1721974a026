#include "chart_draw.h"
#include "chart_scale.h"
#include "chart_setup.h"
#include "chart_test_data.h"

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>

using namespace kestrova;
using namespace kestrova::testdata;

namespace {

constexpr QRgb Black = 0xFF000000;
constexpr QRgb White = 0xFFFFFFFF;

QRgb px(const QImage &image, int x, int y)
{
    return image.pixel(x, y) | 0xFF000000u;
}

// True when some pixel of the 3 x 3 block around (x, y) is mostly the colour (more than half
// covered by it over white).
bool tintedNear(const QImage &image, int x, int y, QRgb colour)
{
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const QRgb p = image.pixel(x + dx, y + dy);
            auto near = [](int got, int want) { return std::abs(got - want) < (255 - want) / 2 + 40; };
            const bool someCover = (p & 0xFFFFFF) != 0xFFFFFF;
            if (someCover && near(qRed(p), qRed(colour)) && near(qGreen(p), qGreen(colour)) && near(qBlue(p), qBlue(colour)))
                return true;
        }
    return false;
}

QRect interior(const TGrafico &chart)
{
    const ChartLayout &l = chart.layout;
    return QRect(QPoint(43, l.top + 1), QPoint(l.right - 2, l.bottom - 2));
}

TEST(DrawChart, FrameGridAndPrintOutlineWhereTheyBelong)
{
    for (ChartMode mode : {ChartView, ChartPrint}) {
        TGrafico chart;
        InitChart(1, 0, MaxChartPoints, chart);
        SetupSingleChart(chart, mode, ReportCharts[0]);
        auto none = std::make_unique<TDados>();
        QImage img = NewChartSurface(ReportChartWidth, ReportChartHeight);
        DrawChart(img, mode, chart, *none);
        const ChartLayout &l = chart.layout;
        SCOPED_TRACE(mode == ChartView ? "view" : "print");
        EXPECT_EQ(l.top, 23);
        for (QPoint corner : {QPoint(42, l.top), QPoint(l.right - 1, l.top), QPoint(42, l.bottom - 1), QPoint(l.right - 1, l.bottom - 1)})
            EXPECT_EQ(px(img, corner.x(), corner.y()), Black) << corner.x() << "," << corner.y();
        EXPECT_EQ(px(img, l.right, l.top + 5), White);        // just right of the frame
        // Rows: one black pixel then three white, from x = 44.
        const int y3 = l.rows[3];
        EXPECT_EQ(px(img, 43, y3), White);
        EXPECT_EQ(px(img, 44, y3), Black);
        EXPECT_EQ(px(img, 45, y3), White);
        EXPECT_EQ(px(img, 47, y3), White);
        EXPECT_EQ(px(img, 48, y3), Black);
        // Columns: the same pattern from top + 2.
        const int x2 = l.columns[2];
        EXPECT_EQ(px(img, x2, l.top + 1), White);
        EXPECT_EQ(px(img, x2, l.top + 2), Black);
        EXPECT_EQ(px(img, x2, l.top + 3), White);
        EXPECT_EQ(px(img, x2, l.top + 6), Black);
        // The outline of the whole surface belongs to the printed charts only.
        const QRgb edge = mode == ChartPrint ? Black : White;
        EXPECT_EQ(px(img, 0, 0), edge);
        EXPECT_EQ(px(img, img.width() - 1, img.height() - 1), edge);
        EXPECT_EQ(px(img, img.width() / 2, img.height() - 1), edge);
        // Time labels below the plot, value labels left of it, title above.
        EXPECT_GT(CountNonWhite(img, QRect(QPoint(1, l.bottom), QPoint(l.right, l.bottom + 11))), 20);
        EXPECT_GT(CountNonWhite(img, QRect(QPoint(1, l.top), QPoint(41, l.bottom - 1))), 50);
        EXPECT_GT(CountNonWhite(img, QRect(QPoint(60, 5), QPoint(l.right - 60, 18))), 10);
    }
}

TEST(DrawChart, LiveChartScaleLinesAndLegendEntriesInCurveColours)
{
    // VE, VE4, FC and FC Med: four legend entries, three coloured scale lines.
    TGrafico chart;
    LiveCurveChoice choice;
    choice.veMed = false;
    choice.ve4 = true;
    choice.fcMed = true;
    SetupLiveChart(chart, choice);
    ASSERT_EQ(chart.valueAxis.count, 4);
    auto d = SimulatedTest(30);
    QImage img = NewChartSurface(900, 500);
    DrawChart(img, ChartLive, chart, *d);
    const ChartLayout &l = chart.layout;
    EXPECT_EQ(l.top, 21);
    EXPECT_EQ(l.bottom, 499 - 41);
    EXPECT_EQ(px(img, 42, l.top + 3), ColourVE);                  // left axis in the colour of curve 1
    EXPECT_EQ(px(img, l.columns[1], l.top + 1), ColourVE4);
    EXPECT_EQ(px(img, l.columns[2], (l.top + l.bottom) / 2 + 1), ColourFC);
    EXPECT_EQ(px(img, l.columns[3], l.bottom - 1), ColourFCMed);
    EXPECT_EQ(px(img, l.columns[4], l.top + 2), Black);           // an ordinary dotted column
    EXPECT_EQ(px(img, l.columns[4], l.top + 3), White);

    const int W = img.width();
    const int T = img.height() - 28;
    EXPECT_EQ(px(img, 5, T), Black);
    EXPECT_EQ(px(img, W - 7, img.height() - 7), Black);
    const int w = (W - 1 - 20) / 4;
    const QRgb colours[] = {ColourVE, ColourVE4, ColourFC, ColourFCMed};
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(px(img, c * w + 12, T + 12), colours[c]) << "legend square " << c;
        EXPECT_GT(CountNonWhite(img, QRect(c * w + 20, T + 5, w - 20, 13)), 10) << "legend label " << c;
    }
    EXPECT_EQ(px(img, 3 * w + 16, T + 12), White);   // square ends at x + 15
}

TEST(DrawChart, CurvePassesThroughTheExpectedPixels)
{
    auto d = std::make_unique<TDados>();
    for (int i = 1; i <= 90; ++i)
        SetSample(*d, i, i * 10, i);   // VE 1 .. 90 over 15 minutes
    TGrafico chart;
    InitChart(1, 0, MaxChartPoints, chart);
    SetupSingleChart(chart, ChartView, {QtyVE, "VE", " (l/min)", "%6.1f", ColourVE, 100});
    QImage img = NewChartSurface(776, 348);
    DrawChart(img, ChartView, chart, *d);
    const Texy &v = chart.valueAxis[1];
    ASSERT_DOUBLE_EQ(v.axisMin, 0);
    ASSERT_DOUBLE_EQ(v.axisMax, 100);
    const ChartLayout &l = chart.layout;
    for (int i : {20, 45, 80}) {
        const double x = 43 + i * 10 * chart.timeAxis[1].pixelsPerUnit;
        const double y = (l.bottom - 2) - i * v.pixelsPerUnit;
        EXPECT_TRUE(tintedNear(img, int(x), int(y), ColourVE)) << "sample " << i;
    }
    // Far from the line the plot stays white, apart from the grid.
    EXPECT_EQ(px(img, 43 + int(80 * 10 * chart.timeAxis[1].pixelsPerUnit) + 1, l.rows[9] - 2), White);
}

TEST(DrawCurves, PointsBeyondTheScaleStayInsideThePlot)
{
    auto d = SimulatedTest(60);
    TGrafico chart;
    InitChart(1, 0, MaxChartPoints, chart);
    SetupSingleChart(chart, ChartView, {QtyVE, "VE", "", "%6.1f", ColourVE, 1});
    QImage img = NewChartSurface(500, 300);
    LayoutChart(chart, img.width(), img.height());
    LoadChartSamples(chart, ChartView, *d, true);
    // Wild points: far above, far below, before the start and after the end of the time axis.
    Texy &v = chart.valueAxis[1];
    Texy &t = chart.timeAxis[1];
    for (int k = 1; k <= v.count; ++k)
        v.values[k] = (k % 2) ? 1e6 : -1e6;
    t.values[10] = -500;
    t.values[50] = 1e7;
    QImage blank = NewChartSurface(500, 300);
    QPainter p(&blank);
    DrawCurves(p, chart, true);
    p.end();
    EXPECT_EQ(CountNonWhiteOutside(blank, interior(chart)), 0);
    const int top = chart.layout.top + 1;
    const int bottom = chart.layout.bottom - 2;
    EXPECT_GT(CountNonWhite(blank, QRect(QPoint(44, top), QPoint(chart.layout.right - 2, top))), 0);
    EXPECT_GT(CountNonWhite(blank, QRect(QPoint(44, bottom), QPoint(chart.layout.right - 2, bottom))), 0);
}

TEST(DrawCurves, PerMinuteMeanConnectsWholeMinutesOnly)
{
    auto d = std::make_unique<TDados>();
    for (int i = 1; i <= 60; ++i) {
        SetSample(*d, i, i * 10, 0);
        if (i % 6 == 0)
            d->Amostras[i].VEMed = 50;
    }
    TGrafico chart;
    InitChart(1, 0, MaxChartPoints, chart);
    SetupSingleChart(chart, ChartView, {QtyVEMed, "VE Média Minuto", "", "%6.1f", ColourVEMed, 100});
    QImage img = NewChartSurface(776, 348);
    DrawChart(img, ChartView, chart, *d);
    const Texy &v = chart.valueAxis[1];
    const Texy &t = chart.timeAxis[1];
    const int base = chart.layout.bottom - 2;
    auto xAt = [&](int seconds) { return int(43 + seconds * t.pixelsPerUnit); };
    const int y50 = int(base - (50 - v.axisMin) * v.pixelsPerUnit);
    // Between two whole minutes the line stays at 50; the zeros in between are never visited.
    EXPECT_TRUE(tintedNear(img, xAt(150), y50, ColourVEMed));
    EXPECT_TRUE(tintedNear(img, xAt(330), y50, ColourVEMed));
    EXPECT_EQ(CountNonWhite(img, QRect(QPoint(xAt(150) - 2, base - 3), QPoint(xAt(150) + 2, base))), 0);
}

// Draws the samples one at a time as a running test does.
QImage drawIncrementally(TGrafico &chart, TDados &d, int n, QSize size)
{
    QImage img = NewChartSurface(size.width(), size.height());
    for (int i = 1; i <= n; ++i) {
        d.NumAmostras = i;
        DrawChart(img, ChartLive, chart, d);
    }
    return img;
}

TEST(DrawChart, IncrementalDrawingEqualsFullRedraw)
{
    struct Case
    {
        const char *name;
        LiveCurveChoice choice;
        int samples;
        int interval;
    };
    LiveCurveChoice all;
    all.ve4 = true;
    all.vo2 = true;
    all.fcMed = true;
    const Case cases[] = {
        {"DefaultCurvesTwentyMinutes", LiveCurveChoice {}, 120, 10},
        {"AllCurvesFiveSecondSamples", all, 250, 5},
        {"TimeAxisGrowsTwice", LiveCurveChoice {}, 140, 10},
    };
    for (const Case &c : cases) {
        auto d = SimulatedTest(c.samples, c.interval);
        TGrafico stepwise;
        SetupLiveChart(stepwise, c.choice);
        const QImage a = drawIncrementally(stepwise, *d, c.samples, QSize(820, 460));

        TGrafico once;
        SetupLiveChart(once, c.choice);
        QImage b = NewChartSurface(820, 460);
        d->NumAmostras = c.samples;
        DrawChart(b, ChartLive, once, *d);
        EXPECT_DOUBLE_EQ(stepwise.timeAxis[1].axisMax, once.timeAxis[1].axisMax) << c.name;
        EXPECT_TRUE(a == b) << c.name;
        EXPECT_GT(CountNonWhite(b, interior(once)), 1000) << c.name;
    }
}

TEST(DrawChart, SamplesThatWentBackAreRedrawnFromTheStart)
{
    auto d = SimulatedTest(80);
    TGrafico chart;
    SetupLiveChart(chart, LiveCurveChoice {});
    QImage img = drawIncrementally(chart, *d, 80, QSize(700, 400));
    d->NumAmostras = 30;
    DrawChart(img, ChartLive, chart, *d);
    EXPECT_EQ(chart.valueAxis[1].count, 30);

    // Right of sample 30 only the grid is left: the same pixels as a chart without samples.
    TGrafico empty;
    SetupLiveChart(empty, LiveCurveChoice {});
    QImage grid = NewChartSurface(700, 400);
    auto none = std::make_unique<TDados>();
    DrawChart(grid, ChartLive, empty, *none);
    const ChartLayout &l = chart.layout;
    const int x30 = int(43 + 300 * chart.timeAxis[1].pixelsPerUnit);
    const QRect right(QPoint(x30 + 3, l.top + 1), QPoint(l.right - 2, l.bottom - 2));
    EXPECT_TRUE(img.copy(right) == grid.copy(right));
    EXPECT_GT(CountNonWhite(img, QRect(QPoint(44, l.top + 1), QPoint(x30, l.bottom - 2))),
              CountNonWhite(grid, QRect(QPoint(44, l.top + 1), QPoint(x30, l.bottom - 2))) + 100);
}

TEST(DrawChart, ResizeRedrawsEverythingOnTheNewSurface)
{
    auto d = SimulatedTest(81);
    TGrafico chart;
    SetupLiveChart(chart, LiveCurveChoice {});
    drawIncrementally(chart, *d, 80, QSize(700, 400));

    QImage img(900, 500, QImage::Format_RGB32);
    img.fill(Qt::red);   // whatever the new surface held is replaced
    chart.forceRedraw = true;
    d->NumAmostras = 81;
    DrawChart(img, ChartLive, chart, *d);
    EXPECT_EQ(chart.layout.width, 900);
    EXPECT_EQ(chart.layout.right, 894);
    EXPECT_FALSE(chart.forceRedraw);

    TGrafico fresh;
    SetupLiveChart(fresh, LiveCurveChoice {});
    QImage expected = NewChartSurface(900, 500);
    DrawChart(expected, ChartLive, fresh, *d);
    EXPECT_TRUE(img == expected);
}

TEST(DrawChart, ReportChartsAtLevelThreeKeepTimeLabels)
{
    auto d = SimulatedTest(60);   // 10 minutes
    TGrafico chart;
    QImage first;
    for (int i = 0; i < 6; ++i) {
        InitChart(i == 0 ? 1 : 3, 0, MaxChartPoints, chart);
        SetupSingleChart(chart, ChartPrint, ReportCharts[i]);
        QImage img = NewChartSurface(ReportChartWidth, ReportChartHeight);
        DrawChart(img, ChartPrint, chart, *d);
        const ChartLayout &l = chart.layout;
        EXPECT_EQ(chart.timeAxis[1].divisions, 10) << i;
        const QRect timeBand(QPoint(1, l.bottom), QPoint(l.right - 1, l.bottom + 11));
        if (i == 0)
            first = img.copy(timeBand);
        else
            EXPECT_TRUE(img.copy(timeBand) == first) << "chart " << i + 1;
        EXPECT_GT(CountNonWhite(img, interior(chart)), 200) << i;
    }
}

TEST(DrawChart, CentredScaleDrawsZeroInTheMiddle)
{
    auto d = std::make_unique<TDados>();
    for (int i = 1; i <= 60; ++i) {
        SetSample(*d, i, i * 10, 0);
        d->Amostras[i].DifVE = (i == 10) ? -12 : (i == 20 ? 11 : 0);
    }
    TGrafico chart;
    InitChart(1, 0, MaxChartPoints, chart);
    SetupSingleChart(chart, ChartView, {QtyDifVE, "Diferença VE", "(l/min)", "%6.1f", 0xFFFF8000, 1});
    QImage img = NewChartSurface(776, 348);
    DrawChart(img, ChartView, chart, *d);
    const Texy &v = chart.valueAxis[1];
    ASSERT_EQ(v.scaleMode, 2);
    const ChartLayout &l = chart.layout;
    const int zeroY = int(std::nearbyint(v.centreOffset)) + l.top + 1;
    EXPECT_NEAR(zeroY, (l.top + l.bottom) / 2, 1);
    const int x = int(43 + 400 * chart.timeAxis[1].pixelsPerUnit);   // a sample with DifVE 0
    EXPECT_TRUE(tintedNear(img, x, zeroY, 0xFFFF8000));
}

} // namespace

namespace {

TEST(ChartFonts, MetricCompatibleFacesAtTheirPixelSizes)
{
    const QFontInfo label(ChartLabelFont());
    EXPECT_TRUE(label.family() == "Courier New" || label.family() == "Liberation Mono") << label.family().toStdString();
    EXPECT_TRUE(label.fixedPitch());
    EXPECT_EQ(label.pixelSize(), 9);
    const QFontMetrics fm(ChartLabelFont());
    EXPECT_GE(fm.height(), 10);
    EXPECT_LE(fm.height(), 12);
    const QFontInfo arial(ChartArialFont(8, true));
    EXPECT_TRUE(arial.family() == "Arial" || arial.family() == "Liberation Sans") << arial.family().toStdString();
    EXPECT_EQ(arial.pixelSize(), 11);
    EXPECT_TRUE(arial.bold());
    EXPECT_EQ(QFontInfo(ChartArialFont(10, true)).pixelSize(), 13);
}

} // namespace
