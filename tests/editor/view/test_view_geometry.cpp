#include <gtest/gtest.h>

#include "ViewGeometry.h"

namespace {

Sprite SpriteOfSize(int width, int height)
{
    return Sprite({width, height});
}

TEST(ViewGeometry, CellSizeFitsTheShorterSideLessTheRing)
{
    const ViewRegion region{0, 0, 489, 527};
    EXPECT_EQ(CellSize(region, {16, 16}), 30.4375f);
    EXPECT_EQ(CellSize(region, {240, 128}), 2.0291667f);
    EXPECT_EQ(CellSize(region, {1, 1}), 487.0f);
    EXPECT_EQ(CellSize({0, 0, 322, 322}, {16, 16}), 20.0f);
    EXPECT_LE(CellSize({0, 0, 2, 50}, {16, 16}), 0.0f);
}

TEST(ViewGeometry, ColumnBoundariesOfSixteenCellsIn489x527)
{
    const ViewRegion region{0, 0, 489, 527};
    const float cell = CellSize(region, {16, 16});
    const int expected[17] = {1, 31, 61, 92, 122, 153, 183, 214, 244, 274, 305, 335, 366, 396, 427, 457, 488};
    for (int i = 0; i <= 16; ++i) {
        EXPECT_EQ(ColumnBoundary(region, cell, i), expected[i]) << "column " << i;
        EXPECT_EQ(RowBoundary(region, cell, i), expected[i]) << "row " << i;
    }
}

TEST(ViewGeometry, FullStorageEndsAtColumn488AndRow260)
{
    const ViewRegion region{0, 0, 489, 527};
    const float cell = CellSize(region, {240, 128});
    EXPECT_EQ(ColumnBoundary(region, cell, 240), 488);
    EXPECT_EQ(RowBoundary(region, cell, 128), 260);
}

TEST(ViewGeometry, PointToCellOnEachAxis)
{
    const Sprite sprite = SpriteOfSize(16, 16);
    struct Case {
        ViewRegion region;
        Point point;
        Point cell;
    };
    const Case cases[] = {
        {{0, 0, 322, 322}, {0, 0}, {-1, -1}},     // on the ring
        {{0, 0, 322, 322}, {1, 1}, {0, 0}},       // first pixel of the grid
        {{0, 0, 322, 322}, {21, 20}, {1, 0}},     // a boundary goes to the higher cell
        {{0, 0, 322, 322}, {321, 321}, {15, 15}}, // last grid line still inside
        {{0, 0, 322, 322}, {322, 5}, {-1, 0}},    // beside the grid on x only
        {{0, 0, 322, 400}, {5, 350}, {0, -1}},    // below the grid on y only
        {{0, 0, 322, 322}, {-7, -300}, {-1, -1}}, // far outside
        {{100, 50, 322, 322}, {101, 51}, {0, 0}}, // region not at the origin
        {{100, 50, 322, 322}, {100, 51}, {-1, 0}},
    };
    for (const Case& c : cases) {
        const Point cell = CellAtPoint(c.region, sprite, c.point);
        EXPECT_EQ(cell.x, c.cell.x) << "point " << c.point.x << "," << c.point.y;
        EXPECT_EQ(cell.y, c.cell.y) << "point " << c.point.x << "," << c.point.y;
    }
}

TEST(ViewGeometry, RegionTooSmallForAGridMapsNothing)
{
    const Point cell = CellAtPoint({0, 0, 2, 2}, SpriteOfSize(16, 16), {1, 1});
    EXPECT_EQ(cell.x, -1);
    EXPECT_EQ(cell.y, -1);
}

} // namespace
