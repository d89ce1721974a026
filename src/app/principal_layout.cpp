#include "principal_layout.h"

#include <algorithm>

namespace kestrova {

LeftColumnLayout ComputeLeftColumn(int height, bool fcMed)
{
    LeftColumnLayout l;
    if (fcMed) {
        if (height - 190 < 500) {
            l.gap = 8;
            l.panelHeight = (height - 190) / 5;
        } else {
            l.gap = (height - 650) / 5;
            l.panelHeight = 100;
        }
    } else {
        if (height - 157 < 420) {
            l.gap = 8;
            l.panelHeight = (height - 157) / 4;
        } else {
            l.gap = (height - 545) / 4;
            l.panelHeight = 105;
        }
    }
    l.gap = std::min(l.gap, 30);
    return l;
}

int FC30sFontSize(int windowWidth)
{
    if (windowWidth >= 1024 && windowWidth <= 1279)
        return 22;
    if (windowWidth >= 1280 && windowWidth <= 1360)
        return 24;
    return 26;
}

int ValueFontSize(int valueHeight)
{
    if (valueHeight >= 20 && valueHeight <= 29)
        return 26;
    if (valueHeight >= 30 && valueHeight <= 33)
        return 28;
    if (valueHeight == 34 || valueHeight == 35)
        return 30;
    return 32;
}

int SpacerWidth(int toolbarWidth, int toolbarButtonWidth)
{
    return toolbarWidth - (10 * toolbarButtonWidth + 484);
}

} // namespace kestrova
