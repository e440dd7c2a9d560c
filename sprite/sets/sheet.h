// Sprite sheets: a picture cut into the frames of a set along a grid of
// cells (TileSlicing.h), in reading order, and the frames of a set laid out
// again as one picture.
#pragma once

#include "CellPicture.h"
#include "TileSlicing.h"
#include "sprite_set.h"

// How many whole cells of cellSize the picture holds, from its top-left
// corner without gaps (0 for a cell size outside 1..240 x 1..128).
int SheetFrameCount(const CellPicture& picture, Point cellSize);

// The cells the grid slices into frames: all, or only those that draw
// something (IsEmptyCell); 0 for a cell size outside 1..240 x 1..128.
long long SlicedFrameCount(const CellPicture& picture, const SliceGrid& grid, bool skipEmpty);

// The grid cells (column, row) that the slicing keeps, in reading order:
// all, or only those that draw something. Not limited to MaxFrames, so that
// a grid can be shown whatever it counts.
std::vector<Point> KeptCells(const CellPicture& picture, const SliceGrid& grid, bool skipEmpty);

// The frames, each of the grid's cell size, its type what its pixels make
// it; empty when there is none or more than a set's MaxFrames.
FrameList SliceSheetGrid(const CellPicture& picture, const SliceGrid& grid, bool skipEmpty = false);
FrameList SliceSheet(const CellPicture& picture, Point cellSize);

// The sprite's pixels inside its size, as a picture.
CellPicture PictureOfSprite(const Sprite& sprite);

// The frames (of one size) in reading order, columns to a row, spacing
// white pixels (across, down) between two cells and none around them; the cells a last row
// leaves unused are white.
CellPicture SheetOfFrames(const std::vector<const Sprite*>& frames, int columns, Point spacing);
// The size of that picture, computed without making it.
struct SheetSize {
    long long width = 0;
    long long height = 0;
};
SheetSize SheetSizeOf(Point frameSize, int frames, int columns, Point spacing);
// The columns (1 to frames) whose sheet is nearest to a square; of two as
// near, the fewer.
int SquareSheetColumns(Point frameSize, int frames, Point spacing);
