#include "Transform.h"

#include <algorithm>

namespace {

int8_t InvertedCell(int8_t cell)
{
    const bool masked = cell >= MaskedThreshold;
    const int color = masked ? cell - MaskOffset : cell;
    return static_cast<int8_t>((Black - color) + (masked ? MaskOffset : 0));
}

// The source cell that lands on (x, y) of the transformed picture, for a
// source of width w and height h.
Point SourceOf(int x, int y, int w, int h, PictureTransform transform)
{
    switch (transform) {
    case PictureTransform::FlipHorizontal:
        return {w - 1 - x, y};
    case PictureTransform::FlipVertical:
        return {x, h - 1 - y};
    case PictureTransform::Rotate180:
        return {w - 1 - x, h - 1 - y};
    case PictureTransform::RotateClockwise: // the left column, read upwards, becomes the top row
        return {y, h - 1 - x};
    case PictureTransform::RotateCounterClockwise: // the right column, read downwards, becomes the top row
        return {w - 1 - y, x};
    case PictureTransform::ShiftLeft:
        return {(x + 1) % w, y};
    case PictureTransform::ShiftRight:
        return {(x + w - 1) % w, y};
    case PictureTransform::ShiftUp:
        return {x, (y + 1) % h};
    case PictureTransform::ShiftDown:
        return {x, (y + h - 1) % h};
    case PictureTransform::InvertColors:
        break;
    }
    return {x, y};
}

bool IsQuarterTurn(PictureTransform transform)
{
    return transform == PictureTransform::RotateClockwise || transform == PictureTransform::RotateCounterClockwise;
}

} // namespace

CellRect Intersection(const CellRect& a, const CellRect& b)
{
    const int left = std::max(a.x, b.x);
    const int top = std::max(a.y, b.y);
    const int right = std::min(a.x + a.width, b.x + b.width);
    const int bottom = std::min(a.y + a.height, b.y + b.height);
    if (right <= left || bottom <= top)
        return {};
    return {left, top, right - left, bottom - top};
}

CellRect SpriteArea(const Sprite& sprite)
{
    return {0, 0, sprite.width, sprite.height};
}

Point TransformedSize(Point size, PictureTransform transform)
{
    return IsQuarterTurn(transform) ? Point{size.y, size.x} : size;
}

CellPicture Transformed(const CellPicture& picture, PictureTransform transform)
{
    const Point size = TransformedSize({picture.width, picture.height}, transform);
    CellPicture result(size.x, size.y);
    for (int y = 0; y < size.y; ++y) {
        for (int x = 0; x < size.x; ++x) {
            const Point from = SourceOf(x, y, picture.width, picture.height, transform);
            const int8_t cell = picture.At(from.x, from.y);
            result.At(x, y) = transform == PictureTransform::InvertColors ? InvertedCell(cell) : cell;
        }
    }
    return result;
}

CellPicture CopyCells(const Sprite& sprite, const CellRect& area)
{
    const CellRect inside = Intersection(area, SpriteArea(sprite));
    CellPicture picture(inside.width, inside.height);
    for (int y = 0; y < inside.height; ++y) {
        for (int x = 0; x < inside.width; ++x)
            picture.At(x, y) = sprite.cells[CellIndex(inside.x + x, inside.y + y)];
    }
    return picture;
}

void PasteCells(Sprite& sprite, const CellPicture& picture, Point topLeft)
{
    const CellRect target = Intersection({topLeft.x, topLeft.y, picture.width, picture.height}, SpriteArea(sprite));
    for (int y = target.y; y < target.y + target.height; ++y) {
        for (int x = target.x; x < target.x + target.width; ++x)
            sprite.cells[CellIndex(x, y)] = picture.At(x - topLeft.x, y - topLeft.y);
    }
    sprite.RecomputeType();
}

bool TransformSprite(Sprite& sprite, PictureTransform transform)
{
    const Point size = TransformedSize(sprite.GetSize(), transform);
    if (size.x > MaxWidth || size.y > MaxHeight)
        return false;
    const CellPicture result = Transformed(CopyCells(sprite, SpriteArea(sprite)), transform);
    sprite.SetSize(size);
    PasteCells(sprite, result, {0, 0});
    return true;
}
