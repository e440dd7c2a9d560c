#include "PreShift.h"

#include "Transform.h"

int PreShiftedWidth(int width)
{
    const int needed = width + PreShiftCount - 1;
    for (const int routineWidth : {8, 16, 32}) {
        if (needed <= routineWidth)
            return routineWidth;
    }
    return (needed + 7) / 8 * 8;
}

bool PreShiftedFrames(const Sprite& sprite, std::vector<Sprite>& frames)
{
    const int widened = PreShiftedWidth(sprite.width);
    if (widened > MaxWidth)
        return false;
    const SpriteType type = sprite.GetType();
    const bool masked = IsMaskedType(type);
    const CellPicture picture = CopyCells(sprite, SpriteArea(sprite));
    CellPicture background(widened, sprite.height);
    if (masked)
        background.cells.assign(background.cells.size(), static_cast<int8_t>(White + MaskOffset));

    std::vector<Sprite> shifted;
    shifted.reserve(PreShiftCount);
    for (int shift = 0; shift < PreShiftCount; ++shift) {
        Sprite& frame = shifted.emplace_back(Point{widened, sprite.height});
        PasteCells(frame, background, {0, 0});
        PasteCells(frame, picture, {shift, 0});
    }
    frames = std::move(shifted);
    return true;
}
