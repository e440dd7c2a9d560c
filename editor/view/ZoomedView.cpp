#include "ZoomedView.h"

#include <algorithm>
#include <cmath>

namespace {

// The viewport's share of one axis: the scroll bar across it takes room only
// when it is shown.
int ViewportExtent(int inner, bool barAcross, int barExtent)
{
    return std::max(inner - (barAcross ? barExtent : 0), 0);
}

// Content coordinate of a window coordinate, or -1 outside the viewport.
int ContentCoordinate(int viewportStart, int viewportExtent, int scroll, int coordinate)
{
    if (coordinate < viewportStart || coordinate >= viewportStart + viewportExtent)
        return -1;
    return coordinate - viewportStart + scroll;
}

int CellOnZoomedAxis(int content, int cellPixels, int count)
{
    if (content < 0 || content >= cellPixels * count)
        return -1;
    return content / cellPixels;
}

int ScrollShowing(double cells, int cellPixels, int anchorOffset, int maxScroll)
{
    // Rounding down keeps the anchor inside the same cell.
    const int content = static_cast<int>(std::floor(cells * cellPixels));
    return std::clamp(content - anchorOffset, 0, maxScroll);
}

} // namespace

bool IsZoomStep(int cellPixels)
{
    return std::find(ZoomSteps.begin(), ZoomSteps.end(), cellPixels) != ZoomSteps.end();
}

int NextZoom(int current, float fittedCellSize, int direction)
{
    const double currentSize = current == FittedZoom ? fittedCellSize : current;
    int next = current;
    double nextSize = direction > 0 ? HUGE_VAL : -HUGE_VAL;
    auto consider = [&](int level, double size) {
        const bool beyond = direction > 0 ? size > currentSize : size < currentSize;
        const bool nearer = direction > 0 ? size < nextSize : size > nextSize;
        if (beyond && nearer) {
            next = level;
            nextSize = size;
        }
    };
    if (direction == 0)
        return current;
    for (int step : ZoomSteps) {
        if (step != fittedCellSize)
            consider(step, step);
    }
    if (current != FittedZoom)
        consider(FittedZoom, fittedCellSize);
    return next;
}

ZoomedLayout LayOutZoomedView(const ViewRegion& region, Point spriteSize, int cellPixels, bool trueColors,
                              int barExtent)
{
    ZoomedLayout layout{};
    layout.cellPixels = std::max(cellPixels, 1);
    layout.gridLines = !trueColors && layout.cellPixels >= SmallestLinedCell;
    const int closingLine = layout.gridLines ? 1 : 0;
    layout.contentWidth = std::max(spriteSize.x, 0) * layout.cellPixels + closingLine;
    layout.contentHeight = std::max(spriteSize.y, 0) * layout.cellPixels + closingLine;

    const int innerWidth = std::max(region.width - 2, 0);
    const int innerHeight = std::max(region.height - 2, 0);
    // Each bar narrows the other axis, which may then need its bar too.
    bool horizontal = layout.contentWidth > innerWidth;
    bool vertical = layout.contentHeight > innerHeight;
    horizontal = horizontal || (vertical && layout.contentWidth > innerWidth - barExtent);
    vertical = vertical || (horizontal && layout.contentHeight > innerHeight - barExtent);

    const int viewportWidth = ViewportExtent(innerWidth, vertical, barExtent);
    const int viewportHeight = ViewportExtent(innerHeight, horizontal, barExtent);
    layout.viewport = {region.left + 1, region.top + 1, viewportWidth, viewportHeight};
    if (horizontal) {
        layout.horizontalBar = {layout.viewport.left, layout.viewport.top + viewportHeight, viewportWidth,
                                std::min(barExtent, innerHeight)};
    }
    if (vertical) {
        layout.verticalBar = {layout.viewport.left + viewportWidth, layout.viewport.top,
                              std::min(barExtent, innerWidth), viewportHeight};
    }
    layout.maxScrollX = std::max(layout.contentWidth - viewportWidth, 0);
    layout.maxScrollY = std::max(layout.contentHeight - viewportHeight, 0);
    return layout;
}

Point ClampScroll(const ZoomedLayout& layout, Point scroll)
{
    return {std::clamp(scroll.x, 0, layout.maxScrollX), std::clamp(scroll.y, 0, layout.maxScrollY)};
}

Point ZoomedCellAt(const ZoomedLayout& layout, Point scroll, Point spriteSize, Point windowPoint)
{
    const Point offset = ClampScroll(layout, scroll);
    const ViewRegion& viewport = layout.viewport;
    const int contentX = ContentCoordinate(viewport.left, viewport.width, offset.x, windowPoint.x);
    const int contentY = ContentCoordinate(viewport.top, viewport.height, offset.y, windowPoint.y);
    return {CellOnZoomedAxis(contentX, layout.cellPixels, spriteSize.x),
            CellOnZoomedAxis(contentY, layout.cellPixels, spriteSize.y)};
}

CellPosition FittedCellPosition(const ViewRegion& region, float cellSize, Point windowPoint)
{
    if (cellSize <= 0.0f)
        return {0.0, 0.0};
    return {(windowPoint.x - region.left - 1) / static_cast<double>(cellSize),
            (windowPoint.y - region.top - 1) / static_cast<double>(cellSize)};
}

CellPosition ZoomedCellPosition(const ZoomedLayout& layout, Point scroll, Point windowPoint)
{
    const Point offset = ClampScroll(layout, scroll);
    return {static_cast<double>(windowPoint.x - layout.viewport.left + offset.x) / layout.cellPixels,
            static_cast<double>(windowPoint.y - layout.viewport.top + offset.y) / layout.cellPixels};
}

Point ScrollShowingAt(const ZoomedLayout& layout, CellPosition position, Point anchor)
{
    return {ScrollShowing(position.x, layout.cellPixels, anchor.x - layout.viewport.left, layout.maxScrollX),
            ScrollShowing(position.y, layout.cellPixels, anchor.y - layout.viewport.top, layout.maxScrollY)};
}

Point ViewportCentre(const ViewRegion& viewport)
{
    return {viewport.left + viewport.width / 2, viewport.top + viewport.height / 2};
}

TrueSizePlacement PlaceTrueSize(const ViewRegion& region, Point spriteSize)
{
    if (spriteSize.x <= 0 || spriteSize.y <= 0)
        return {1, region.left, region.top};
    const int scale = std::max(std::min(region.width / spriteSize.x, region.height / spriteSize.y), 1);
    return {scale, region.left + std::max(region.width - scale * spriteSize.x, 0) / 2,
            region.top + std::max(region.height - scale * spriteSize.y, 0) / 2};
}

CellEdges CellEdges::Fitted(const ViewRegion& region, Point spriteSize)
{
    return CellEdges(false, region, CellSize(region, spriteSize));
}

CellEdges CellEdges::Zoomed(const ZoomedLayout& layout, Point scroll)
{
    const Point offset = ClampScroll(layout, scroll);
    return CellEdges(true, {layout.viewport.left - offset.x, layout.viewport.top - offset.y, 0, 0},
                     static_cast<float>(layout.cellPixels));
}

int CellEdges::Column(int x) const
{
    return zoomed_ ? region_.left + x * static_cast<int>(cellSize_) : ColumnBoundary(region_, cellSize_, x);
}

int CellEdges::Row(int y) const
{
    return zoomed_ ? region_.top + y * static_cast<int>(cellSize_) : RowBoundary(region_, cellSize_, y);
}
