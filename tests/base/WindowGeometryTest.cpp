#include <gtest/gtest.h>

#include <array>
#include <utility>

#include "base/WindowGeometry.h"

TEST(WindowGeometry, FreeAreaLeavesOutOnlyTheVisibleBars) {
    const FrameFreeArea both = ComputeFreeArea(1000, 700, true, 38, true, 20);
    EXPECT_EQ(
        (std::array<int, 4>{both.width, both.height, both.toolBarHeight, both.statusBarHeight}),
        (std::array<int, 4>{1000, 642, 38, 20}));
    EXPECT_EQ(ComputeFreeArea(1000, 700, false, 38, true, 20).height, 680);
    EXPECT_EQ(ComputeFreeArea(1000, 700, false, 38, false, 20).height, 700);
}

TEST(WindowGeometry, PlacementRecordMapsTheNormalGeometryAndShowState) {
    const WindowGeometry geometry{10, 20, 800, 600, kShowMaximized};
    const WindowPlacement placement = PlacementFromGeometry(geometry);
    EXPECT_EQ(placement, (WindowPlacement{44, 0, 3, -1, -1, -1, -1, 10, 20, 810, 620}));
    EXPECT_EQ(GeometryFromPlacement(placement), geometry);
}

TEST(WindowGeometry, ADamagedPlacementIsNotApplied) {
    WindowPlacement empty;
    EXPECT_FALSE(GeometryFromPlacement(empty).has_value());
    WindowPlacement inverted = PlacementFromGeometry({100, 100, 10, 10, 1});
    std::swap(inverted.left, inverted.right);
    EXPECT_FALSE(GeometryFromPlacement(inverted).has_value());
    WindowPlacement huge = PlacementFromGeometry({0, 0, 10, 10, 1});
    huge.left = -2147483647 - 1;
    EXPECT_FALSE(GeometryFromPlacement(huge).has_value());
    WindowPlacement oddShow = PlacementFromGeometry({0, 0, 10, 10, 7});
    EXPECT_EQ(GeometryFromPlacement(oddShow)->showCmd, kShowNormal);
}

TEST(WindowGeometry, DialogUnitsAreQuarterAndEighthOfTheFontCell) {
    const DialogBaseUnits base{7, 16};
    EXPECT_EQ(DialogUnitsToPixelsX(4, base), 7);
    EXPECT_EQ(DialogUnitsToPixelsY(8, base), 16);
    EXPECT_EQ(DialogUnitsToPixelsX(1, base), 2); // 1.75 rounds up
}
