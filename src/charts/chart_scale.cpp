#include "chart_scale.h"

#include "formatting.h"

#include <algorithm>
#include <cmath>

namespace kestrova {

namespace {

// Nearest integer, halves to the even neighbour (the default floating-point rounding mode).
double roundEven(double v)
{
    return std::nearbyint(v);
}

bool isMultiple(double value, double of)
{
    return std::fmod(value, of) == 0.0;
}

void resetPoints(Texy &series)
{
    std::fill(series.values.begin(), series.values.begin() + std::min(series.count, MaxChartPoints) + 1, 0.0);
    series.count = 0;
}

void computeColumns(TGrafico &chart)
{
    ChartLayout &l = chart.layout;
    const int n = std::clamp<int>(chart.timeAxis[1].divisions, 0, MaxTimeDivisions);
    l.columns.fill(0);
    l.columns[0] = l.left;
    if (n == 0)
        return;
    for (int i = 1; i < n; ++i)
        l.columns[static_cast<size_t>(i)] = l.left + int(roundEven(double(i) * l.plotWidth / n));
    l.columns[static_cast<size_t>(n)] = l.right;
}

// Tracks a series' bounds; true when one of them moved.
bool track(Texy &series, double value)
{
    bool changed = false;
    if (value > series.dataMax) {
        series.dataMax = value;
        changed = true;
    }
    if (value < series.dataMin) {
        series.dataMin = value;
        changed = true;
    }
    return changed;
}

} // namespace

QString ChartFormat(const QString &pattern, double value)
{
    return Format(pattern, {value});
}

double ChartRoundTrip(const QString &pattern, double value)
{
    return ParseDecimalOrZero(Format(pattern, {value}));
}

double ChartSampleValue(int id, const TSample &s)
{
    switch (id) {
    case QtyCarga: return s.Carga;
    case QtyCargaKgfm: return s.CargaKgfm;
    case QtyInclinacao: return s.Inclinacao;
    case QtyDistanciaPerAmostra: return s.DistanciaPerAmostra;
    case QtyDistanciaPerEsteira: return s.DistanciaPerEsteira;
    case QtyVelocidade: return s.Velocidade;
    case QtyTempoKm: return s.TempoKm;
    case QtyVE: return s.VE;
    case QtyDifVE: return s.DifVE;
    case QtyVEMed: return s.VEMed;
    case QtyVE4: return s.VE4;
    case QtyDifVE4: return s.DifVE4;
    case QtyFC: return s.FC;
    case QtyDifFC: return s.DifFC;
    case QtyPFCMaxima: return s.PFCMaxima;
    case QtyVO2RelCarga: return s.VO2RelCarga;
    case QtyPVO2FC: return s.PVO2FC;
    case QtyVO2RelFC: return s.VO2RelFC;
    case QtyVO2Absoluto: return s.VO2Absoluto;
    case QtyGastoEnergetico: return s.GastoEnergetico;
    case QtyVO2MassaMagra: return s.VO2MassaMagra;
    case QtyVEVO2: return s.VEVO2;
    case QtyVE4VO2: return s.VE4VO2;
    case QtyR: return s.R;
    case QtyMET: return s.MET;
    case QtyPGlicogenio: return s.PGlicogenio;
    case QtyPGordura: return s.PGordura;
    case QtyPFCReservaTeste: return s.PFCReservaTeste;
    case QtyPFCMaxIdade: return s.PFCMaxIdade;
    case QtyPFCReservaIdade: return s.PFCReservaIdade;
    case QtyPFCLimiar: return s.PFCLimiar;
    case QtyFCMed: return s.FCMed;
    default: return 0;
    }
}

void InitChart(int level, int first, int last, TGrafico &chart)
{
    TEixo *axes[] = {&chart.timeAxis, &chart.valueAxis};
    if (level <= 1) {
        chart.kind.clear();
        chart.title.clear();
        chart.legendOn = false;
        chart.layout = ChartLayout();
        chart.firstPoint = 1;
        chart.rescaled = true;
        chart.forceRedraw = false;
        chart.incremental = false;
    }
    if (level <= 2) {
        for (TEixo *axis : axes) {
            axis->count = 0;
            for (Texy &s : axis->series) {
                s.id = 0;
                s.label.clear();
                s.shortLabel.clear();
                s.format.clear();
                s.axisMax = s.axisMin = 0;
                s.divisions = 0;
                s.unitDivisor = 1;
                s.divisionSize = s.pixelsPerUnit = 0;
                s.scaleMode = 1;
                s.centreValue = s.centreOffset = 0;
                s.count = 0;
                s.colour = ChartNoColour;
            }
        }
    }
    if (level <= 3) {
        chart.incremental = false;
        chart.nextSample = 1;
        for (TEixo *axis : axes)
            for (Texy &s : axis->series) {
                s.dataMax = 0;
                s.dataMin = NoDataMin;
                s.count = 0;
            }
    }
    first = std::max(first, 0);
    last = std::min(last, MaxChartPoints);
    if (first <= last)
        for (TEixo *axis : axes)
            for (Texy &s : axis->series)
                std::fill(s.values.begin() + first, s.values.begin() + last + 1, 0.0);
}

void LayoutChart(TGrafico &chart, int width, int height)
{
    ChartLayout &l = chart.layout;
    l.width = width;
    l.height = height;
    l.left = 42;
    l.right = width - 1 - 5;
    l.top = chart.title.isEmpty() ? 5 : 23;
    if (chart.isMultiScale())
        l.top += 16;
    l.bottom = height - 1 - (chart.legendOn ? 41 : 15);
    l.plotWidth = l.right - l.left;
    l.plotHeight = l.bottom - l.top;
    l.rows[0] = l.top;
    l.rows[10] = l.bottom;
    for (int k = 1; k <= 9; ++k)
        l.rows[static_cast<size_t>(k)] = l.top + int(roundEven(double(k) * l.plotHeight / 10));
    computeColumns(chart);
}

double ChartTimeEnd(ChartMode mode, double t)
{
    t = roundEven(t);
    if (mode == ChartLive) {
        if (t <= 900)
            return 900;
        // Past two hours the axis keeps growing by whole steps of 5 minutes: ending it at every
        // new sample time would redraw the whole chart at every sample of a long test.
        return std::ceil(t / 300) * 300;
    }
    if (mode == ChartPrint && t <= 600)
        return 600;
    if (t <= 900)
        return 900;
    return t;
}

bool ScaleTimeAxis(TGrafico &chart, ChartMode mode, double end)
{
    Texy &time = chart.timeAxis[1];
    const int n = mode == ChartLive ? 15 : std::clamp(int(roundEven(end / 60)), 1, MaxTimeDivisions);
    const double minutes = end / 60;
    const double whole = std::trunc(minutes);
    double newEnd = 60 * whole + std::ceil(10 * (minutes - whole)) * 60 / n;
    // The rounding above may end the axis before the last sample; take the next whole minute so
    // that the last samples are not piled up at the right edge.
    if (newEnd < end)
        newEnd = 60 * std::ceil(minutes);
    const bool changed = newEnd > time.axisMax;
    time.axisMax = time.dataMax = newEnd;
    time.axisMin = time.dataMin = 0;
    time.divisions = uint8_t(n);
    time.divisionSize = newEnd / n;
    time.pixelsPerUnit = newEnd > 0 ? (chart.layout.plotWidth - 2) / newEnd : 0;
    computeColumns(chart);
    return changed;
}

void ScaleValueAxis(TGrafico &chart, int s, double M, double m)
{
    Texy &v = chart.valueAxis[s];
    M = ChartRoundTrip(QStringLiteral("%10.3f"), M);
    m = ChartRoundTrip(QStringLiteral("%10.3f"), m);
    v.dataMax = M;
    v.dataMin = m;

    double shift = 0;
    uint8_t mode = 1;
    if (m < 0) {
        const double wholeMax = std::trunc(std::fabs(M));
        const double wholeMin = std::trunc(std::fabs(m));
        if (std::fabs(wholeMax - wholeMin) <= 1) {
            M = 2 * std::max(std::fabs(M), std::fabs(m));
            m = 0;
            mode = 2;
        } else {
            shift = std::fabs(m);
            M = M + 2 * shift;
            m = shift;
        }
    }

    auto digits = [](double x) {
        QString t = ChartFormat(QStringLiteral("%6.0f"), x).trimmed();
        t.remove(u'-');
        return t.size();
    };
    const int len = std::max(digits(M), digits(m));
    const double k = len <= 1 ? 100 : (len <= 4 ? 10 : 1);

    if (roundEven(M - m) == 1) {
        M = k * M;
        m = k * m;
    } else {
        M = std::ceil(k * M);
        m = std::floor(k * m);
    }
    if (m != 0 && M != 0) {
        double p = std::floor(100 * m / M);
        p = p == 100 ? 99 : 5 * std::floor(p / 5);
        double j = std::floor(p * M / 100);
        if (!isMultiple(j, k))
            while (!isMultiple(j, 10))
                j -= 1;
        m = j;
    }
    // Bounded: M - m is at most 9 short of a multiple of 10 (the loop is a safeguard only).
    for (int guard = 0; guard < 20 && !isMultiple(roundEven(M - m), 10); ++guard)
        M += 1;
    M = ChartRoundTrip(v.format, M / k);
    m = ChartRoundTrip(v.format, m / k);
    if (M == 0)
        M = 1;
    double range = M - m;
    if (range == 0)
        range = 1;
    if (shift != 0) {
        m = -shift;
        M = range - shift;
    }

    // Any change of the scale moves the points already drawn, so the chart is drawn again; a
    // scale can also narrow (the top follows the bottom to keep ten whole steps).
    if (M != v.axisMax || m != v.axisMin)
        chart.rescaled = true;
    v.axisMax = M;
    v.axisMin = m;
    v.scaleMode = mode;
    if (chart.rescaled && chart.layout.width > 0)
        LayoutChart(chart, chart.layout.width, chart.layout.height);
    v.divisionSize = std::fabs(range) / 10;
    v.pixelsPerUnit = (chart.layout.plotHeight - 2) / range;
    if (mode == 2) {
        v.centreValue = M / 2;
        v.centreOffset = v.centreValue * v.pixelsPerUnit;
    } else {
        v.centreValue = v.centreOffset = 0;
    }
}

ChartLoadResult LoadChartSamples(TGrafico &chart, ChartMode mode, const TDados &samples, bool fullDrawing)
{
    ChartLoadResult result;
    const int last = std::clamp(samples.NumAmostras, 0, MaxChartPoints);
    int start = 1;
    if (mode == ChartLive && !fullDrawing) {
        start = chart.nextSample;
        if (last < chart.nextSample) {
            start = 1;
            result.reloaded = chart.nextSample > 1;
        }
    }
    if (start <= 1) {
        // Loading from the first sample again: the points already held are replaced, not appended.
        start = 1;
        for (Texy &s : chart.timeAxis.series)
            resetPoints(s);
        for (Texy &s : chart.valueAxis.series)
            resetPoints(s);
    }
    const bool rescaleAll = fullDrawing || result.reloaded || !chart.incremental;

    Texy &time = chart.timeAxis[1];
    for (int i = start; i <= last; ++i) {
        const double t = samples.Amostras[i].TempoTotal;
        time.values[static_cast<size_t>(++time.count)] = t;
        if (track(time, t))
            result.timeChanged = true;
    }

    const int curves = std::clamp(chart.valueAxis.count, 0, MaxChartSeries);
    for (int c = 1; c <= curves; ++c) {
        Texy &v = chart.valueAxis[c];
        const Texy &first = chart.valueAxis[1];
        bool changed = false;
        for (int i = start; i <= last; ++i) {
            const double value = ChartSampleValue(v.id, samples.Amostras[i]);
            const int index = ++v.count;
            v.values[static_cast<size_t>(index)] = value;
            // The per-minute mean is 0 between whole minutes; its scale follows the curve of the
            // first series at the same sample instead.
            const double bound = (v.id == QtyVEMed && c > 1 && index <= first.count)
                                     ? first.values[static_cast<size_t>(index)] : value;
            if (track(v, bound))
                changed = true;
        }
        if (v.dataMin == NoDataMin)
            v.dataMin = 0;
        if (v.dataMax == 0 && v.dataMin == 0)
            v.dataMax = 1;
        if (changed)
            result.valueChanged = true;
        if (changed || rescaleAll)
            ScaleValueAxis(chart, c, v.dataMax, v.dataMin);
    }

    chart.firstPoint = std::max(start - 1, 1);
    chart.nextSample = std::max(last, start - 1) + 1;

    const double end = ChartTimeEnd(mode, time.dataMax);
    if (time.dataMin == NoDataMin)
        time.dataMin = 0;
    bool timeChanged = false;
    if (result.timeChanged || last <= 1 || rescaleAll || chart.rescaled)
        timeChanged = ScaleTimeAxis(chart, mode, end);
    result.timeChanged = timeChanged || chart.rescaled;
    return result;
}

} // namespace kestrova
