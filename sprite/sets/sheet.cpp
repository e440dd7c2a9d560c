#include "sheet.h"

namespace {

bool IsFrameSize(Point size)
{
    return size.x >= 1 && size.x <= MaxWidth && size.y >= 1 && size.y <= MaxHeight;
}

} // namespace

int SheetFrameCount(const CellPicture& picture, Point cellSize)
{
    if (!IsFrameSize(cellSize))
        return 0;
    return (picture.width / cellSize.x) * (picture.height / cellSize.y);
}

FrameList SliceSheet(const CellPicture& picture, Point cellSize)
{
    const int count = SheetFrameCount(picture, cellSize);
    FrameList frames;
    if (count < 1 || count > MaxFrames)
        return frames;
    const int columns = picture.width / cellSize.x;
    for (int k = 0; k < count; ++k) {
        const int left = (k % columns) * cellSize.x;
        const int top = (k / columns) * cellSize.y;
        auto frame = std::make_unique<Sprite>(cellSize);
        // Through SetPixel, so that the type ends as the pixels make it.
        for (int x = 0; x < cellSize.x; ++x)
            for (int y = 0; y < cellSize.y; ++y) {
                const int8_t cell = picture.At(left + x, top + y);
                const bool masked = cell >= MaskedThreshold;
                frame->SetPixel(x, y, static_cast<PenValue>(masked ? cell - MaskOffset : cell));
                if (masked)
                    frame->SetPixel(x, y, Mask);
            }
        frames.push_back(std::move(frame));
    }
    return frames;
}

CellPicture PictureOfSprite(const Sprite& sprite)
{
    CellPicture picture(sprite.width, sprite.height);
    for (int x = 0; x < sprite.width; ++x)
        for (int y = 0; y < sprite.height; ++y)
            picture.At(x, y) = sprite.cells[CellIndex(x, y)];
    return picture;
}
