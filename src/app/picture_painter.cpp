#include "picture_painter.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <functional>
#include <map>

namespace kestrova {

namespace {

const QColor Outline(30, 42, 70);
const QColor Blue(46, 109, 180);
const QColor LightBlue(120, 170, 225);
const QColor Green(40, 150, 60);
const QColor Red(200, 30, 30);
const QColor Amber(235, 150, 20);
const QColor Paper(252, 252, 246);

QImage blank(int w, int h)
{
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

// Every drawing works on a 32 × 32 grid scaled to the requested size.
struct Canvas
{
    QImage image;
    QPainter p;
    explicit Canvas(int size) : image(blank(size, size)), p(&image)
    {
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.scale(size / 32.0, size / 32.0);
    }
    QImage take()
    {
        p.end();
        return image;
    }
};

QPen pen(const QColor &c, double w = 1.4)
{
    return QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void person(QPainter &p, double cx, double top, double k, const QColor &fill)
{
    p.setPen(pen(Outline, 1.2));
    p.setBrush(fill);
    QPainterPath body;
    body.moveTo(cx - 9 * k, top + 22 * k);
    body.cubicTo(cx - 9 * k, top + 13 * k, cx - 5 * k, top + 11 * k, cx, top + 11 * k);
    body.cubicTo(cx + 5 * k, top + 11 * k, cx + 9 * k, top + 13 * k, cx + 9 * k, top + 22 * k);
    body.closeSubpath();
    p.drawPath(body);
    p.setBrush(QColor(250, 214, 170));
    p.drawEllipse(QPointF(cx, top + 5.5 * k), 4.6 * k, 4.6 * k);
}

void badge(QPainter &p, const QColor &c, const QString &sign)
{
    p.setPen(pen(Qt::white, 1.2));
    p.setBrush(c);
    p.drawEllipse(QPointF(24.5, 24.5), 6.5, 6.5);
    p.setPen(pen(Qt::white, 2.2));
    if (sign == QLatin1String("+")) {
        p.drawLine(QPointF(24.5, 21), QPointF(24.5, 28));
        p.drawLine(QPointF(21, 24.5), QPointF(28, 24.5));
    }
}

void document(QPainter &p, const QRectF &r)
{
    p.setPen(pen(Outline, 1.2));
    p.setBrush(Paper);
    QPainterPath d;
    d.moveTo(r.left(), r.top());
    d.lineTo(r.right() - 6, r.top());
    d.lineTo(r.right(), r.top() + 6);
    d.lineTo(r.right(), r.bottom());
    d.lineTo(r.left(), r.bottom());
    d.closeSubpath();
    p.drawPath(d);
    p.drawLine(QPointF(r.right() - 6, r.top()), QPointF(r.right() - 6, r.top() + 6));
    p.drawLine(QPointF(r.right() - 6, r.top() + 6), QPointF(r.right(), r.top() + 6));
}

void heartPath(QPainterPath &h, double cx, double cy, double s)
{
    h.moveTo(cx, cy + 9 * s);
    h.cubicTo(cx - 12 * s, cy + 1 * s, cx - 10 * s, cy - 9 * s, cx - 5 * s, cy - 9 * s);
    h.cubicTo(cx - 2 * s, cy - 9 * s, cx, cy - 7 * s, cx, cy - 5 * s);
    h.cubicTo(cx, cy - 7 * s, cx + 2 * s, cy - 9 * s, cx + 5 * s, cy - 9 * s);
    h.cubicTo(cx + 10 * s, cy - 9 * s, cx + 12 * s, cy + 1 * s, cx, cy + 9 * s);
    h.closeSubpath();
}

void pulseLine(QPainter &p, double x0, double y, double w, const QColor &c, double width)
{
    QPainterPath l;
    l.moveTo(x0, y);
    l.lineTo(x0 + w * 0.30, y);
    l.lineTo(x0 + w * 0.40, y - w * 0.30);
    l.lineTo(x0 + w * 0.52, y + w * 0.30);
    l.lineTo(x0 + w * 0.62, y - w * 0.12);
    l.lineTo(x0 + w * 0.70, y);
    l.lineTo(x0 + w, y);
    p.setPen(pen(c, width));
    p.setBrush(Qt::NoBrush);
    p.drawPath(l);
}

void gear(QPainter &p, double cx, double cy, double r, const QColor &fill)
{
    QPainterPath g;
    const int teeth = 8;
    for (int i = 0; i < teeth * 2; ++i) {
        const double a0 = (i - 0.5) * M_PI / teeth, a1 = (i + 0.5) * M_PI / teeth;
        const double rr = i % 2 == 0 ? r : r * 0.78;
        const QPointF pa(cx + rr * std::cos(a0), cy + rr * std::sin(a0));
        const QPointF pb(cx + rr * std::cos(a1), cy + rr * std::sin(a1));
        if (i == 0)
            g.moveTo(pa);
        else
            g.lineTo(pa);
        g.lineTo(pb);
    }
    g.closeSubpath();
    g.addEllipse(QPointF(cx, cy), r * 0.32, r * 0.32);
    g.setFillRule(Qt::OddEvenFill);
    p.setPen(pen(Outline, 1.1));
    p.setBrush(fill);
    p.drawPath(g);
}

void axes(QPainter &p, const QRectF &r)
{
    p.setPen(pen(Outline, 1.4));
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.drawLine(r.bottomLeft(), r.bottomRight());
}

void magnifier(QPainter &p, double cx, double cy, double r)
{
    p.setPen(pen(Outline, 2.6));
    p.drawLine(QPointF(cx + r * 0.7, cy + r * 0.7), QPointF(cx + r * 1.8, cy + r * 1.8));
    p.setPen(pen(Outline, 1.4));
    p.setBrush(QColor(200, 230, 255, 200));
    p.drawEllipse(QPointF(cx, cy), r, r);
}

void spreadsheet(QPainter &p, const QColor &c, const QString &letter)
{
    document(p, QRectF(7, 3, 20, 26));
    p.setPen(pen(QColor(150, 150, 150), 0.8));
    for (double y = 12; y < 28; y += 4)
        p.drawLine(QPointF(9, y), QPointF(25, y));
    p.drawLine(QPointF(17, 12), QPointF(17, 27));
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawRoundedRect(QRectF(2, 8, 14, 14), 2, 2);
    p.setPen(Qt::white);
    QFont f = ArialFont(7, true);
    f.setPixelSize(11);
    p.setFont(f);
    p.drawText(QRectF(2, 8, 14, 14), Qt::AlignCenter, letter);
}

using Drawing = std::function<void(QPainter &)>;

const std::map<QString, Drawing> &drawings()
{
    static const std::map<QString, Drawing> all = {
        {QStringLiteral("CadAvaliados"), [](QPainter &p) { person(p, 16, 4, 1.15, Blue); }},
        {QStringLiteral("CadGrupos"),
         [](QPainter &p) {
             person(p, 8, 5, 0.85, LightBlue);
             person(p, 24, 5, 0.85, LightBlue);
             person(p, 16, 7, 1.0, Blue);
         }},
        {QStringLiteral("CadProtocolos"),
         [](QPainter &p) {
             p.setPen(pen(Outline, 1.2));
             p.setBrush(QColor(176, 120, 60));
             p.drawRoundedRect(QRectF(5, 4, 22, 26), 2, 2);
             p.setBrush(Paper);
             p.drawRect(QRectF(8, 7, 16, 20));
             p.setBrush(QColor(120, 120, 130));
             p.drawRoundedRect(QRectF(11, 2, 10, 5), 1.5, 1.5);
             p.setPen(Qt::NoPen);
             p.setBrush(Green);
             for (int i = 0; i < 4; ++i)
                 p.drawRect(QRectF(9.5 + i * 3.6, 24 - (i + 1) * 3.8, 3.0, (i + 1) * 3.8));
         }},
        {QStringLiteral("NovaAvaliacao"),
         [](QPainter &p) {
             p.setPen(pen(Outline, 1.2));
             p.setBrush(QColor(18, 40, 60));
             p.drawRoundedRect(QRectF(2, 5, 26, 20), 3, 3);
             pulseLine(p, 4, 15, 22, QColor(90, 255, 120), 1.6);
             badge(p, Green, QStringLiteral("+"));
         }},
        {QStringLiteral("VisualizarAvaliacao"),
         [](QPainter &p) {
             document(p, QRectF(4, 2, 20, 26));
             p.setPen(pen(Red, 1.3));
             p.drawPolyline(QPolygonF({QPointF(7, 22), QPointF(11, 17), QPointF(14, 19), QPointF(20, 10)}));
             magnifier(p, 20, 19, 5.5);
         }},
        {QStringLiteral("Comunicacao"),
         [](QPainter &p) {
             p.setPen(pen(Outline, 2.2));
             p.setBrush(Qt::NoBrush);
             QPainterPath cable;
             cable.moveTo(16, 22);
             cable.cubicTo(16, 29, 26, 27, 29, 31);
             p.drawPath(cable);
             p.setPen(pen(Outline, 1.2));
             p.setBrush(QColor(150, 160, 175));
             p.drawPolygon(QPolygonF({QPointF(2, 7), QPointF(30, 7), QPointF(26, 21), QPointF(6, 21)}));
             p.setBrush(QColor(60, 70, 90));
             p.setPen(Qt::NoPen);
             for (int i = 0; i < 5; ++i)
                 p.drawEllipse(QPointF(7 + i * 4.5, 11.5), 1.2, 1.2);
             for (int i = 0; i < 4; ++i)
                 p.drawEllipse(QPointF(9.2 + i * 4.5, 16.5), 1.2, 1.2);
         }},
        {QStringLiteral("Parametros"),
         [](QPainter &p) {
             gear(p, 13, 13, 10, QColor(120, 140, 170));
             gear(p, 24, 24, 6.5, QColor(230, 160, 60));
         }},
        {QStringLiteral("ConfigGrafico"),
         [](QPainter &p) {
             p.setPen(Qt::NoPen);
             p.setBrush(Paper);
             p.drawRect(QRectF(4, 3, 26, 25));
             axes(p, QRectF(4, 3, 26, 25));
             p.setBrush(Qt::NoBrush);
             p.setPen(pen(Blue, 1.8));
             p.drawPolyline(QPolygonF({QPointF(6, 24), QPointF(12, 20), QPointF(18, 16), QPointF(24, 8), QPointF(29, 5)}));
             p.setPen(pen(Red, 1.8));
             p.drawPolyline(QPolygonF({QPointF(6, 18), QPointF(12, 17), QPointF(18, 12), QPointF(24, 12), QPointF(29, 9)}));
         }},
        {QStringLiteral("Backup"),
         [](QPainter &p) {
             p.setPen(pen(Outline, 1.2));
             QLinearGradient g(0, 0, 24, 0);
             g.setColorAt(0, QColor(70, 110, 170));
             g.setColorAt(1, QColor(140, 180, 230));
             p.setBrush(g);
             p.drawRect(QRectF(3, 7, 20, 18));
             p.drawEllipse(QRectF(3, 21, 20, 7));
             p.setBrush(QColor(160, 195, 240));
             p.drawEllipse(QRectF(3, 4, 20, 7));
             p.setBrush(Qt::NoBrush);
             p.drawArc(QRectF(3, 10, 20, 7), 180 * 16, 180 * 16);
             p.drawArc(QRectF(3, 15, 20, 7), 180 * 16, 180 * 16);
             p.setPen(pen(Qt::white, 1.0));
             p.setBrush(Green);
             p.drawEllipse(QPointF(24.5, 24.5), 6.5, 6.5);
             p.setPen(pen(Qt::white, 2.0));
             p.drawLine(QPointF(24.5, 20.5), QPointF(24.5, 28));
             p.drawLine(QPointF(21.3, 25), QPointF(24.5, 28.3));
             p.drawLine(QPointF(27.7, 25), QPointF(24.5, 28.3));
         }},
        {QStringLiteral("Fechar"),
         [](QPainter &p) {
             QRadialGradient g(QPointF(13, 11), 16);
             g.setColorAt(0, QColor(240, 90, 80));
             g.setColorAt(1, QColor(170, 20, 20));
             p.setPen(pen(QColor(110, 10, 10), 1.2));
             p.setBrush(g);
             p.drawEllipse(QPointF(16, 16), 14, 14);
             p.setPen(pen(Qt::white, 2.6));
             p.setBrush(Qt::NoBrush);
             p.drawArc(QRectF(9, 9.5, 14, 14), 120 * 16, -240 * 16);
             p.drawLine(QPointF(16, 7), QPointF(16, 15));
         }},
        {QStringLiteral("Sobre"),
         [](QPainter &p) {
             p.setPen(pen(Outline, 1.2));
             p.setBrush(Blue);
             p.drawEllipse(QPointF(16, 16), 14, 14);
             p.setPen(Qt::NoPen);
             p.setBrush(Qt::white);
             p.drawEllipse(QPointF(16, 9.5), 2.4, 2.4);
             p.drawRoundedRect(QRectF(13.8, 13.5, 4.4, 12), 1.2, 1.2);
         }},
        {QStringLiteral("Laboratorio"),
         [](QPainter &p) {
             p.setPen(pen(Outline, 1.2));
             p.setBrush(QColor(200, 235, 250));
             QPainterPath f;
             f.moveTo(12, 3);
             f.lineTo(20, 3);
             f.lineTo(20, 12);
             f.lineTo(28, 27);
             f.quadTo(29, 29, 26, 29);
             f.lineTo(6, 29);
             f.quadTo(3, 29, 4, 27);
             f.lineTo(12, 12);
             f.closeSubpath();
             p.drawPath(f);
             p.setPen(Qt::NoPen);
             p.setBrush(Green);
             p.drawPolygon(QPolygonF({QPointF(8.5, 20), QPointF(23.5, 20), QPointF(27, 27), QPointF(5, 27)}));
         }},
        {QStringLiteral("TesteSensor"),
         [](QPainter &p) {
             p.setPen(pen(Outline, 1.2));
             p.setBrush(QColor(150, 160, 175));
             p.drawEllipse(QPointF(16, 16), 13, 13);
             p.setBrush(QColor(230, 235, 240));
             for (int i = 0; i < 3; ++i) {
                 p.save();
                 p.translate(16, 16);
                 p.rotate(i * 120);
                 p.drawEllipse(QRectF(-3, -11, 6, 10));
                 p.restore();
             }
             p.setBrush(Outline);
             p.drawEllipse(QPointF(16, 16), 2, 2);
         }},
        // Button glyphs.
        {QStringLiteral("BtnNovo"), [](QPainter &p) { document(p, QRectF(5, 3, 19, 25)); badge(p, Green, QStringLiteral("+")); }},
        {QStringLiteral("BtnEditar"),
         [](QPainter &p) {
             document(p, QRectF(4, 3, 19, 25));
             p.save();
             p.translate(20, 16);
             p.rotate(45);
             p.setPen(pen(Outline, 1.0));
             p.setBrush(Amber);
             p.drawRect(QRectF(-2.5, -12, 5, 18));
             p.setBrush(QColor(250, 214, 170));
             p.drawPolygon(QPolygonF({QPointF(-2.5, 6), QPointF(2.5, 6), QPointF(0, 11)}));
             p.restore();
         }},
        {QStringLiteral("BtnExcluir"),
         [](QPainter &p) {
             p.setPen(pen(Red, 5));
             p.drawLine(QPointF(7, 7), QPointF(25, 25));
             p.drawLine(QPointF(25, 7), QPointF(7, 25));
         }},
        {QStringLiteral("BtnSalvar"),
         [](QPainter &p) {
             p.setPen(pen(Outline, 1.2));
             p.setBrush(Blue);
             p.drawRoundedRect(QRectF(4, 4, 24, 24), 2, 2);
             p.setBrush(Paper);
             p.drawRect(QRectF(8, 4, 16, 9));
             p.setBrush(QColor(60, 70, 90));
             p.drawRect(QRectF(9, 18, 14, 10));
         }},
        {QStringLiteral("BtnCancelar"),
         [](QPainter &p) {
             p.setPen(pen(Red, 3.4));
             p.setBrush(Qt::NoBrush);
             p.drawEllipse(QPointF(16, 16), 11, 11);
             p.drawLine(QPointF(8.5, 8.5), QPointF(23.5, 23.5));
         }},
        {QStringLiteral("BtnPesquisar"), [](QPainter &p) { magnifier(p, 13, 13, 8); }},
        {QStringLiteral("BtnDocumentPrint"),
         [](QPainter &p) {
             p.setPen(pen(Outline, 1.2));
             p.setBrush(Paper);
             p.drawRect(QRectF(9, 3, 14, 10));
             p.setBrush(QColor(120, 130, 150));
             p.drawRoundedRect(QRectF(3, 12, 26, 11), 2, 2);
             p.setBrush(Paper);
             p.drawRect(QRectF(9, 19, 14, 10));
             p.setPen(pen(QColor(150, 150, 150), 0.8));
             p.drawLine(QPointF(11, 23), QPointF(21, 23));
             p.drawLine(QPointF(11, 26), QPointF(19, 26));
             p.setPen(Qt::NoPen);
             p.setBrush(Green);
             p.drawEllipse(QPointF(25, 15.5), 1.3, 1.3);
         }},
        {QStringLiteral("BtnFechar"),
         [](QPainter &p) {
             p.setPen(pen(Outline, 1.2));
             p.setBrush(QColor(150, 100, 60));
             p.drawRect(QRectF(6, 3, 16, 26));
             p.setBrush(QColor(190, 130, 80));
             p.drawPolygon(QPolygonF({QPointF(6, 3), QPointF(16, 6), QPointF(16, 31), QPointF(6, 29)}));
             p.setPen(pen(Green, 2.4));
             p.drawLine(QPointF(19, 16), QPointF(30, 16));
             p.drawLine(QPointF(26, 12), QPointF(30, 16));
             p.drawLine(QPointF(26, 20), QPointF(30, 16));
         }},
        {QStringLiteral("BtnOK"),
         [](QPainter &p) {
             p.setPen(pen(Green, 4.5));
             p.setBrush(Qt::NoBrush);
             p.drawPolyline(QPolygonF({QPointF(6, 17), QPointF(13, 24), QPointF(26, 8)}));
         }},
        {QStringLiteral("BtnSerialTeste"),
         [](QPainter &p) {
             p.setPen(pen(Outline, 1.2));
             p.setBrush(QColor(150, 160, 175));
             p.drawPolygon(QPolygonF({QPointF(2, 5), QPointF(24, 5), QPointF(21, 16), QPointF(5, 16)}));
             p.setPen(Qt::NoPen);
             p.setBrush(QColor(60, 70, 90));
             for (int i = 0; i < 4; ++i)
                 p.drawEllipse(QPointF(6.5 + i * 4.3, 9), 1.1, 1.1);
             for (int i = 0; i < 3; ++i)
                 p.drawEllipse(QPointF(8.6 + i * 4.3, 12.8), 1.1, 1.1);
             p.setPen(pen(Green, 3.2));
             p.setBrush(Qt::NoBrush);
             p.drawPolyline(QPolygonF({QPointF(15, 24), QPointF(20, 29), QPointF(30, 17)}));
         }},
        {QStringLiteral("BtnDocumentExcel"), [](QPainter &p) { spreadsheet(p, QColor(30, 120, 60), QStringLiteral("X")); }},
        {QStringLiteral("BtnDocumentTxt"),
         [](QPainter &p) {
             document(p, QRectF(6, 3, 20, 26));
             p.setPen(pen(QColor(90, 90, 100), 1.2));
             for (double y = 12; y < 27; y += 3.5)
                 p.drawLine(QPointF(9, y), QPointF(y > 24 ? 17 : 23, y));
         }},
        {QStringLiteral("BtnEncerrar"),
         [](QPainter &p) {
             QRadialGradient g(QPointF(13, 11), 16);
             g.setColorAt(0, QColor(240, 90, 80));
             g.setColorAt(1, QColor(170, 20, 20));
             p.setPen(pen(QColor(110, 10, 10), 1.2));
             p.setBrush(g);
             QPolygonF oct;
             for (int i = 0; i < 8; ++i) {
                 const double a = (i + 0.5) * M_PI / 4;
                 oct << QPointF(16 + 14 * std::cos(a), 16 + 14 * std::sin(a));
             }
             p.drawPolygon(oct);
             p.setPen(Qt::NoPen);
             p.setBrush(Qt::white);
             p.drawRect(QRectF(10, 10, 12, 12));
         }},
        {QStringLiteral("BtnRecuperacao"),
         [](QPainter &p) {
             p.setPen(pen(Outline, 1.2));
             p.setBrush(QColor(40, 120, 200));
             p.drawEllipse(QPointF(16, 16), 14, 14);
             p.setPen(pen(Qt::white, 2.6));
             p.setBrush(Qt::NoBrush);
             p.drawArc(QRectF(8, 8, 16, 16), 90 * 16, 270 * 16);
             p.setPen(Qt::NoPen);
             p.setBrush(Qt::white);
             p.drawPolygon(QPolygonF({QPointF(15, 4.5), QPointF(20.5, 8), QPointF(15, 11.5)}));
         }},
        {QStringLiteral("BtnDocumentPDF"), [](QPainter &p) { spreadsheet(p, QColor(190, 30, 30), QStringLiteral("P")); }},
        {QStringLiteral("BtnGrafico"),
         [](QPainter &p) {
             axes(p, QRectF(4, 4, 24, 24));
             p.setPen(Qt::NoPen);
             p.setBrush(Blue);
             p.drawRect(QRectF(8, 18, 4, 10));
             p.setBrush(Green);
             p.drawRect(QRectF(14, 12, 4, 16));
             p.setBrush(Amber);
             p.drawRect(QRectF(20, 7, 4, 21));
         }},
        {QStringLiteral("Excel48"), [](QPainter &p) { spreadsheet(p, QColor(30, 120, 60), QStringLiteral("X")); }},
        {QStringLiteral("ExcelModelo48"),
         [](QPainter &p) {
             spreadsheet(p, QColor(30, 120, 60), QStringLiteral("X"));
             p.setPen(pen(Qt::white, 1.0));
             p.setBrush(Amber);
             p.drawEllipse(QPointF(24.5, 24.5), 6.5, 6.5);
             p.setPen(Qt::white);
             QFont f = ArialFont(7, true);
             f.setPixelSize(9);
             p.setFont(f);
             p.drawText(QRectF(18, 18, 13, 13), Qt::AlignCenter, QStringLiteral("M"));
         }},
    };
    return all;
}

} // namespace

QFont ArialFont(int pointSize, bool bold)
{
    QFont f;
    f.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    f.setPointSize(pointSize);
    f.setBold(bold);
    return f;
}

QFont ArialPixelFont(int pixelSize, bool bold)
{
    QFont f = ArialFont(10, bold);
    f.setPixelSize(pixelSize);
    return f;
}

QFont CourierFont(int pointSize, bool bold)
{
    QFont f;
    f.setFamilies({QStringLiteral("Courier New"), QStringLiteral("Liberation Mono")});
    f.setStyleHint(QFont::Monospace);
    f.setPointSize(pointSize);
    f.setBold(bold);
    return f;
}

QImage DrawIcon(const QString &drawing, int size)
{
    const auto &all = drawings();
    const auto it = all.find(drawing);
    if (it == all.end())
        return QImage();
    Canvas c(size);
    it->second(c.p);
    return c.take();
}

QImage DisabledVariant(const QImage &image)
{
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const QRgb px = line[x];
            const int g = 110 + qGray(px) * 100 / 255;
            line[x] = qRgba(g, g, g, qAlpha(px) * 3 / 5);
        }
    }
    return out.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage DrawSensorIcon(const QString &state, bool heartRate, int size)
{
    static const std::map<QString, std::pair<QColor, QColor>> colours = {
        {QStringLiteral("Verde"), {QColor(120, 255, 120), QColor(0, 140, 30)}},
        {QStringLiteral("Amarelo"), {QColor(255, 245, 140), QColor(215, 160, 0)}},
        {QStringLiteral("Vermelho"), {QColor(255, 130, 120), QColor(190, 10, 10)}},
        {QStringLiteral("Cinza"), {QColor(215, 215, 215), QColor(120, 120, 120)}},
        {QStringLiteral("Preto"), {QColor(110, 110, 110), QColor(10, 10, 10)}},
    };
    const auto it = colours.find(state);
    if (it == colours.end())
        return QImage();
    Canvas c(size);
    QPainter &p = c.p;
    QLinearGradient bezel(0, 0, 0, 32);
    bezel.setColorAt(0, QColor(90, 90, 95));
    bezel.setColorAt(1, QColor(30, 30, 35));
    p.setPen(pen(QColor(20, 20, 20), 1.0));
    p.setBrush(bezel);
    p.drawRoundedRect(QRectF(1, 1, 30, 30), 6, 6);
    QRadialGradient led(QPointF(13, 11), 15);
    led.setColorAt(0, it->second.first);
    led.setColorAt(1, it->second.second);
    p.setPen(pen(QColor(0, 0, 0, 160), 1.0));
    p.setBrush(led);
    p.drawEllipse(QPointF(16, 16), 12, 12);
    const QColor mark(255, 255, 255, state == QLatin1String("Cinza") ? 150 : 235);
    if (heartRate) {
        QPainterPath h;
        heartPath(h, 16, 16.5, 0.72);
        p.setPen(Qt::NoPen);
        p.setBrush(mark);
        p.drawPath(h);
    } else {
        // The ventilation turbine: three vanes around a hub.
        p.setPen(Qt::NoPen);
        p.setBrush(mark);
        for (int i = 0; i < 3; ++i) {
            p.save();
            p.translate(16, 16);
            p.rotate(i * 120 + 15);
            p.drawEllipse(QRectF(-2.6, -9.5, 5.2, 8.5));
            p.restore();
        }
        p.setBrush(it->second.second);
        p.drawEllipse(QPointF(16, 16), 1.8, 1.8);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 90));
    p.drawEllipse(QRectF(9, 6, 11, 6));
    return c.take();
}

QImage DrawHeartIcon(const QString &state, int size)
{
    Canvas c(size);
    QPainter &p = c.p;
    QPainterPath h;
    heartPath(h, 16, 16, 1.35);
    if (state == QLatin1String("Off")) {
        p.setPen(pen(QColor(150, 20, 20), 2.0));
        p.setBrush(QColor(255, 235, 235));
        p.drawPath(h);
        return c.take();
    }
    QRadialGradient g(QPointF(11, 9), 22);
    if (state == QLatin1String("Disabled")) {
        g.setColorAt(0, QColor(215, 215, 215));
        g.setColorAt(1, QColor(130, 130, 130));
        p.setPen(pen(QColor(100, 100, 100), 1.2));
    } else {
        g.setColorAt(0, state == QLatin1String("On") ? QColor(255, 110, 100) : QColor(235, 80, 80));
        g.setColorAt(1, state == QLatin1String("On") ? QColor(210, 0, 0) : QColor(160, 10, 10));
        p.setPen(pen(QColor(110, 0, 0), 1.2));
    }
    p.setBrush(g);
    p.drawPath(h);
    if (state == QLatin1String("On"))
        pulseLine(p, 5, 15, 22, Qt::white, 1.7);
    return c.take();
}

QImage DrawFramePiece(int piece, int height)
{
    const int width = piece == 1 ? 1 : 6;
    QImage img = blank(width, height);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, height);
    g.setColorAt(0, FrameTop.lighter(115));
    g.setColorAt(0.5, FrameTop);
    g.setColorAt(1, FrameBottom);
    if (piece == 1) {
        p.fillRect(QRect(0, 0, 1, height), g);
        p.fillRect(QRect(0, 0, 1, 1), FrameEdge);
        p.fillRect(QRect(0, height - 1, 1, 1), FrameEdge);
        return img;
    }
    // The outer corner is rounded; the inner side joins the centre strip.
    QPainterPath path;
    const double r = 5;
    if (piece == 0) {
        path.moveTo(width + 1, 0.5);
        path.lineTo(0.5 + r, 0.5);
        path.quadTo(0.5, 0.5, 0.5, 0.5 + r);
        path.lineTo(0.5, height - 0.5);
        path.lineTo(width + 1, height - 0.5);
    } else {
        path.moveTo(-1, 0.5);
        path.lineTo(width - 0.5 - r, 0.5);
        path.quadTo(width - 0.5, 0.5, width - 0.5, 0.5 + r);
        path.lineTo(width - 0.5, height - 0.5);
        path.lineTo(-1, height - 0.5);
    }
    p.setPen(QPen(FrameEdge, 1));
    p.setBrush(g);
    p.drawPath(path);
    return img;
}

QImage DrawLogo(int width, int height, bool withTagline)
{
    QImage img = blank(width, height);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const double d = height * (withTagline ? 0.62 : 0.86);
    const QPointF centre(d / 2 + height * 0.06, height / 2.0);
    QRadialGradient g(centre - QPointF(d * 0.18, d * 0.2), d * 0.7);
    g.setColorAt(0, QColor(60, 90, 160));
    g.setColorAt(1, QColor(10, 25, 80));
    p.setPen(QPen(QColor(255, 255, 255, 200), std::max(1.0, d * 0.03)));
    p.setBrush(g);
    p.drawEllipse(centre, d / 2, d / 2);
    // A kestrel's wings spread above a heartbeat trace.
    QPainterPath wing;
    const double s = d / 32;
    const double cx = centre.x(), cy = centre.y() - 2 * s;
    wing.moveTo(cx, cy + 2 * s);
    wing.cubicTo(cx - 5 * s, cy - 5 * s, cx - 10 * s, cy - 6 * s, cx - 13 * s, cy - 3 * s);
    wing.cubicTo(cx - 9 * s, cy - 3 * s, cx - 6 * s, cy - 1 * s, cx - 4 * s, cy + 2 * s);
    wing.lineTo(cx, cy + 5 * s);
    wing.lineTo(cx + 4 * s, cy + 2 * s);
    wing.cubicTo(cx + 6 * s, cy - 1 * s, cx + 9 * s, cy - 3 * s, cx + 13 * s, cy - 3 * s);
    wing.cubicTo(cx + 10 * s, cy - 6 * s, cx + 5 * s, cy - 5 * s, cx, cy + 2 * s);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 188, 96));
    p.drawPath(wing);
    pulseLine(p, cx - 11 * s, cy + 8 * s, 22 * s, QColor(120, 255, 140), std::max(1.0, 1.6 * s));

    const double textLeft = centre.x() + d / 2 + height * 0.08;
    QFont f = ArialFont(10, true);
    f.setPixelSize(int(height * (withTagline ? 0.42 : 0.58)));
    f.setLetterSpacing(QFont::PercentageSpacing, 104);
    p.setFont(f);
    p.setPen(Navy);
    const QRectF nameRect(textLeft, 0, width - textLeft, withTagline ? height * 0.66 : height);
    p.drawText(nameRect, Qt::AlignLeft | (withTagline ? Qt::AlignBottom : Qt::AlignVCenter), QStringLiteral("Kestrova"));
    if (withTagline) {
        const QString tagline = QStringLiteral("Avaliação ergométrica  •  VE  •  FC");
        QFont t = ArialFont(10, false);
        int px = std::max(8, int(height * 0.13));
        t.setPixelSize(px);
        while (px > 8 && QFontMetricsF(t).horizontalAdvance(tagline) > width - textLeft - 4)
            t.setPixelSize(--px);
        p.setFont(t);
        p.setPen(QColor(120, 60, 0));
        p.drawText(QRectF(textLeft + 2, height * 0.68, width - textLeft, height * 0.3), Qt::AlignLeft | Qt::AlignTop,
                   tagline);
    }
    return img;
}

QImage DrawAboutPicture(int width, int height)
{
    QImage img = blank(width, height);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, height);
    g.setColorAt(0, QColor(255, 240, 215));
    g.setColorAt(1, QColor(255, 214, 150));
    p.setPen(QPen(FrameEdge, 1));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(0.5, 0.5, width - 1, height - 1), 8, 8);
    p.drawImage(QPointF(width * 0.06, height * 0.12), DrawLogo(int(width * 0.88), int(height * 0.62), true));
    p.setPen(QColor(90, 50, 10));
    p.setFont(ArialPixelFont(std::max(9, height / 14)));
    p.drawText(QRectF(0, height * 0.76, width, height * 0.2), Qt::AlignCenter,
               QStringLiteral("Estação de testes ergométricos para laboratórios\nde ciências do esporte"));
    return img;
}

QImage DrawProgressPicture(int size)
{
    Canvas c(size);
    QPainter &p = c.p;
    p.setPen(pen(Outline, 1.2));
    p.setBrush(QColor(235, 240, 250));
    p.drawEllipse(QPointF(16, 17), 13, 13);
    p.setBrush(QColor(150, 160, 175));
    p.drawRoundedRect(QRectF(13, 1, 6, 3.5), 1, 1);
    p.setPen(pen(Red, 2.0));
    p.drawLine(QPointF(16, 17), QPointF(22, 11));
    p.setPen(pen(Outline, 1.2));
    for (int i = 0; i < 12; ++i) {
        const double a = i * M_PI / 6;
        p.drawLine(QPointF(16 + 10.5 * std::cos(a), 17 + 10.5 * std::sin(a)),
                   QPointF(16 + 12 * std::cos(a), 17 + 12 * std::sin(a)));
    }
    return c.take();
}

QImage DrawHeaderPicture(int width, int height)
{
    QImage img = blank(width, height);
    QPainter p(&img);
    QLinearGradient g(0, 0, width, 0);
    g.setColorAt(0, FrameBottom);
    g.setColorAt(1, FrameTop.lighter(130));
    p.fillRect(img.rect(), g);
    p.drawImage(QPointF(height * 0.15, height * 0.1), DrawLogo(int(height * 3.6), int(height * 0.8), false));
    return img;
}

} // namespace kestrova
