// A calculator picture variable file holds, after its header, the picture's
// height at 88 and width at 90 (16-bit big-endian), then from 92 the rows from
// top to bottom, each in (width + 7) / 8 whole bytes, bit 7 leftmost. The
// unused low bits of a row's last byte are padding and may hold anything.
#include "ti_picture.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr long HeightOffset = 88;
constexpr long WidthOffset = 90;
constexpr long RowsOffset = 92;

using Bytes = std::vector<uint8_t>;

int BigEndian16(const Bytes& bytes, long offset)
{
    return bytes[offset] << 8 | bytes[offset + 1];
}

int RowBytes(int width)
{
    return (width + 7) / 8;
}

// The header and every row, or fewer bytes when the file ends early or its
// size cannot fit the sprite.
Bytes ReadPicture(std::FILE* file)
{
    Bytes bytes(RowsOffset);
    if (std::fread(bytes.data(), 1, bytes.size(), file) != bytes.size())
        return {};
    const int height = BigEndian16(bytes, HeightOffset);
    const int width = BigEndian16(bytes, WidthOffset);
    if (width < 1 || width > MaxWidth || height < 1 || height > MaxHeight)
        return {};
    const std::size_t rowsSize = static_cast<std::size_t>(RowBytes(width)) * height;
    bytes.resize(RowsOffset + rowsSize);
    if (std::fread(bytes.data() + RowsOffset, 1, rowsSize, file) != rowsSize)
        return {};
    return bytes;
}

bool IsPixelSet(const Bytes& bytes, int width, int x, int y)
{
    const uint8_t byte = bytes[RowsOffset + static_cast<std::size_t>(y) * RowBytes(width) + x / 8];
    return (byte >> (7 - x % 8)) & 1;
}

} // namespace

bool ChargerImageTI(Sprite& sprite, const std::string& path)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return false;
    const Bytes bytes = ReadPicture(file);
    std::fclose(file);
    if (bytes.empty())
        return false;

    const int height = BigEndian16(bytes, HeightOffset);
    const int width = BigEndian16(bytes, WidthOffset);
    std::memset(sprite.cells, White, sizeof sprite.cells);
    for (int x = 0; x < width; ++x)
        for (int y = 0; y < height; ++y)
            if (IsPixelSet(bytes, width, x, y))
                sprite.cells[CellIndex(x, y)] = Black;
    sprite.RestoreState({width, height}, BlackWhite);
    return true;
}
