#pragma once

// Loading of samples into a chart description and the choice of its scales and layout.
// Everything here is plain arithmetic on TGrafico; drawing lives in chart_draw.h.

#include "chart_types.h"

namespace kestrova {

// Resets a description: level 1 everything, 2 the series, 3 the loaded data, 4 points first..last.
void InitChart(int level, int first, int last, TGrafico &chart);

// Margins, rows and columns for a surface of width x height.
void LayoutChart(TGrafico &chart, int width, int height);

// Time axis from 0 to end seconds; returns true when the end grew.
bool ScaleTimeAxis(TGrafico &chart, ChartMode mode, double end);

// Scale of value series s for the data range m .. M.
void ScaleValueAxis(TGrafico &chart, int s, double M, double m);

// End of the time axis for the latest sample time t (seconds), before ScaleTimeAxis rounds it.
double ChartTimeEnd(ChartMode mode, double t);

struct ChartLoadResult
{
    bool timeChanged = false;
    bool valueChanged = false;
    bool reloaded = false;   // samples went back: everything was loaded again from sample 1
};

// Appends the samples not loaded yet (all of them outside live mode) and rescales what grew.
// fullDrawing: the drawing that follows redraws everything, so every scale is recomputed.
ChartLoadResult LoadChartSamples(TGrafico &chart, ChartMode mode, const TDados &samples, bool fullDrawing);

// A value as a scale label: "%6.1f" and the like, decimal comma, blanks kept.
QString ChartFormat(const QString &pattern, double value);
// The value as the label shows it, read back as a number.
double ChartRoundTrip(const QString &pattern, double value);

} // namespace kestrova
