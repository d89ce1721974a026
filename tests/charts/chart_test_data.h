#pragma once

#include "chart_types.h"

#include <QImage>

#include <memory>

namespace kestrova::testdata {

// A simulated test: n samples every interval seconds, VE rising with some breathing noise,
// VE per-minute mean at whole minutes, FC rising, FC Med and VO2 following.
std::unique_ptr<TDados> SimulatedTest(int n, int interval = 10);

// Fills one sample with a given time and quantity values.
void SetSample(TDados &d, int i, int seconds, double ve, uint16_t fc = 0);

// Number of pixels of the image that differ from white inside / outside the rectangle.
int CountNonWhite(const QImage &image, const QRect &area);
int CountNonWhiteOutside(const QImage &image, const QRect &area);

} // namespace kestrova::testdata
