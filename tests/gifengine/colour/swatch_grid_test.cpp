#include <gtest/gtest.h>

#include "gifengine/colour/swatch_grid.h"

using namespace gifengine::colour;

TEST(SwatchGrid, PointFindsSwatchByRowAndColumn) {
    EXPECT_EQ(SwatchAt(0, 0, 256), 0);
    EXPECT_EQ(SwatchAt(15, 15, 256), 0);
    EXPECT_EQ(SwatchAt(16, 0, 256), 1);
    EXPECT_EQ(SwatchAt(3 * 16 + 5, 2 * 16 + 9, 256), 35);
    EXPECT_EQ(SwatchAt(255, 255, 256), 255);
    const SwatchRect rect = SwatchRectOf(35);
    EXPECT_EQ(rect.x, 48);
    EXPECT_EQ(rect.y, 32);
    EXPECT_EQ(SwatchAt(rect.x + 8, rect.y + 8, 256), 35);
}

TEST(SwatchGrid, HiddenSwatchesAndOutsidePointsFindNothing) {
    EXPECT_EQ(SwatchAt(16 * 15, 0, 16), 15);
    EXPECT_EQ(SwatchAt(0, 16, 16), -1);    // entry 16 of a 16-entry table
    EXPECT_EQ(SwatchAt(256, 0, 256), -1);  // right of the last column
    EXPECT_EQ(SwatchAt(-1, 0, 256), -1);
    EXPECT_EQ(SwatchAt(0, 256, 256), -1);
    // A single row of 16 (the animation dialog's rows).
    EXPECT_EQ(SwatchAt(16 * 4, 0, 4, 16), -1);
    EXPECT_EQ(SwatchAt(16 * 3, 0, 4, 16), 3);
}

TEST(SwatchGrid, RolesMarkStoredBlueAndCurrentRed) {
    auto roles = SwatchRoles(3, 7);
    EXPECT_EQ(roles[3], SwatchRole::Stored);
    EXPECT_EQ(roles[7], SwatchRole::Current);
    EXPECT_EQ(roles[0], SwatchRole::Plain);
    EXPECT_EQ(SwatchRoles(5, 5)[5], SwatchRole::Current);
    roles = SwatchRoles(-1, 300);
    for (auto role : roles) EXPECT_EQ(role, SwatchRole::Plain);
    EXPECT_EQ(SwatchBorderColour(SwatchRole::Plain), 0xFFFFFF);
    EXPECT_EQ(SwatchBorderColour(SwatchRole::Stored), 0x0000FF);
    EXPECT_EQ(SwatchBorderColour(SwatchRole::Current), 0xFF0000);
}
