#pragma once

// The layout rules of the main window, as plain arithmetic so they can be checked without a window.

namespace kestrova {

struct LeftColumnLayout
{
    int gap = 8;           // pixels between value panels (and above the first)
    int panelHeight = 0;
};

// Value panels of the left column for its height; fcMed: the FC Med panel is shown (five rows
// above the shared load place instead of four).
LeftColumnLayout ComputeLeftColumn(int height, bool fcMed);

// Font size (points) of instFC30s for the main window's width.
int FC30sFontSize(int windowWidth);

// Height of instVE (and every other value label) for its panel height: the band above it takes 25.
inline constexpr int ValueBandHeight = 25;
inline int ValueLabelHeight(int panelHeight) { return panelHeight - ValueBandHeight; }
// Font size (points) of the value labels for their height.
int ValueFontSize(int valueHeight);

// Width of lbBarraEspaco, the spacer that pushes the status icons, clock and logo to the right
// (may be negative when the window is narrow; the widget then takes 0).
int SpacerWidth(int toolbarWidth, int toolbarButtonWidth);

} // namespace kestrova
