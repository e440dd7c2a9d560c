// Where a sprite's cells fall inside a view region, and which cell a window
// point lies in. A view region is a rectangle of a window in that window's
// client pixels; the sprite is drawn in square cells that fit its shorter
// side less a one-pixel ring. Everything here is plain arithmetic on the
// current sizes, recomputed on every call, so drawing and mouse mapping
// always agree.
#pragma once

#include "U_class.h"

struct ViewRegion {
    int left;
    int top;
    int width;
    int height;
};

// Window pixels per sprite pixel, as a 32-bit float (the boundaries below
// depend on exactly this rounding). Zero or less for regions too small to
// hold a grid.
float CellSize(const ViewRegion& region, Point spriteSize);

// First window column of cell column i (i == width gives the end of the grid).
int ColumnBoundary(const ViewRegion& region, float cellSize, int i);
// First window row of cell row j (j == height gives the end of the grid).
int RowBoundary(const ViewRegion& region, float cellSize, int j);

// The cell containing the window point, each axis on its own: -1 on an axis
// where the point lies beside the grid. A point exactly on the line between
// two cells belongs to the higher one.
Point CellAtPoint(const ViewRegion& region, const Sprite& sprite, Point windowPoint);
