// A calculator picture variable file holds, after its header, the picture's
// height at 88 and width at 90 (16-bit big-endian), then from 92 the rows from
// top to bottom, each in (width + 7) / 8 whole bytes, bit 7 leftmost. The
// unused low bits of a row's last byte are padding and may hold anything.
#include "ti_picture.h"

#include <cstdint>
#include <cstring>

#include "FileRead.h"

namespace {

constexpr std::size_t HeightOffset = 88;
constexpr std::size_t WidthOffset = 90;
constexpr std::size_t RowsOffset = 92;

int BigEndian16(std::string_view bytes, std::size_t offset)
{
    return static_cast<uint8_t>(bytes[offset]) << 8 | static_cast<uint8_t>(bytes[offset + 1]);
}

int RowBytes(int width)
{
    return (width + 7) / 8;
}

bool IsPixelSet(std::string_view bytes, int width, int x, int y)
{
    const auto byte = static_cast<uint8_t>(bytes[RowsOffset + static_cast<std::size_t>(y) * RowBytes(width) + x / 8]);
    return (byte >> (7 - x % 8)) & 1;
}

} // namespace

bool TakeTiPicture(std::string_view bytes, Sprite& sprite)
{
    if (bytes.size() < RowsOffset)
        return false;
    const int height = BigEndian16(bytes, HeightOffset);
    const int width = BigEndian16(bytes, WidthOffset);
    if (width < 1 || width > MaxWidth || height < 1 || height > MaxHeight)
        return false;
    if (bytes.size() < RowsOffset + static_cast<std::size_t>(RowBytes(width)) * height)
        return false;

    std::memset(sprite.cells, White, sizeof sprite.cells);
    for (int x = 0; x < width; ++x)
        for (int y = 0; y < height; ++y)
            if (IsPixelSet(bytes, width, x, y))
                sprite.cells[CellIndex(x, y)] = Black;
    sprite.RestoreState({width, height}, BlackWhite);
    return true;
}

bool ChargerImageTI(Sprite& sprite, const std::string& path)
{
    const FileContent content = ReadFileStart(path, MaxTiPictureBytes);
    return content.Read() && TakeTiPicture(content.bytes, sprite);
}
