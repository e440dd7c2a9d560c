// Cutting a picture into cells of one size: the grid of a sprite sheet or of
// a level drawn as one picture. The first cell's top-left corner is at the
// margin; cells follow each other with the spacing between them, and only
// cells that fit whole are taken, in reading order (rows of cells top to
// bottom, each left to right). Pixel coordinates are those of the picture,
// (0, 0) top-left; a cell's own pixels are kept row after row (y * width + x),
// as a CellPicture keeps them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "CellPicture.h"

struct SliceGrid {
    Point cell{16, 16};
    Point margin{0, 0};  // offset of the first cell
    Point spacing{0, 0}; // gap between two cells
};

struct GridCells {
    int columns = 0;
    int rows = 0;
    long long Count() const { return static_cast<long long>(columns) * rows; }
};

// The whole cells of the grid over a picture of this size:
// columns = floor((width - margin X + spacing X) / (cell W + spacing X)),
// rows likewise. None for a cell under 1 pixel or a negative margin or
// spacing.
GridCells CellsOfGrid(int width, int height, const SliceGrid& grid);

// The picture's pixel at the top-left corner of a cell.
Point CellOrigin(const SliceGrid& grid, int column, int row);

// The cell's pixels, row after row, into out (cell W x H values).
void CopyCell(const CellPicture& picture, const SliceGrid& grid, int column, int row, int8_t* out);

// Whether every pixel is white or masked: a cell that draws nothing.
bool IsEmptyCell(const int8_t* cells, std::size_t count);

// The type the pixels make: black and white, plus gray, plus masked.
SpriteType TypeOfCells(const int8_t* cells, std::size_t count);
// The smallest type that holds the pixels of both.
SpriteType WiderType(SpriteType a, SpriteType b);
// Whether a sprite of this type may hold this stored cell value.
bool TypeHoldsCell(SpriteType type, int8_t cell);

// A sprite of size holding the cells (row after row) with the given type.
std::unique_ptr<Sprite> SpriteOfCells(const int8_t* cells, Point size, SpriteType type);
// The sprite's pixels inside its size, row after row.
std::vector<int8_t> CellsOfSprite(const Sprite& sprite);
