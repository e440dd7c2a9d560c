// The sprite views composed as images, row by row, and put on a window's
// surface in one piece: the fitted view of the design (grid mode and true
// colors), the zoomed view and the true-size preview. A band of screen rows
// that crosses the same cells looks the same from top to bottom but for a
// few rows (a cell's outline, a checker square), so each distinct row is
// composed once per band and copied to the others.
//
// With checkerMasked, masked cells show a light checkerboard inside their
// outline or grid lines (white and a light gray, or the screen's two
// lightest shades in true colors), in squares of a quarter cell, one pixel
// at least, laid over the whole grid; marked cells keep their mark in grid
// mode. Without it every view is as described below.
//
// Window coordinates throughout; nothing outside the pixels each function
// names is touched. The rows are composed straight into the surface when it
// is a 32-bit image the painter puts whole pixels on (the window's backing
// store); otherwise into one scratch image that serves every view (the
// windows are painted one at a time on the one GUI thread) and is then drawn.
#pragma once

#include <QRect>

#include "U_class.h"
#include "ViewGeometry.h"
#include "ZoomedView.h"

class QPainter;

inline ViewRegion ToViewRegion(const QRect& bounds)
{
    return {bounds.left(), bounds.top(), bounds.width(), bounds.height()};
}

inline QRect ToQRect(const ViewRegion& region)
{
    return QRect(region.left, region.top, region.width, region.height);
}

// Whether the fitted view's grid mode outlines its cells at that size: from
// SmallestLinedCell pixels a cell, as designed; a smaller cell would be all
// outline.
inline bool FittedCellsOutlined(float cellSize)
{
    return cellSize >= SmallestLinedCell;
}

// The fitted view for an already computed, positive cell size. Grid mode:
// every cell its rectangle between its column and row boundaries, outlined
// one pixel in blue, red when masked; smaller cells than FittedCellsOutlined
// allows are filled whole, a masked one checkered in red and its color.
// True colors: the same rectangles shifted one pixel up and left, filled
// with no outline.
void DrawFittedView(QPainter& painter, const ViewRegion& region, float cellSize, const Sprite& sprite, bool trueColors,
                    bool checkerMasked = false);

// The fitted view at the cell size that fits the sprite into the region;
// nothing in a region too small for a cell.
void DrawFittedSprite(QPainter& painter, const ViewRegion& region, const Sprite& sprite, bool trueColors,
                      bool checkerMasked = false);

// The viewport of a zoomed view at the given scroll offset (held within the
// layout's range). Grid mode: cells in the plain palette with their left and
// top edges as one-pixel lines when the layout has them, blue, and red on
// every edge of a masked cell; with cells too small for lines a masked cell
// is a checkerboard of its color and red. True colors: no lines, and masked
// cells a checkerboard of the screen's background shades.
void DrawZoomedView(QPainter& painter, const ZoomedLayout& layout, Point scroll, const Sprite& sprite, bool trueColors,
                    bool checkerMasked = false);

// The sprite at its placement's scale, one square of scale x scale screen
// pixels per pixel, in the calculator's colors, masked pixels as the
// screen's background; cut at the region's edges.
void DrawTrueSizeView(QPainter& painter, const ViewRegion& region, const Sprite& sprite, bool checkerMasked = false);
