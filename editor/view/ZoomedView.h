// The main view zoomed to a whole number of screen pixels per cell, and the
// preview at the calculator's own scale. Window coordinates are client pixels
// of the window that holds the region; content coordinates are pixels of the
// whole zoomed grid, (0, 0) at the top-left of cell (0, 0), of which the
// viewport shows the part that starts at the scroll offset. Like the fitted
// view's geometry, everything here is plain arithmetic recomputed from the
// current sizes, so drawing and mouse mapping always agree.
#pragma once

#include <array>

#include "ViewGeometry.h"

// Zoom levels in screen pixels per cell. Whole numbers, so that every cell
// of a row has the same width.
inline constexpr std::array<int, 11> ZoomSteps{2, 3, 4, 6, 8, 12, 16, 24, 32, 48, 64};
// The zoom level of the designed view, fitted to the region.
inline constexpr int FittedZoom = 0;
// Below this cell size a one-pixel line would cover a third or more of a
// cell, so neither the zoomed grid nor the fitted one draws lines.
inline constexpr int SmallestLinedCell = 4;

bool IsZoomStep(int cellPixels);

// The zoom level one step in (direction > 0) or out (direction < 0) from
// `current`. The fitted view is one of the levels, placed among the steps by
// its cell size (a step of the same size gives way to it), so zooming back
// passes through it. At either end the level stays as it is.
int NextZoom(int current, float fittedCellSize, int direction);

struct ZoomedLayout {
    int cellPixels;
    // Each cell's left and top edge is a one-pixel line, and one more line
    // closes the grid on the right and at the bottom: in grid mode, with
    // cells of SmallestLinedCell pixels or more.
    bool gridLines;
    // Where cells show: the region less its one-pixel ring, less the scroll
    // bars. Empty (width or height 0) when the region is too small.
    ViewRegion viewport;
    // The whole grid, closing lines included.
    int contentWidth;
    int contentHeight;
    // Along the viewport's bottom and right edges; width and height 0 when
    // the grid fits without them.
    ViewRegion horizontalBar;
    ViewRegion verticalBar;
    // Scroll offsets run from 0 to these, both included.
    int maxScrollX;
    int maxScrollY;
};

// barExtent is the thickness of a scroll bar; true colors draw no lines.
ZoomedLayout LayOutZoomedView(const ViewRegion& region, Point spriteSize, int cellPixels, bool trueColors,
                              int barExtent);

// The scroll offset held within 0 .. maxScroll on each axis.
Point ClampScroll(const ZoomedLayout& layout, Point scroll);

// The cell shown at the window point, each axis on its own: -1 on an axis
// where the point lies outside the viewport or beside the grid.
Point ZoomedCellAt(const ZoomedLayout& layout, Point scroll, Point spriteSize, Point windowPoint);

// Where the edges of cells fall in the window, in the fitted view or a
// zoomed one: Column(x) is the first window pixel of column x of cells (its
// left grid line, where there is one), Column(count) the pixel after the last
// column; Row likewise. Marks drawn over the view (a selection, a cursor, the
// previous frame) use it to land on the cells shown.
class CellEdges {
public:
    static CellEdges Fitted(const ViewRegion& region, Point spriteSize);
    static CellEdges Zoomed(const ZoomedLayout& layout, Point scroll);

    // No cell shows (a region too small for the fitted grid).
    bool IsEmpty() const { return cellSize_ <= 0.0f; }
    bool IsZoomed() const { return zoomed_; }
    int Column(int x) const;
    int Row(int y) const;

private:
    CellEdges(bool zoomed, ViewRegion region, float cellSize) : zoomed_(zoomed), region_(region), cellSize_(cellSize) {}

    bool zoomed_;
    // Fitted: the region; zoomed: the window point of the grid's origin in left and top.
    ViewRegion region_;
    float cellSize_;
};

// A window point in cell units from the grid's origin (fractions tell where
// inside its cell the point lies), in the fitted view or a zoomed one.
struct CellPosition {
    double x;
    double y;
};
CellPosition FittedCellPosition(const ViewRegion& region, float cellSize, Point windowPoint);
CellPosition ZoomedCellPosition(const ZoomedLayout& layout, Point scroll, Point windowPoint);

// The scroll offset of `layout` that shows the cell position at the window
// point `anchor` again, held within the scroll range.
Point ScrollShowingAt(const ZoomedLayout& layout, CellPosition position, Point anchor);

// The centre of the viewport, or of the fitted view's region.
Point ViewportCentre(const ViewRegion& viewport);

// The preview at the largest whole scale at which the sprite fits the
// region, centred in it; at scale 1 when even that does not fit, from the
// region's top-left, and then cut at the region's edges.
struct TrueSizePlacement {
    int scale;
    int left;
    int top;
};
TrueSizePlacement PlaceTrueSize(const ViewRegion& region, Point spriteSize);
