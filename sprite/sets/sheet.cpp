#include "sheet.h"

#include "TileMap.h"

namespace {

// Calls visit(column, row, cells) for each whole cell the slicing keeps.
template <typename Visit>
void ForEachKeptCell(const CellPicture& picture, const SliceGrid& grid, bool skipEmpty, Visit visit)
{
    const GridCells cells = CellsOfGrid(picture.width, picture.height, grid);
    std::vector<int8_t> pixels(static_cast<std::size_t>(grid.cell.x) * grid.cell.y);
    for (int row = 0; row < cells.rows; ++row)
        for (int column = 0; column < cells.columns; ++column) {
            CopyCell(picture, grid, column, row, pixels.data());
            if (!skipEmpty || !IsEmptyCell(pixels.data(), pixels.size()))
                visit(column, row, pixels);
        }
}

} // namespace

int SheetFrameCount(const CellPicture& picture, Point cellSize)
{
    SliceGrid grid;
    grid.cell = cellSize;
    return static_cast<int>(SlicedFrameCount(picture, grid, false));
}

long long SlicedFrameCount(const CellPicture& picture, const SliceGrid& grid, bool skipEmpty)
{
    if (!IsTileSize(grid.cell))
        return 0;
    if (!skipEmpty)
        return CellsOfGrid(picture.width, picture.height, grid).Count();
    long long count = 0;
    ForEachKeptCell(picture, grid, true, [&](int, int, const std::vector<int8_t>&) { ++count; });
    return count;
}

std::vector<Point> KeptCells(const CellPicture& picture, const SliceGrid& grid, bool skipEmpty)
{
    std::vector<Point> kept;
    if (!IsTileSize(grid.cell))
        return kept;
    ForEachKeptCell(picture, grid, skipEmpty, [&](int column, int row, const std::vector<int8_t>&) {
        kept.push_back({column, row});
    });
    return kept;
}

FrameList SliceSheetGrid(const CellPicture& picture, const SliceGrid& grid, bool skipEmpty)
{
    FrameList frames;
    const long long count = SlicedFrameCount(picture, grid, skipEmpty);
    if (count < 1 || count > MaxFrames)
        return frames;
    ForEachKeptCell(picture, grid, skipEmpty, [&](int, int, const std::vector<int8_t>& pixels) {
        frames.push_back(SpriteOfCells(pixels.data(), grid.cell, TypeOfCells(pixels.data(), pixels.size())));
    });
    return frames;
}

FrameList SliceSheet(const CellPicture& picture, Point cellSize)
{
    SliceGrid grid;
    grid.cell = cellSize;
    return SliceSheetGrid(picture, grid);
}

CellPicture PictureOfSprite(const Sprite& sprite)
{
    CellPicture picture(sprite.width, sprite.height);
    for (int x = 0; x < sprite.width; ++x)
        for (int y = 0; y < sprite.height; ++y)
            picture.At(x, y) = sprite.cells[CellIndex(x, y)];
    return picture;
}

SheetSize SheetSizeOf(Point frameSize, int frames, int columns, Point spacing)
{
    const long long rows = (frames + columns - 1) / columns;
    return {columns * static_cast<long long>(frameSize.x) + (columns - 1LL) * spacing.x,
            rows * frameSize.y + (rows - 1) * spacing.y};
}

int SquareSheetColumns(Point frameSize, int frames, Point spacing)
{
    int best = 1;
    long long bestGap = -1;
    for (int columns = 1; columns <= frames; ++columns) {
        const SheetSize size = SheetSizeOf(frameSize, frames, columns, spacing);
        const long long gap = size.width > size.height ? size.width - size.height : size.height - size.width;
        if (bestGap < 0 || gap < bestGap) {
            best = columns;
            bestGap = gap;
        }
    }
    return best;
}

CellPicture SheetOfFrames(const std::vector<const Sprite*>& frames, int columns, Point spacing)
{
    const Point size = frames.front()->GetSize();
    const SheetSize sheet = SheetSizeOf(size, static_cast<int>(frames.size()), columns, spacing);
    CellPicture picture(static_cast<int>(sheet.width), static_cast<int>(sheet.height));
    SliceGrid grid;
    grid.cell = size;
    grid.spacing = spacing;
    for (std::size_t k = 0; k < frames.size(); ++k) {
        const Point origin = CellOrigin(grid, static_cast<int>(k % columns), static_cast<int>(k / columns));
        for (int y = 0; y < size.y; ++y)
            for (int x = 0; x < size.x; ++x)
                picture.At(origin.x + x, origin.y + y) = frames[k]->cells[CellIndex(x, y)];
    }
    return picture;
}
