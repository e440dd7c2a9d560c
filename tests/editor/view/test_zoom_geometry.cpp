// The zoomed view's arithmetic: the order of the zoom levels, where the
// viewport and scroll bars go, which cell a point shows, and the scale of
// the true-size preview.
#include <gtest/gtest.h>

#include "ZoomedView.h"

namespace {

const ViewRegion DesignRegion{0, 0, 489, 527};
constexpr int Bar = 16;

TEST(ZoomGeometry, ZoomLevelsRunThroughTheStepsWithTheFittedViewInItsPlace)
{
    struct Case {
        int current;
        float fitted;
        int direction;
        int expected;
    };
    const Case cases[] = {
        {FittedZoom, 2.0291667f, +1, 3}, // 240 x 128 in the designed region
        {FittedZoom, 2.0291667f, -1, 2},
        {2, 2.0291667f, -1, 2}, // the smallest step: nothing further
        {2, 2.0291667f, +1, FittedZoom},
        {64, 2.0291667f, +1, 64}, // the largest step
        {48, 2.0291667f, +1, 64},
        {FittedZoom, 30.4375f, +1, 32}, // 16 x 16
        {FittedZoom, 30.4375f, -1, 24},
        {24, 30.4375f, +1, FittedZoom},
        {32, 30.4375f, -1, FittedZoom},
        {FittedZoom, 487.0f, +1, FittedZoom}, // 1 x 1: larger than every step
        {FittedZoom, 487.0f, -1, 64},
        {FittedZoom, 8.0f, +1, 12}, // a step as large as the fitted view gives way to it
        {12, 8.0f, -1, FittedZoom},
        {FittedZoom, 8.0f, -1, 6},
        {FittedZoom, 0.5f, -1, FittedZoom}, // a tiny window: no smaller level
        {FittedZoom, -1.0f, +1, 2},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NextZoom(c.current, c.fitted, c.direction), c.expected)
            << "from " << c.current << " fitted " << c.fitted << " direction " << c.direction;
    }
}

TEST(ZoomGeometry, LargestSpriteAtZoom8NeedsBothBarsInsideTheRegion)
{
    const ZoomedLayout layout = LayOutZoomedView(DesignRegion, {240, 128}, 8, false, Bar);
    EXPECT_TRUE(layout.gridLines);
    EXPECT_EQ(layout.contentWidth, 1921); // 240 cells and the closing line
    EXPECT_EQ(layout.contentHeight, 1025);
    EXPECT_EQ(layout.viewport.left, 1);
    EXPECT_EQ(layout.viewport.top, 1);
    EXPECT_EQ(layout.viewport.width, 487 - Bar);
    EXPECT_EQ(layout.viewport.height, 525 - Bar);
    EXPECT_EQ(layout.verticalBar.left, 1 + 471);
    EXPECT_EQ(layout.verticalBar.width, Bar);
    EXPECT_EQ(layout.horizontalBar.top, 1 + 509);
    EXPECT_EQ(layout.horizontalBar.height, Bar);
    // The bars end inside the region's one-pixel ring.
    EXPECT_EQ(layout.verticalBar.left + layout.verticalBar.width, 488);
    EXPECT_EQ(layout.horizontalBar.top + layout.horizontalBar.height, 526);
    EXPECT_EQ(layout.maxScrollX, 1921 - 471);
    EXPECT_EQ(layout.maxScrollY, 1025 - 509);

    // True colors have no lines, hence no closing line.
    const ZoomedLayout plain = LayOutZoomedView(DesignRegion, {240, 128}, 8, true, Bar);
    EXPECT_FALSE(plain.gridLines);
    EXPECT_EQ(plain.contentWidth, 1920);
    EXPECT_FALSE(LayOutZoomedView(DesignRegion, {240, 128}, 3, false, Bar).gridLines);
}

TEST(ZoomGeometry, OneBarCanMakeTheOtherNecessary)
{
    // 60 x 70 cells of 8: the grid is 481 wide, fits the inner 487, but not
    // beside the vertical bar that its 561 rows need.
    const ZoomedLayout layout = LayOutZoomedView(DesignRegion, {60, 70}, 8, false, Bar);
    EXPECT_EQ(layout.horizontalBar.height, Bar);
    EXPECT_EQ(layout.verticalBar.width, Bar);
    // A grid that fits needs neither.
    const ZoomedLayout fits = LayOutZoomedView(DesignRegion, {16, 16}, 8, false, Bar);
    EXPECT_EQ(fits.horizontalBar.width * fits.horizontalBar.height, 0);
    EXPECT_EQ(fits.verticalBar.width * fits.verticalBar.height, 0);
    EXPECT_EQ(fits.maxScrollX, 0);
    EXPECT_EQ(fits.viewport.width, 487);
}

TEST(ZoomGeometry, PointsMapToTheCellTheyShowAndBesideTheViewportToNothing)
{
    const ZoomedLayout layout = LayOutZoomedView(DesignRegion, {240, 128}, 8, false, Bar);
    const Point size{240, 128};
    struct Case {
        Point scroll;
        Point window;
        Point cell;
    };
    const Case cases[] = {
        {{0, 0}, {1, 1}, {0, 0}},
        {{0, 0}, {8, 8}, {0, 0}},
        {{0, 0}, {9, 9}, {1, 1}},                 // the next cell's line is that cell's
        {{0, 0}, {0, 0}, {-1, -1}},               // the ring
        {{5, 3}, {1, 1}, {0, 0}},                 // part-shown first cells
        {{5, 3}, {4, 6}, {1, 1}},                 // content (8, 8)
        {{1450, 516}, {470, 508}, {239, 127}},    // the last cell's last pixel
        {{1450, 516}, {471, 509}, {-1, -1}},      // the closing lines
        {{1450, 516}, {472, 100}, {-1, 76}},      // over the vertical bar
        {{1450, 516}, {100, 510}, {193, -1}},     // over the horizontal bar
        {{99999, 99999}, {470, 508}, {239, 127}}, // scroll offsets are held within range
        {{-50, -50}, {1, 1}, {0, 0}},
    };
    for (const Case& c : cases) {
        const Point cell = ZoomedCellAt(layout, c.scroll, size, c.window);
        EXPECT_EQ(cell.x, c.cell.x) << "window " << c.window.x << "," << c.window.y;
        EXPECT_EQ(cell.y, c.cell.y) << "window " << c.window.x << "," << c.window.y;
    }
    // The closing line belongs to no cell.
    const ZoomedLayout small = LayOutZoomedView(DesignRegion, {4, 4}, 8, false, Bar);
    EXPECT_EQ(ZoomedCellAt(small, {0, 0}, {4, 4}, {33, 33}).x, -1);
    EXPECT_EQ(ZoomedCellAt(small, {0, 0}, {4, 4}, {32, 32}).x, 3);
}

TEST(ZoomGeometry, ARegionShrunkToNothingHasAnEmptyViewport)
{
    const ViewRegion regions[] = {{0, 0, 0, 0}, {0, 0, 2, 2}, {0, 0, 10, 10}, {0, 0, -30, 527}, {5, 5, 1, 400}};
    for (const ViewRegion& region : regions) {
        const ZoomedLayout layout = LayOutZoomedView(region, {240, 128}, 64, false, Bar);
        EXPECT_GE(layout.viewport.width, 0);
        EXPECT_GE(layout.viewport.height, 0);
        // Nothing reaches past the region.
        EXPECT_LE(layout.viewport.left + layout.viewport.width, region.left + std::max(region.width, 1));
        EXPECT_LE(layout.verticalBar.left + layout.verticalBar.width, region.left + std::max(region.width, 1));
        EXPECT_LE(layout.horizontalBar.top + layout.horizontalBar.height, region.top + std::max(region.height, 1));
        const Point cell = ZoomedCellAt(layout, {0, 0}, {240, 128}, {region.left + 1, region.top + 1});
        if (layout.viewport.width == 0) {
            EXPECT_EQ(cell.x, -1);
        }
    }
}

TEST(ZoomGeometry, ZoomingKeepsTheAnchoredCellUnderThePoint)
{
    const ZoomedLayout layout = LayOutZoomedView(DesignRegion, {240, 128}, 16, false, Bar);
    // The point (300, 200) over cell (147.3..., 98.0...) of the fitted view.
    const CellPosition fitted = FittedCellPosition(DesignRegion, 2.0291667f, {300, 200});
    const Point scroll = ScrollShowingAt(layout, fitted, {300, 200});
    const Point cell = ZoomedCellAt(layout, scroll, {240, 128}, {300, 200});
    EXPECT_EQ(cell.x, 147);
    EXPECT_EQ(cell.y, 98);
    // Back out to 2 pixels a cell the whole grid fits: the range holds the
    // scroll at 0.
    const ZoomedLayout whole = LayOutZoomedView(DesignRegion, {240, 128}, 2, false, Bar);
    const Point none = ScrollShowingAt(whole, ZoomedCellPosition(layout, scroll, {300, 200}), {300, 200});
    EXPECT_EQ(none.x, 0);
    EXPECT_EQ(none.y, 0);
}

TEST(ZoomGeometry, TrueSizeTakesTheLargestWholeScaleThatFits)
{
    struct Case {
        ViewRegion region;
        Point size;
        TrueSizePlacement expected;
    };
    const Case cases[] = {
        {{0, 0, 192, 208}, {16, 16}, {12, 0, 8}},   {{0, 0, 192, 208}, {96, 64}, {2, 0, 40}},
        {{0, 0, 192, 208}, {95, 64}, {2, 1, 40}},   {{0, 0, 480, 300}, {240, 128}, {2, 0, 22}},
        {{0, 0, 192, 208}, {240, 128}, {1, 0, 40}}, // wider than the region: cut, not shrunk
        {{10, 20, 0, 0}, {16, 16}, {1, 10, 20}},
    };
    for (const Case& c : cases) {
        const TrueSizePlacement placement = PlaceTrueSize(c.region, c.size);
        EXPECT_EQ(placement.scale, c.expected.scale) << c.size.x << " x " << c.size.y;
        EXPECT_EQ(placement.left, c.expected.left) << c.size.x << " x " << c.size.y;
        EXPECT_EQ(placement.top, c.expected.top) << c.size.x << " x " << c.size.y;
    }
}

} // namespace
