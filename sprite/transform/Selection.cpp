#include "Selection.h"

#include <algorithm>
#include <cstring>

namespace {

// What a cleared pixel becomes: masked white keeps a masked sprite's cleared
// place transparent.
int8_t ClearedCell(const Sprite& sprite)
{
    const SpriteType type = sprite.GetType();
    const bool masked = IsMaskedType(type);
    return masked ? static_cast<int8_t>(White + MaskOffset) : static_cast<int8_t>(White);
}

void FillCells(int8_t* storage, const CellRect& area, int8_t cell)
{
    for (int x = area.x; x < area.x + area.width; ++x)
        std::memset(storage + CellIndex(x, area.y), cell, static_cast<std::size_t>(area.height));
}

} // namespace

void SpriteSelection::CatchUp(const Sprite& sprite)
{
    if (floating) {
        const bool unchanged =
            sprite.GetSize() == placedSize && std::memcmp(sprite.cells, placed.data(), CellCount) == 0;
        if (unchanged)
            return;
        // Dropped where they are, as by the user: nothing stays selected.
        floating = false;
        bounds = {};
    }
    bounds = Intersection(bounds, SpriteArea(sprite));
}

bool SpriteSelection::IsActive(const Sprite& sprite)
{
    CatchUp(sprite);
    return !bounds.IsEmpty();
}

bool SpriteSelection::IsFloating(const Sprite& sprite)
{
    CatchUp(sprite);
    return floating;
}

CellRect SpriteSelection::Bounds(const Sprite& sprite)
{
    CatchUp(sprite);
    return bounds;
}

void SpriteSelection::Select(const Sprite& sprite, Point corner, Point oppositeCorner)
{
    floating = false;
    const int left = std::min(corner.x, oppositeCorner.x);
    const int top = std::min(corner.y, oppositeCorner.y);
    const CellRect spanned{left, top, std::max(corner.x, oppositeCorner.x) - left + 1,
                           std::max(corner.y, oppositeCorner.y) - top + 1};
    bounds = Intersection(spanned, SpriteArea(sprite));
}

void SpriteSelection::Deselect()
{
    floating = false;
    bounds = {};
}

CellPicture SpriteSelection::Pixels(const Sprite& sprite)
{
    CatchUp(sprite);
    return floating ? floatingPixels : CopyCells(sprite, bounds);
}

void SpriteSelection::Erase(Sprite& sprite)
{
    CatchUp(sprite);
    if (floating) {
        std::memcpy(sprite.cells, beneath.data(), CellCount);
        sprite.RecomputeType();
        floating = false;
        bounds = Intersection(bounds, SpriteArea(sprite));
        return;
    }
    if (bounds.IsEmpty())
        return;
    FillCells(sprite.cells, bounds, ClearedCell(sprite));
    sprite.RecomputeType();
}

void SpriteSelection::MoveTo(Sprite& sprite, Point topLeft)
{
    CatchUp(sprite);
    if (bounds.IsEmpty())
        return;
    if (!floating)
        Lift(sprite);
    bounds.x = topLeft.x;
    bounds.y = topLeft.y;
    Place(sprite);
}

void SpriteSelection::Transform(Sprite& sprite, PictureTransform transform)
{
    CatchUp(sprite);
    if (bounds.IsEmpty())
        return;
    if (!floating)
        Lift(sprite);
    floatingPixels = Transformed(floatingPixels, transform);
    bounds.width = floatingPixels.width;
    bounds.height = floatingPixels.height;
    Place(sprite);
}

void SpriteSelection::Float(Sprite& sprite, const CellPicture& picture, Point topLeft)
{
    CatchUp(sprite);
    floating = false;
    const CellRect kept = Intersection({topLeft.x, topLeft.y, picture.width, picture.height}, SpriteArea(sprite));
    if (kept.IsEmpty()) {
        bounds = {};
        return;
    }
    CellPicture clipped(kept.width, kept.height);
    for (int y = 0; y < kept.height; ++y) {
        for (int x = 0; x < kept.width; ++x)
            clipped.At(x, y) = picture.At(kept.x - topLeft.x + x, kept.y - topLeft.y + y);
    }
    floatingPixels = std::move(clipped);
    beneath.assign(sprite.cells, sprite.cells + CellCount);
    bounds = kept;
    floating = true;
    Place(sprite);
}

void SpriteSelection::Lift(Sprite& sprite)
{
    floatingPixels = CopyCells(sprite, bounds);
    beneath.assign(sprite.cells, sprite.cells + CellCount);
    FillCells(beneath.data(), bounds, ClearedCell(sprite));
    floating = true;
}

void SpriteSelection::Place(Sprite& sprite)
{
    std::memcpy(sprite.cells, beneath.data(), CellCount);
    PasteCells(sprite, floatingPixels, {bounds.x, bounds.y});
    placed.assign(sprite.cells, sprite.cells + CellCount);
    placedSize = sprite.GetSize();
}
