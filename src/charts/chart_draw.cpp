#include "chart_draw.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace kestrova {

namespace {

constexpr QRgb Black = 0xFF000000;
constexpr QRgb White = 0xFFFFFFFF;

// Pixel-exact drawing straight into the image; every range is inclusive and clipped.
class Pixels
{
public:
    explicit Pixels(QImage &image) : m_image(image), m_w(image.width()), m_h(image.height()) {}

    void fill(int x1, int y1, int x2, int y2, QRgb c)
    {
        x1 = std::max(x1, 0);
        y1 = std::max(y1, 0);
        x2 = std::min(x2, m_w - 1);
        y2 = std::min(y2, m_h - 1);
        for (int y = y1; y <= y2; ++y) {
            QRgb *line = reinterpret_cast<QRgb *>(m_image.scanLine(y));
            std::fill(line + x1, line + std::max(x1, x2 + 1), c);
        }
    }
    void outline(int x1, int y1, int x2, int y2, QRgb c)
    {
        fill(x1, y1, x2, y1, c);
        fill(x1, y2, x2, y2, c);
        fill(x1, y1, x1, y2, c);
        fill(x2, y1, x2, y2, c);
    }
    // One black pixel, then three white, from the first pixel of the line.
    void dottedH(int y, int x1, int x2)
    {
        for (int x = x1; x <= x2; ++x)
            set(x, y, (x - x1) % 4 == 0 ? Black : White);
    }
    void dottedV(int x, int y1, int y2)
    {
        for (int y = y1; y <= y2; ++y)
            set(x, y, (y - y1) % 4 == 0 ? Black : White);
    }

private:
    void set(int x, int y, QRgb c)
    {
        if (x >= 0 && y >= 0 && x < m_w && y < m_h)
            reinterpret_cast<QRgb *>(m_image.scanLine(y))[x] = c;
    }
    QImage &m_image;
    int m_w;
    int m_h;
};

QColor colourOf(const Texy &s)
{
    return QColor::fromRgba(s.colour | 0xFF000000u);
}

void drawTextAt(QPainter &p, int x, int y, const QString &text)
{
    p.drawText(QPointF(x, y + p.fontMetrics().ascent()), text);
}

int textWidth(const QFont &font, const QString &text)
{
    return QFontMetrics(font).horizontalAdvance(text);
}

// Grid and frame: pixel work only, done before any text or curve.
void drawGridAndFrame(Pixels &px, const TGrafico &chart, ChartMode mode, bool incremental, bool valueChanged)
{
    const ChartLayout &l = chart.layout;
    if (!incremental && mode == ChartPrint)
        px.outline(0, 0, l.width - 1, l.height - 1, Black);
    if (incremental)
        px.fill(43, l.top + 1, l.right - 2, l.bottom - 2, White);
    if (valueChanged)
        px.outline(42, l.top, l.right - 1, l.bottom - 1, Black);
    for (int k = 1; k <= 9; ++k)
        px.dottedH(l.rows[static_cast<size_t>(k)], 44, l.right - 2);
    const bool multi = chart.isMultiScale();
    if (multi)
        px.fill(42, l.top + 1, 42, l.bottom - 2, chart.valueAxis[1].colour | 0xFF000000u);
    const int n = chart.timeAxis[1].divisions;
    for (int i = 1; i < n; ++i) {
        const int x = l.columns[static_cast<size_t>(i)];
        if (multi && i < chart.valueAxis.count)
            px.fill(x, l.top + 1, x, l.bottom - 1, chart.valueAxis[i + 1].colour | 0xFF000000u);
        else
            px.dottedV(x, l.top + 2, l.bottom - 2);
    }
}

void drawTimeLabels(QPainter &p, const TGrafico &chart)
{
    const ChartLayout &l = chart.layout;
    const Texy &time = chart.timeAxis[1];
    p.setFont(ChartLabelFont());
    p.setPen(Qt::black);
    const int n = time.divisions;
    for (int i = 0; i <= n; ++i) {
        const QString text = ChartFormat(time.format, i * time.divisionSize / 60).trimmed();
        const int w = p.fontMetrics().horizontalAdvance(text);
        const int x = i < n ? l.columns[static_cast<size_t>(i)] - w / 2 : l.right - w;
        drawTextAt(p, x, l.bottom, text);
    }
}

QString valueLabel(const Texy &v, double value)
{
    return ChartFormat(v.format, v.scaleMode == 2 ? value - v.centreValue : value);
}

void drawOtherScales(QPainter &p, const TGrafico &chart, bool incremental)
{
    const ChartLayout &l = chart.layout;
    const QFont label = ChartLabelFont();
    const QFont bold = ChartArialFont(8, true);
    const int n = chart.timeAxis[1].divisions;
    for (int c = 2; c <= chart.valueAxis.count && c - 1 < n; ++c) {
        const Texy &v = chart.valueAxis[c];
        const int x = l.columns[static_cast<size_t>(c - 1)];
        p.setPen(colourOf(v));
        p.setFont(label);
        const QString top = valueLabel(v, v.axisMax);
        const int w = textWidth(label, top);
        drawTextAt(p, x - w - 2, l.top, top);
        drawTextAt(p, x - textWidth(label, valueLabel(v, v.axisMin)) - 2, l.bottom - 12, valueLabel(v, v.axisMin));
        if (!incremental) {
            p.setFont(bold);
            drawTextAt(p, x - w - 2, l.top - 16, v.shortLabel);
        }
    }
    p.setFont(label);
    p.setPen(Qt::black);
}

void drawValueLabels(QPainter &p, const TGrafico &chart, bool incremental)
{
    const ChartLayout &l = chart.layout;
    const Texy &v = chart.valueAxis[1];
    const QFont label = ChartLabelFont();
    const QColor colour = chart.isMultiScale() ? colourOf(v) : QColor(Qt::black);
    p.setFont(label);
    p.setPen(colour);
    auto rightAligned = [&](double value, int y) {
        const QString text = valueLabel(v, value);
        drawTextAt(p, 40 - textWidth(label, text), y, text);
    };
    rightAligned(v.axisMax, l.top);
    for (int k = 1; k <= 9; ++k)
        rightAligned(v.axisMin + (10 - k) * v.divisionSize, l.rows[static_cast<size_t>(k)] - 6);
    rightAligned(v.axisMin, l.bottom - 12);
    if (!incremental) {
        const QFont bold = ChartArialFont(8, true);
        p.setFont(bold);
        p.setPen(colourOf(v));
        drawTextAt(p, 40 - textWidth(bold, valueLabel(v, v.axisMax)), l.top - 16, v.shortLabel);
    }
}

void drawLegend(QPainter &p, const TGrafico &chart)
{
    const int W = chart.layout.width;
    const int T = chart.layout.height - 28;
    const int curves = chart.valueAxis.count;
    if (curves <= 0)
        return;
    const int w = (W - 1 - 20) / curves;
    const QFont font = ChartArialFont(8, false);
    p.setFont(font);
    const QFontMetrics fm(font);
    for (int c = 0; c < curves; ++c) {
        const Texy &v = chart.valueAxis[c + 1];
        p.setRenderHint(QPainter::Antialiasing, true);
        p.fillRect(QRectF(c * w + 10, T + 8, 5, 8), colourOf(v));
        QString text = v.label;
        while (!text.isEmpty() && fm.horizontalAdvance(text) > w - 15)
            text.chop(1);
        p.setPen(Qt::black);
        drawTextAt(p, c * w + 20, T + 5, text);
    }
}

struct CurvePoint
{
    double x;
    double y;
};

bool wholeMinute(double seconds)
{
    return std::fmod(seconds, 60.0) == 0.0;
}

} // namespace

void DrawCurves(QPainter &p, const TGrafico &chart, bool fromStart)
{
    const ChartLayout &l = chart.layout;
    const Texy &time = chart.timeAxis[1];
    const int curves = chart.isMultiScale() ? chart.valueAxis.count : std::min(chart.valueAxis.count, 1);
    if (curves <= 0)
        return;

    struct Curve
    {
        const Texy *v;
        double y0;
        int next;        // next point to connect
        CurvePoint prev;
        QPen pen;
    };
    std::array<Curve, MaxChartSeries + 1> state {};
    int firstNext = MaxChartPoints + 1;
    int last = 0;

    auto pixel = [&](const Texy &v, double y0, int k) {
        const double x = 43 + (time.values[static_cast<size_t>(k)] - time.axisMin) * time.pixelsPerUnit;
        const double y = y0 - (v.values[static_cast<size_t>(k)] - v.axisMin) * v.pixelsPerUnit;
        return CurvePoint {std::clamp(x, 44.0, double(l.right - 2)), std::clamp(y, double(l.top + 1), double(l.bottom - 2))};
    };

    for (int c = 1; c <= curves; ++c) {
        const Texy &v = chart.valueAxis[c];
        Curve &cs = state[static_cast<size_t>(c)];
        cs.v = &v;
        cs.y0 = v.scaleMode == 2 ? std::nearbyint(v.centreOffset) + l.top + 1 : l.bottom - 2;
        const int count = std::min(v.count, time.count);
        last = std::max(last, count);
        int first = fromStart ? 1 : chart.firstPoint;
        if (!fromStart && v.id == QtyVEMed) {
            first = 1;
            for (int k = count - 1; k >= 1; --k)
                if (wholeMinute(time.values[static_cast<size_t>(k)])) {
                    first = k;
                    break;
                }
        }
        first = std::clamp(first, 1, std::max(count, 1));
        if (count < 1) {
            cs.next = MaxChartPoints + 1;
            continue;
        }
        cs.prev = pixel(v, cs.y0, first);
        if (first <= 1)
            cs.prev.x = 43;
        cs.next = first + 1;
        cs.pen = QPen(colourOf(v), 1);
        cs.pen.setCosmetic(true);
        firstNext = std::min(firstNext, cs.next);
    }

    // Antialiased edges of a clamped line must not touch the frame or anything outside the plot.
    p.setClipRect(QRect(43, l.top + 1, l.right - 2 - 43 + 1, l.bottom - 2 - l.top));
    p.setRenderHint(QPainter::Antialiasing, true);
    for (int k = firstNext; k <= last; ++k) {
        for (int c = 1; c <= curves; ++c) {
            Curve &cs = state[static_cast<size_t>(c)];
            if (k < cs.next || k > std::min(cs.v->count, time.count))
                continue;
            if (cs.v->id == QtyVEMed && !wholeMinute(time.values[static_cast<size_t>(k)]))
                continue;
            const CurvePoint pt = pixel(*cs.v, cs.y0, k);
            p.setPen(cs.pen);
            p.drawLine(QPointF(cs.prev.x + 0.5, cs.prev.y + 0.5), QPointF(pt.x + 0.5, pt.y + 0.5));
            cs.prev = pt;
        }
    }
    p.setClipping(false);
}

QFont ChartLabelFont()
{
    QFont f;
    f.setFamilies({QStringLiteral("Courier New"), QStringLiteral("Liberation Mono")});
    f.setStyleHint(QFont::TypeWriter);
    f.setPixelSize(9);   // 7 points at 96 dots per inch
    return f;
}

QFont ChartArialFont(int points, bool bold)
{
    QFont f;
    f.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(int(std::lround(points * 96.0 / 72.0 - 0.01)));   // 8 -> 11, 10 -> 13
    f.setBold(bold);
    return f;
}

QImage NewChartSurface(int width, int height)
{
    QImage image(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    image.fill(White);
    return image;
}

void DrawChart(QImage &surface, ChartMode mode, TGrafico &chart, const TDados &samples)
{
    if (surface.isNull())
        return;
    if (surface.format() != QImage::Format_RGB32 && surface.format() != QImage::Format_ARGB32
        && surface.format() != QImage::Format_ARGB32_Premultiplied)
        surface = surface.convertToFormat(QImage::Format_RGB32);

    bool incremental = chart.incremental;
    if (chart.forceRedraw) {
        // After a resize nothing of the old picture is kept.
        surface.fill(White);
        incremental = false;
    }
    if (chart.forceRedraw || chart.layout.width == 0)
        LayoutChart(chart, surface.width(), surface.height());

    const ChartLoadResult load = LoadChartSamples(chart, mode, samples, !incremental);
    bool timeChanged = load.timeChanged;
    bool valueChanged = load.valueChanged;
    if (!incremental || load.reloaded)
        timeChanged = valueChanged = true;
    const bool axisChanged = timeChanged || valueChanged;

    {
        Pixels px(surface);
        if (axisChanged)
            drawGridAndFrame(px, chart, mode, incremental, valueChanged);
        const ChartLayout &l = chart.layout;
        if (timeChanged)
            px.fill(1, l.bottom, l.right - 1, l.bottom + 11, White);
        if (valueChanged)
            px.fill(1, l.top, 41, l.bottom - 1, White);
        if (chart.legendOn) {
            const int W = l.width;
            const int H = l.height;
            if (!incremental)
                px.outline(5, H - 28, W - 7, H - 7, Black);
            else
                px.fill(6, H - 27, W - 8, H - 8, White);
        }
    }

    QPainter p(&surface);
    if (!incremental && !chart.title.isEmpty()) {
        const QFont f = ChartArialFont(10, true);
        p.setFont(f);
        p.setPen(Qt::black);
        drawTextAt(p, (chart.layout.width - 1 - textWidth(f, chart.title)) / 2, 5, chart.title);
    }
    if (timeChanged) {
        drawTimeLabels(p, chart);
        if (chart.isMultiScale())
            drawOtherScales(p, chart, incremental);
    }
    if (valueChanged && chart.valueAxis.count >= 1)
        drawValueLabels(p, chart, incremental);
    if (chart.legendOn)
        drawLegend(p, chart);
    p.setRenderHint(QPainter::Antialiasing, false);
    if (chart.timeAxis[1].count >= 1)
        DrawCurves(p, chart, axisChanged);
    p.end();

    chart.rescaled = false;
    chart.forceRedraw = false;
    chart.incremental = true;
}

} // namespace kestrova
