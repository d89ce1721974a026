#include "title_band.h"

#include <QFont>
#include <algorithm>
#include <QLinearGradient>

namespace kestrova {

namespace {

const QColor BandTop(196, 98, 0);
const QColor BandBottom(140, 62, 0);
const QColor BandEdge(96, 40, 0);

} // namespace

void DrawTitleBand(QPainter &painter, const QRect &rect, const QString &title)
{
    if (rect.isEmpty())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    QLinearGradient gradient(rect.topLeft(), rect.bottomLeft());
    gradient.setColorAt(0, BandTop);
    gradient.setColorAt(1, BandBottom);
    painter.fillRect(rect, gradient);
    // The two corners: 3 pixels wide, darker, so the band reads as a framed strip.
    const int corner = std::min(3, rect.width() / 2);
    painter.fillRect(QRect(rect.left(), rect.top(), corner, rect.height()), BandEdge);
    painter.fillRect(QRect(rect.right() - corner + 1, rect.top(), corner, rect.height()), BandEdge);

    QFont font;
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    font.setPixelSize(13);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    const int labelHeight = 19;
    const QRect label(rect.left() + corner, rect.top() + (rect.height() - labelHeight) / 2,
                      rect.width() - 2 * corner, labelHeight);
    painter.drawText(label, Qt::AlignCenter, title);
    painter.restore();
}

} // namespace kestrova
