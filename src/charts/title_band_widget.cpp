#include "title_band_widget.h"

#include "title_band.h"

#include <QPainter>
#include <QPalette>

namespace kestrova {

TitleBandWidget::TitleBandWidget(const QString &title, QWidget *parent) : QWidget(parent), m_title(title)
{
    setFixedHeight(TitleBandHeight);
}

void TitleBandWidget::setTitle(const QString &title)
{
    m_title = title;
    update();
}

void TitleBandWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    DrawTitleBand(painter, rect(), m_title);
}

void ApplyMainWindowBackground(QWidget *window)
{
    QPalette palette = window->palette();
    palette.setColor(QPalette::Window, MainWindowBackground);
    window->setPalette(palette);
    window->setAutoFillBackground(true);
}

} // namespace kestrova
