#pragma once

// The chart renderer: draws a described chart from the samples of an evaluation onto a 32-bit
// raster image. Uses QtGui only (QImage, QPainter), so reports and tools can draw without widgets.

#include "chart_scale.h"
#include "chart_types.h"

#include <QFont>
#include <QImage>
#include <QPainter>

namespace kestrova {

// Draws the chart. The first drawing after InitChart expects a white surface of its final size;
// later drawings in live mode add only what the new samples changed.
void DrawChart(QImage &surface, ChartMode mode, TGrafico &chart, const TDados &samples);

// Draws the curves (kind "L": the first only) from point 1 (fromStart) or from the chart's
// firstPoint. Segments are laid point by point across all curves, so a chart drawn in steps and
// one drawn at once put the same segments in the same order. Nothing leaves the plot interior.
void DrawCurves(QPainter &painter, const TGrafico &chart, bool fromStart);

// The fonts of the charts: Courier New 7 and Arial 8/10 at 96 dots per inch, falling back to
// their metric-compatible Liberation faces where the originals are not installed.
QFont ChartLabelFont();                 // Courier New 7 regular
QFont ChartArialFont(int points, bool bold);

// A surface for DrawChart: 32-bit, cleared to white.
QImage NewChartSurface(int width, int height);

} // namespace kestrova
