// chartshots [folder]: draws the live test chart, a browser chart, the threshold chart and the six
// report charts of a simulated 20-minute cycle test and writes them as PNG files into folder
// (default ./chartshots).
#include "chart_draw.h"
#include "chart_setup.h"

#include <QDir>
#include <QGuiApplication>
#include <QTextStream>

#include <cmath>
#include <cstdlib>
#include <memory>

using namespace kestrova;

namespace {

// 20 minutes at 10-second samples: load steps of 25 W every 2 minutes, ventilation rising faster
// after the thresholds, heart rate following the load, a per-minute VE mean at whole minutes.
std::unique_ptr<TDados> simulatedTest()
{
    auto d = std::make_unique<TDados>();
    const int n = 120;
    double sum = 0;
    int count = 0;
    for (int i = 1; i <= n; ++i) {
        TSample &s = d->Amostras[i];
        const int t = i * 10;
        const double min = t / 60.0;
        s.SeqAmostra = i;
        s.TempoTotal = t;
        s.Estagio = 1 + int(min / 2);
        s.Carga = 50 + 25 * std::floor(min / 2);
        const double excess = std::max(0.0, min - 11);
        s.VE = 14 + 2.2 * min + 1.6 * excess * excess + 1.8 * std::sin(i * 1.3);
        s.VE4 = std::pow(s.VE, 4) / 1e7;
        s.FC = uint16_t(std::lround(88 + 5.2 * min + 1.5 * std::sin(i * 0.4)));
        s.FCMed = uint16_t(std::lround(88 + 5.2 * min));
        s.VO2RelCarga = (s.Carga * 10.8 / 72) + 7;
        s.VO2Absoluto = s.VO2RelCarga * 72 / 1000;
        s.GastoEnergetico = s.VO2Absoluto * 5;
        sum += s.VE;
        ++count;
        if (t % 60 == 0) {
            s.VEMed = sum / count;
            sum = 0;
            count = 0;
        }
    }
    d->NumAmostras = n;
    return d;
}

bool save(const QImage &image, const QDir &dir, const QString &name)
{
    const QString path = dir.filePath(name);
    if (!image.save(path, "PNG")) {
        QTextStream(stderr) << "chartshots: cannot write " << path << "\n";
        return false;
    }
    QTextStream(stdout) << path << "\n";
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("chartshots");
    QDir dir;
    if (!dir.mkpath(folder)) {
        QTextStream(stderr) << "chartshots: cannot create " << folder << "\n";
        return 1;
    }
    dir.setPath(folder);
    auto d = simulatedTest();
    const int total = d->NumAmostras;
    bool ok = true;

    // Live chart, drawn sample by sample as during the test.
    auto chart = std::make_unique<TGrafico>();
    LiveCurveChoice live;
    live.fcMed = true;
    live.vo2 = true;
    SetupLiveChart(*chart, live);
    QImage surface = NewChartSurface(1000, 560);
    for (int i = 1; i <= total; ++i) {
        d->NumAmostras = i;
        DrawChart(surface, ChartLive, *chart, *d);
    }
    ok &= save(surface, dir, QStringLiteral("live.png"));

    // Threshold chart: VE with the heart rate on a scale of its own.
    SetupThresholdChart(*chart, false, true);
    surface = NewChartSurface(760, 420);
    DrawChart(surface, ChartLive, *chart, *d);
    ok &= save(surface, dir, QStringLiteral("threshold.png"));

    // Browser chart of the VE column, in the viewer's 776 x 348 surface.
    InitChart(1, 0, MaxChartPoints, *chart);
    SetupSingleChart(*chart, ChartView, {QtyVE, "VE", " (l/min)", "%6.1f", ColourVE, 1});
    surface = NewChartSurface(776, 348);
    DrawChart(surface, ChartView, *chart, *d);
    ok &= save(surface, dir, QStringLiteral("browser.png"));

    // The six report charts, drawn one after the other from one description.
    for (int i = 0; i < 6; ++i) {
        InitChart(i == 0 ? 1 : 3, 0, MaxChartPoints, *chart);
        SetupSingleChart(*chart, ChartPrint, ReportCharts[i]);
        surface = NewChartSurface(ReportChartWidth, ReportChartHeight);
        DrawChart(surface, ChartPrint, *chart, *d);
        ok &= save(surface, dir, QStringLiteral("report%1.png").arg(i + 1));
    }
    return ok ? 0 : 1;
}
