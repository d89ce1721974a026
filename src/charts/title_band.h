#pragma once

// The 25-pixel title band that many windows carry under their top edge: a framed strip with a
// centred white bold Arial title. Drawn here so that every window (and the main window) shares it.

#include <QColor>
#include <QPainter>
#include <QRect>
#include <QString>

namespace kestrova {

inline constexpr int TitleBandHeight = 25;
// Background of the main window and of the windows that follow its look.
inline const QColor MainWindowBackground = QColor(255, 188, 96);

// Draws the band into rect (normally the full client width, TitleBandHeight high): a 3-pixel left
// corner, the centre strip and a 3-pixel right corner, with the title centred in a 19-pixel label.
void DrawTitleBand(QPainter &painter, const QRect &rect, const QString &title);

} // namespace kestrova
