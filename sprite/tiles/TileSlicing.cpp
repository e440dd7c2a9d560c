#include "TileSlicing.h"

#include <algorithm>
#include <cstring>

namespace {

// The whole cells along one side.
int CellsAlong(int length, int cell, int margin, int spacing)
{
    if (cell < 1 || margin < 0 || spacing < 0 || length - margin < cell)
        return 0;
    return static_cast<int>((static_cast<long long>(length) - margin + spacing) /
                            (cell + static_cast<long long>(spacing)));
}

bool IsGray(int8_t cell)
{
    const PixelColor color = ColorOfCell(cell);
    return color == LightGray || color == DarkGray;
}

SpriteType TypeOf(bool gray, bool masked)
{
    return static_cast<SpriteType>(BlackWhite + (gray ? 1 : 0) + (masked ? 2 : 0));
}

} // namespace

GridCells CellsOfGrid(int width, int height, const SliceGrid& grid)
{
    GridCells cells{CellsAlong(width, grid.cell.x, grid.margin.x, grid.spacing.x),
                    CellsAlong(height, grid.cell.y, grid.margin.y, grid.spacing.y)};
    if (cells.columns == 0 || cells.rows == 0)
        return {};
    return cells;
}

Point CellOrigin(const SliceGrid& grid, int column, int row)
{
    return {grid.margin.x + column * (grid.cell.x + grid.spacing.x),
            grid.margin.y + row * (grid.cell.y + grid.spacing.y)};
}

void CopyCell(const CellPicture& picture, const SliceGrid& grid, int column, int row, int8_t* out)
{
    const Point origin = CellOrigin(grid, column, row);
    const std::size_t rowCells = static_cast<std::size_t>(grid.cell.x);
    for (int y = 0; y < grid.cell.y; ++y)
        std::memcpy(out + y * rowCells,
                    &picture.cells[static_cast<std::size_t>(origin.y + y) * picture.width + origin.x], rowCells);
}

bool IsEmptyCell(const int8_t* cells, std::size_t count)
{
    return std::all_of(cells, cells + count, [](int8_t cell) { return cell == White || IsMaskedCell(cell); });
}

SpriteType TypeOfCells(const int8_t* cells, std::size_t count)
{
    bool gray = false;
    bool masked = false;
    for (std::size_t i = 0; i < count; ++i) {
        gray = gray || IsGray(cells[i]);
        masked = masked || IsMaskedCell(cells[i]);
    }
    return TypeOf(gray, masked);
}

SpriteType WiderType(SpriteType a, SpriteType b)
{
    return TypeOf(IsGrayType(a) || IsGrayType(b), IsMaskedType(a) || IsMaskedType(b));
}

bool TypeHoldsCell(SpriteType type, int8_t cell)
{
    return IsCellValue(static_cast<uint8_t>(cell)) && (IsGrayType(type) || !IsGray(cell)) &&
           (IsMaskedType(type) || !IsMaskedCell(cell));
}

std::unique_ptr<Sprite> SpriteOfCells(const int8_t* cells, Point size, SpriteType type)
{
    auto sprite = std::make_unique<Sprite>(size);
    for (int y = 0; y < size.y; ++y)
        for (int x = 0; x < size.x; ++x)
            sprite->cells[CellIndex(x, y)] = cells[static_cast<std::size_t>(y) * size.x + x];
    sprite->RestoreState(size, type);
    return sprite;
}

std::vector<int8_t> CellsOfSprite(const Sprite& sprite)
{
    std::vector<int8_t> cells(static_cast<std::size_t>(sprite.width) * sprite.height);
    for (int y = 0; y < sprite.height; ++y)
        for (int x = 0; x < sprite.width; ++x)
            cells[static_cast<std::size_t>(y) * sprite.width + x] = sprite.cells[CellIndex(x, y)];
    return cells;
}
