#include "principal_layout.h"

#include <gtest/gtest.h>

using namespace kestrova;

TEST(MainWindowLayout, LeftColumnPanelHeightAndGap)
{
    struct Case
    {
        const char *name;
        int height;
        bool fcMed;
        int gap;
        int panelHeight;
    };
    const Case cases[] = {
        {"five rows, short column: gap 8", 600, true, 8, 82},
        {"five rows, tall column: gap 50 capped to 30", 900, true, 30, 100},
        {"five rows, at the switch (H - 190 = 500)", 690, true, 8, 100},
        {"five rows, just below the switch", 689, true, 8, 99},
        {"four rows, short column", 500, false, 8, 85},
        {"four rows, tall column below the cap", 640, false, 23, 105},
        {"four rows, very tall column capped", 1000, false, 30, 105},
        {"four rows, at the switch (H - 157 = 420)", 577, false, 8, 105},
    };
    for (const Case &c : cases) {
        const LeftColumnLayout l = ComputeLeftColumn(c.height, c.fcMed);
        EXPECT_EQ(l.gap, c.gap) << c.name;
        EXPECT_EQ(l.panelHeight, c.panelHeight) << c.name;
    }
}

TEST(MainWindowLayout, FC30sFontSizeByWindowWidth)
{
    const std::pair<int, int> cases[] = {{1000, 26}, {1023, 26}, {1024, 22}, {1100, 22}, {1279, 22},
                                         {1280, 24}, {1360, 24}, {1361, 26}, {1920, 26}};
    for (const auto &[width, size] : cases)
        EXPECT_EQ(FC30sFontSize(width), size) << "width " << width;
}

TEST(MainWindowLayout, ValueFontSizeByLabelHeight)
{
    const std::pair<int, int> cases[] = {{10, 32}, {19, 32}, {20, 26}, {29, 26}, {30, 28}, {33, 28},
                                         {34, 30}, {35, 30}, {36, 32}, {80, 32}};
    for (const auto &[height, size] : cases)
        EXPECT_EQ(ValueFontSize(height), size) << "height " << height;
    EXPECT_EQ(ValueLabelHeight(105), 80);
}

TEST(MainWindowLayout, SpacerTakesWhatTheButtonsAndRightGroupLeave)
{
    EXPECT_EQ(SpacerWidth(1366, 40), 1366 - 884);
    EXPECT_LT(SpacerWidth(652, 40), 0);
}
