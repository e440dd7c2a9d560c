// Operations of the Sprite that write many pixels at once, all through
// SetPixel so that the type stays what a single write would make it.
#include <algorithm>
#include <bitset>
#include <cmath>
#include <cstdint>
#include <vector>

#include "U_class.h"

namespace {

// The line's pixel along the shorter axis, to the nearest integer with
// halves going to the even neighbour (the default rounding mode).
int32_t Nearest(float v)
{
    return static_cast<int32_t>(std::nearbyint(v));
}
int32_t Nearest(double v)
{
    return static_cast<int32_t>(std::nearbyint(v));
}

// The slope and intercepts are rounded to float and the steep u to double on
// purpose: those roundings decide which pixel a near-halfway point lands on,
// and lines must come out the same as they always have.
void DrawSlantedLine(Sprite& sprite, int32_t x1, int32_t y1, int32_t x2, int32_t y2, PenValue pen)
{
    const float m = static_cast<float>(static_cast<long double>(y1 - y2) / static_cast<long double>(x1 - x2));
    if (m >= -1.0f && m <= 1.0f) {
        const float b = static_cast<float>(static_cast<long double>(y1) - static_cast<long double>(x1) * m);
        for (int32_t x = std::min(x1, x2); x <= std::max(x1, x2); ++x) {
            const float v = static_cast<float>(static_cast<long double>(x) * m + b);
            sprite.SetPixel(x, Nearest(v), pen);
        }
        return;
    }
    const float k = static_cast<float>(static_cast<long double>(x1 - x2) / static_cast<long double>(y1 - y2));
    const float d = static_cast<float>(static_cast<long double>(x1) - static_cast<long double>(y1) * k);
    for (int32_t y = std::min(y1, y2); y <= std::max(y1, y2); ++y) {
        const double u = static_cast<double>(static_cast<long double>(y) * k + d);
        sprite.SetPixel(Nearest(u), y, pen);
    }
}

// Fills the 4-connected region around (x, y) of pixels that `belongs`
// accepts, inside the current size, writing pen on each: the region the
// plain depth-first recursion would fill, without a stack that grows with its
// area. Runs along a column are contiguous in memory and taken at once; the
// runs they touch in the neighbouring columns wait as seeds. Each pixel is
// taken at most once, so a pen that leaves a pixel in the region (Mark) still
// ends.
template <typename Belongs> void FillRegion(Sprite& sprite, int32_t x, int32_t y, PenValue pen, Belongs belongs)
{
    if (x < 0 || y < 0 || x >= sprite.width || y >= sprite.height)
        return;
    std::bitset<CellCount> taken;
    auto open = [&](int32_t px, int32_t py) { return !taken[CellIndex(px, py)] && belongs(px, py); };
    std::vector<Point> seeds{{x, y}};
    while (!seeds.empty()) {
        const Point seed = seeds.back();
        seeds.pop_back();
        if (!open(seed.x, seed.y))
            continue;
        int32_t top = seed.y, bottom = seed.y;
        while (top > 0 && open(seed.x, top - 1))
            --top;
        while (bottom < sprite.height - 1 && open(seed.x, bottom + 1))
            ++bottom;
        for (int32_t py = top; py <= bottom; ++py) {
            taken[CellIndex(seed.x, py)] = true;
            sprite.SetPixel(seed.x, py, pen);
        }
        for (int32_t column : {seed.x - 1, seed.x + 1}) {
            if (column < 0 || column >= sprite.width)
                continue;
            bool inRun = false;
            for (int32_t py = top; py <= bottom; ++py) {
                const bool isOpen = open(column, py);
                if (isOpen && !inRun)
                    seeds.push_back({column, py});
                inRun = isOpen;
            }
        }
    }
}

} // namespace

void Sprite::DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, PenValue pen)
{
    if (!InBounds(x1, y1) || !InBounds(x2, y2))
        return;
    if (x1 == x2) {
        for (int32_t y = std::min(y1, y2); y <= std::max(y1, y2); ++y)
            SetPixel(x1, y, pen);
    } else if (y1 == y2) {
        for (int32_t x = std::min(x1, x2); x <= std::max(x1, x2); ++x)
            SetPixel(x, y1, pen);
    } else {
        DrawSlantedLine(*this, x1, y1, x2, y2, pen);
    }
}

void Sprite::FloodFill(int32_t x, int32_t y, PenValue pen, PixelColor target)
{
    if (pen == Mask || pen == NoMask) {
        // A mask fill spreads over pixels whose mask flag is the opposite of
        // the pen's, whatever their colors.
        FillRegion(*this, x, y, pen, [&](int32_t px, int32_t py) { return GetMask(px, py) != pen; });
        return;
    }
    FillRegion(*this, x, y, pen, [&](int32_t px, int32_t py) {
        const PixelColor color = GetColor(px, py);
        return color == target && color != pen;
    });
}

void Sprite::AutoMask()
{
    for (int32_t x = 0; x < width; ++x)
        for (int32_t y = 0; y < height; ++y)
            SetPixel(x, y, GetColor(x, y) == White ? Mask : NoMask);
}
