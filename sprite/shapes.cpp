#include "shapes.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

bool InsideSize(const Sprite& sprite, Point cell)
{
    return cell.x >= 0 && cell.y >= 0 && cell.x < sprite.width && cell.y < sprite.height;
}

// The box the two corners span, both included.
struct Box {
    int left;
    int top;
    int width;
    int height;
};

Box BoxOf(Point corner, Point opposite)
{
    const int left = std::min(corner.x, opposite.x);
    const int top = std::min(corner.y, opposite.y);
    return {left, top, std::max(corner.x, opposite.x) - left + 1, std::max(corner.y, opposite.y) - top + 1};
}

// Cell (i, j) of a box of w x h cells, in units of a quarter cell from the
// box's centre so that every test is exact integer arithmetic and the shape
// comes out symmetric: the cell's centre lies at 4i + 2 - 2w across. The
// ellipse's half-axes are a quarter cell shorter than the box's half-sides,
// 2w - 1 quarters, which keeps the corners of a 3 x 3 box out and the
// rounder rows of larger boxes in.
bool InEllipse(int i, int j, int w, int h)
{
    const int64_t dx = 4 * i + 2 - 2 * w;
    const int64_t dy = 4 * j + 2 - 2 * h;
    const int64_t rx = 2 * w - 1;
    const int64_t ry = 2 * h - 1;
    // The middle column (two for an even width) and row reach the sides.
    if (std::abs(dx) <= 2 || std::abs(dy) <= 2)
        return true;
    return dx * dx * ry * ry + dy * dy * rx * rx <= rx * rx * ry * ry;
}

bool OnOutline(int i, int j, int w, int h)
{
    const auto in = [w, h](int x, int y) { return x >= 0 && y >= 0 && x < w && y < h && InEllipse(x, y, w, h); };
    return in(i, j) && !(in(i - 1, j) && in(i + 1, j) && in(i, j - 1) && in(i, j + 1));
}

// Writes pen on each cell (i, j) of the box of w x h cells for which
// drawn(i, j, w, h) holds.
template <typename Drawn> void DrawInBox(Sprite& sprite, Point corner, Point opposite, PenValue pen, Drawn drawn)
{
    if (!InsideSize(sprite, corner) || !InsideSize(sprite, opposite))
        return;
    const Box box = BoxOf(corner, opposite);
    for (int i = 0; i < box.width; ++i) {
        for (int j = 0; j < box.height; ++j) {
            if (drawn(i, j, box.width, box.height))
                sprite.SetPixel(box.left + i, box.top + j, pen);
        }
    }
}

} // namespace

void DrawRectangle(Sprite& sprite, Point corner, Point opposite, PenValue pen, ShapeFill fill)
{
    DrawInBox(sprite, corner, opposite, pen, [fill](int i, int j, int w, int h) {
        return fill == ShapeFill::Filled || i == 0 || j == 0 || i == w - 1 || j == h - 1;
    });
}

void DrawEllipse(Sprite& sprite, Point corner, Point opposite, PenValue pen, ShapeFill fill)
{
    DrawInBox(sprite, corner, opposite, pen, [fill](int i, int j, int w, int h) {
        return fill == ShapeFill::Filled ? InEllipse(i, j, w, h) : OnOutline(i, j, w, h);
    });
}

std::optional<PenValue> PenOfCell(const Sprite& sprite, Point cell)
{
    if (!InsideSize(sprite, cell))
        return std::nullopt;
    if (sprite.GetMask(cell.x, cell.y) == Mask)
        return Mask;
    return sprite.GetColor(cell.x, cell.y);
}
