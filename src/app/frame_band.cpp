#include "frame_band.h"

#include "picture_painter.h"
#include "principal_layout.h"

#include <QPainter>

namespace kestrova {

FrameBand::FrameBand(const QString &caption, QWidget *parent) : QWidget(parent), m_caption(caption)
{
    setFixedHeight(ValueBandHeight);
}

void FrameBand::SetPictures(const QPixmap &left, const QPixmap &centre, const QPixmap &right)
{
    m_left = left;
    m_centre = centre;
    m_right = right;
    update();
}

void FrameBand::SetCaption(const QString &caption)
{
    m_caption = caption;
    update();
}

void FrameBand::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const int h = height();
    const int lw = m_left.isNull() ? 0 : m_left.width();
    const int rw = m_right.isNull() ? 0 : m_right.width();
    if (!m_centre.isNull())
        p.drawPixmap(QRect(lw, 0, std::max(0, width() - lw - rw), h), m_centre);
    if (!m_left.isNull())
        p.drawPixmap(QRect(0, 0, lw, h), m_left);
    if (!m_right.isNull())
        p.drawPixmap(QRect(width() - rw, 0, rw, h), m_right);
    p.setPen(Qt::white);
    p.setFont(ArialPixelFont(14, true));
    p.drawText(rect().adjusted(lw + 2, 0, -rw - 2, 0), Qt::AlignCenter, m_caption);
}

} // namespace kestrova
