#include "ViewGeometry.h"

#include <algorithm>

namespace {

// Grid lines start one pixel inside the region; the products of a float cell
// size and an index below 256 are exact in double, so only the final
// truncation rounds.
double GridLine(int regionStart, float cellSize, int index)
{
    return static_cast<double>(index) * static_cast<double>(cellSize) + regionStart + 1;
}

// Later indices win, so a point on a shared boundary maps to the higher cell.
int CellOnAxis(int regionStart, float cellSize, int count, int coordinate)
{
    int cell = -1;
    for (int i = 0; i < count; ++i) {
        if (GridLine(regionStart, cellSize, i) <= coordinate && coordinate <= GridLine(regionStart, cellSize, i + 1))
            cell = i;
    }
    return cell;
}

} // namespace

float CellSize(const ViewRegion& region, Point spriteSize)
{
    const int longerSide = std::max(spriteSize.x, spriteSize.y);
    const int usable = std::min(region.width - 2, region.height - 2);
    if (longerSide <= 0)
        return 0.0f;
    return static_cast<float>(usable) / static_cast<float>(longerSide);
}

int ColumnBoundary(const ViewRegion& region, float cellSize, int i)
{
    return static_cast<int>(GridLine(region.left, cellSize, i));
}

int RowBoundary(const ViewRegion& region, float cellSize, int j)
{
    return static_cast<int>(GridLine(region.top, cellSize, j));
}

Point CellAtPoint(const ViewRegion& region, const Sprite& sprite, Point windowPoint)
{
    const Point size = sprite.GetSize();
    const float cellSize = CellSize(region, size);
    if (cellSize <= 0.0f)
        return {-1, -1};
    return {CellOnAxis(region.left, cellSize, size.x, windowPoint.x),
            CellOnAxis(region.top, cellSize, size.y, windowPoint.y)};
}
