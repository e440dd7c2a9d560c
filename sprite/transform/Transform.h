// Transforms of a picture as a whole: mirrors, rotations, one-pixel shifts
// with wrap-around and the inversion of colors. They work on a CellPicture,
// so the same code serves the whole sprite and a selection of it.
//
// Cell coordinates are (column, row), (0, 0) top-left. A masked pixel stays
// masked wherever its pixel goes; the inversion turns white into black and
// light gray into dark gray and back, masks kept.
#pragma once

#include "CellPicture.h"
#include "U_class.h"

enum class PictureTransform {
    FlipHorizontal,
    FlipVertical,
    Rotate180,
    RotateClockwise,
    RotateCounterClockwise,
    ShiftLeft,
    ShiftRight,
    ShiftUp,
    ShiftDown,
    InvertColors,
};

// A rectangle of cells; empty when either side is 0 or less.
struct CellRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool IsEmpty() const { return width <= 0 || height <= 0; }
    bool Contains(Point cell) const { return cell.x >= x && cell.x < x + width && cell.y >= y && cell.y < y + height; }
};

inline bool operator==(const CellRect& a, const CellRect& b)
{
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

CellRect Intersection(const CellRect& a, const CellRect& b);
// The sprite's current size as a rectangle from (0, 0).
CellRect SpriteArea(const Sprite& sprite);

// The size a picture of `size` has after the transform.
Point TransformedSize(Point size, PictureTransform transform);
CellPicture Transformed(const CellPicture& picture, PictureTransform transform);

// The sprite's cells inside area, clipped to the current size first.
CellPicture CopyCells(const Sprite& sprite, const CellRect& area);
// Writes the picture with its top-left cell at topLeft; what falls outside
// the current size is left out, so the storage beyond it never changes.
// The type then follows the pixels.
void PasteCells(Sprite& sprite, const CellPicture& picture, Point topLeft);

// Transforms the pixels inside the current size; a rotation by 90 degrees
// also swaps width and height. Returns false and changes nothing when the
// transformed size would not fit 240 x 128.
bool TransformSprite(Sprite& sprite, PictureTransform transform);
