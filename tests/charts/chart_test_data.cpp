#include "chart_test_data.h"

#include <cmath>

namespace kestrova::testdata {

void SetSample(TDados &d, int i, int seconds, double ve, uint16_t fc)
{
    TSample &s = d.Amostras[i];
    s.SeqAmostra = i;
    s.TempoTotal = seconds;
    s.VE = ve;
    s.FC = fc;
    d.NumAmostras = std::max(d.NumAmostras, i);
}

std::unique_ptr<TDados> SimulatedTest(int n, int interval)
{
    auto d = std::make_unique<TDados>();
    double minuteSum = 0;
    int minuteCount = 0;
    for (int i = 1; i <= n; ++i) {
        TSample &s = d->Amostras[i];
        const int t = i * interval;
        const double minutes = t / 60.0;
        s.SeqAmostra = i;
        s.TempoTotal = t;
        s.VE = 12 + 0.12 * minutes * minutes + 3 * std::sin(i * 0.7);
        s.VE4 = std::pow(s.VE, 4) / 1e7;
        s.FC = uint16_t(std::lround(std::min(95 + 4.5 * minutes + 2 * std::sin(i * 0.3), 198.0)));
        s.FCMed = uint16_t(std::lround(std::min(95 + 4.5 * minutes, 198.0)));
        s.VO2RelCarga = 8 + 1.6 * minutes;
        s.Carga = 50 + 25 * std::floor(minutes / 2);
        s.VO2Absoluto = s.VO2RelCarga * 70 / 1000;
        s.GastoEnergetico = s.VO2Absoluto * 5;
        s.DifFC = int16_t(i > 1 ? s.FC - d->Amostras[i - 1].FC : 0);
        minuteSum += s.VE;
        ++minuteCount;
        if (t % 60 == 0) {
            s.VEMed = minuteSum / minuteCount;
            minuteSum = 0;
            minuteCount = 0;
        }
    }
    d->NumAmostras = n;
    return d;
}

static bool isWhite(QRgb c)
{
    return (c & 0xFFFFFF) == 0xFFFFFF;
}

int CountNonWhite(const QImage &image, const QRect &area)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (area.contains(x, y) && !isWhite(image.pixel(x, y)))
                ++count;
    return count;
}

int CountNonWhiteOutside(const QImage &image, const QRect &area)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (!area.contains(x, y) && !isWhite(image.pixel(x, y)))
                ++count;
    return count;
}

} // namespace kestrova::testdata
