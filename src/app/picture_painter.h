#pragma once

// The program's pictures, drawn with QPainter so they stay sharp at any size and need no files.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>

namespace kestrova {

inline const QColor Navy(0, 0, 128);
inline const QColor InkBlue(27, 47, 91);
inline const QColor FrameTop(196, 98, 0);
inline const QColor FrameBottom(140, 62, 0);
inline const QColor FrameEdge(96, 40, 0);
inline const QColor PanelFace(255, 248, 232);

// Arial, or its metric-compatible Liberation Sans where Arial is not installed.
QFont ArialFont(int pointSize, bool bold = false);
// Courier New, or Liberation Mono.
QFont CourierFont(int pointSize, bool bold = false);
QFont ArialPixelFont(int pixelSize, bool bold = false);

// Drawings by their name in the image store ("imCadAvaliadosE" and "imCadAvaliadosMenu" are the
// same drawing "CadAvaliados"). An unknown name gives a null image.
QImage DrawIcon(const QString &drawing, int size);
// A grey, faded copy: the disabled variant of an icon.
QImage DisabledVariant(const QImage &image);

// state: "Verde", "Amarelo", "Vermelho", "Cinza", "Preto"; heartRate: the receiver's icon.
QImage DrawSensorIcon(const QString &state, bool heartRate, int size);
// state: "" (plain), "On", "Off", "Disabled".
QImage DrawHeartIcon(const QString &state, int size);

// The three pieces of the frame of a value panel, 25 pixels high.
QImage DrawFramePiece(int piece, int height = 25);   // 0 left corner, 1 centre, 2 right corner

QImage DrawLogo(int width, int height, bool withTagline);
QImage DrawAboutPicture(int width, int height);
QImage DrawProgressPicture(int size);
QImage DrawHeaderPicture(int width, int height);

} // namespace kestrova
