#include "DataPlan.h"

#include <algorithm>
#include <cstring>
#include <optional>

namespace {

// The bit a pixel sets in a plane; past the width, what the plane holds
// there.
bool PlaneBit(Plane plane, MaskBit maskBit, std::optional<int8_t> cell)
{
    const bool transparentBit = maskBit == MaskBit::Transparent;
    if (!cell)
        return plane == Plane::Mask && transparentBit;
    const bool masked = IsMaskedCell(*cell);
    if (plane == Plane::Mask)
        return masked == transparentBit;
    if (masked)
        return false;
    const PixelColor color = ColorOfCell(*cell);
    switch (plane) {
    case Plane::Black:
        return color != White;
    case Plane::Light:
        return color & 1;
    case Plane::Dark:
        return color & 2;
    case Plane::Mask:
        break;
    }
    return false;
}

std::size_t FrameStrideOf(const DataPlan& plan, const PlaneSource& source)
{
    return source.frameStride ? source.frameStride : plan.frameStride;
}

// The last byte that frame's rows reach in the plane's array, plus one.
std::size_t FrameEnd(const DataPlan& plan, const PlaneSource& source, std::size_t frame)
{
    return source.firstByte + frame * FrameStrideOf(plan, source) +
           static_cast<std::size_t>(plan.height - 1) * plan.rowStride + static_cast<std::size_t>(plan.rowBytes);
}

std::size_t RowStart(const DataPlan& plan, const PlaneSource& source, std::size_t frame, int row)
{
    return source.firstByte + frame * FrameStrideOf(plan, source) + static_cast<std::size_t>(row) * plan.rowStride;
}

} // namespace

DataPlan PlanOfLayout(const DataLayout& layout, int width, int height)
{
    DataPlan plan;
    plan.width = width;
    plan.height = height;
    plan.rowBytes = RowBytes(layout.rows, width);
    plan.maskBit = layout.maskBit;
    const std::size_t rowBytes = static_cast<std::size_t>(plan.rowBytes);
    const std::size_t planeBytes = rowBytes * static_cast<std::size_t>(height);
    const std::size_t planeCount = layout.order.size();
    const bool separate = layout.arrange == Arrangement::Separate;
    plan.arrayCount = separate ? planeCount : 1;
    plan.rowStride = layout.arrange == Arrangement::Interlaced ? planeCount * rowBytes : rowBytes;
    plan.frameStride = separate ? planeBytes : planeCount * planeBytes;
    for (std::size_t i = 0; i < planeCount; ++i) {
        switch (layout.arrange) {
        case Arrangement::Separate:
            plan.planes.push_back({layout.order[i], i, 0});
            break;
        case Arrangement::Block:
            plan.planes.push_back({layout.order[i], 0, i * planeBytes});
            break;
        case Arrangement::Interlaced:
            plan.planes.push_back({layout.order[i], 0, i * rowBytes});
            break;
        }
    }
    return plan;
}

MemoryImages EncodeFrames(const DataPlan& plan, const std::vector<const Sprite*>& frames)
{
    MemoryImages images(plan.arrayCount);
    for (const PlaneSource& source : plan.planes) {
        std::vector<uint8_t>& image = images[source.array];
        image.resize(std::max(image.size(), FrameEnd(plan, source, frames.size() - 1)), 0);
        for (std::size_t frame = 0; frame < frames.size(); ++frame)
            for (int y = 0; y < plan.height; ++y) {
                uint8_t* row = image.data() + RowStart(plan, source, frame, y);
                for (int x = 0; x < plan.rowBytes * 8; ++x) {
                    const std::optional<int8_t> cell =
                        x < plan.width ? std::optional<int8_t>(frames[frame]->cells[CellIndex(x, y)]) : std::nullopt;
                    if (PlaneBit(source.plane, plan.maskBit, cell))
                        row[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
                }
            }
    }
    return images;
}

std::optional<ShortArray> FirstShortArray(const DataPlan& plan, const MemoryImages& images)
{
    for (std::size_t array = 0; array < plan.arrayCount; ++array) {
        std::size_t needed = 0; // by every plane of the array
        for (const PlaneSource& source : plan.planes)
            if (source.array == array)
                needed = std::max(needed, FrameEnd(plan, source, 0));
        if (array >= images.size() || images[array].size() < needed)
            return ShortArray{array, needed};
    }
    return std::nullopt;
}

std::size_t FramesHeld(const DataPlan& plan, const MemoryImages& images)
{
    if (FirstShortArray(plan, images))
        return 0;
    std::size_t frames = SIZE_MAX;
    for (const PlaneSource& source : plan.planes) {
        const std::size_t room = images[source.array].size() - FrameEnd(plan, source, 0);
        frames = std::min(frames, 1 + room / FrameStrideOf(plan, source));
    }
    return frames;
}

void DecodeFrame(const DataPlan& plan, const MemoryImages& images, std::size_t frame, Sprite& sprite)
{
    std::memset(sprite.cells, White, sizeof sprite.cells);
    bool gray = false;
    bool masked = false;
    for (int y = 0; y < plan.height; ++y)
        for (int x = 0; x < plan.width; ++x) {
            int color = White;
            bool transparent = false;
            for (const PlaneSource& source : plan.planes) {
                const uint8_t byte = images[source.array][RowStart(plan, source, frame, y) + x / 8];
                const bool bit = (byte >> (7 - x % 8)) & 1;
                switch (source.plane) {
                case Plane::Black:
                    color |= bit ? Black : White;
                    break;
                case Plane::Light:
                    color |= bit ? LightGray : White;
                    break;
                case Plane::Dark:
                    color |= bit ? DarkGray : White;
                    break;
                case Plane::Mask:
                    transparent = bit == (plan.maskBit == MaskBit::Transparent);
                    break;
                }
            }
            // The color under a transparent pixel is not in the data.
            const int8_t cell = transparent ? White + MaskOffset : static_cast<int8_t>(color);
            sprite.cells[CellIndex(x, y)] = cell;
            gray = gray || cell == LightGray || cell == DarkGray;
            masked = masked || transparent;
        }
    const int type = 1 + (gray ? 1 : 0) + (masked ? 2 : 0);
    sprite.RestoreState({plan.width, plan.height}, static_cast<SpriteType>(type));
}
