#include "SpriteText.h"

#include <stdexcept>

namespace {

constexpr char kUnmasked[] = ".ld#";
constexpr char kMasked[] = "WLDB";

} // namespace

Sprite FromRows(const Rows& rows)
{
    Sprite sprite({static_cast<int32_t>(rows.at(0).size()), static_cast<int32_t>(rows.size())});
    for (int y = 0; y < static_cast<int>(rows.size()); ++y) {
        for (int x = 0; x < static_cast<int>(rows[y].size()); ++x) {
            const std::string unmasked = kUnmasked, masked = kMasked;
            const char c = rows[y][x];
            const auto plain = unmasked.find(c), hidden = masked.find(c);
            if (plain == std::string::npos && hidden == std::string::npos)
                throw std::invalid_argument(std::string("unknown pixel '") + c + "'");
            const bool isMasked = plain == std::string::npos;
            sprite.SetPixel(x, y, static_cast<PenValue>(isMasked ? hidden : plain));
            if (isMasked)
                sprite.SetPixel(x, y, Mask);
        }
    }
    return sprite;
}

Rows ToRows(const Sprite& sprite)
{
    Rows rows;
    for (int y = 0; y < sprite.height; ++y) {
        std::string row;
        for (int x = 0; x < sprite.width; ++x)
            row += (sprite.GetMask(x, y) == Mask ? kMasked : kUnmasked)[sprite.GetColor(x, y)];
        rows.push_back(row);
    }
    return rows;
}

SpriteType RescanType(const Sprite& sprite)
{
    bool gray = false, masked = false;
    for (int x = 0; x < sprite.width; ++x) {
        for (int y = 0; y < sprite.height; ++y) {
            const int cell = sprite.cells[x * 128 + y];
            const int color = cell >= 15 ? cell - 15 : cell;
            gray = gray || color == 1 || color == 2;
            masked = masked || cell >= 15;
        }
    }
    return static_cast<SpriteType>(1 + (gray ? 1 : 0) + (masked ? 2 : 0));
}
