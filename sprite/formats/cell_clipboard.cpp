#include "cell_clipboard.h"

#include <cstdint>
#include <utility>

namespace {

constexpr std::size_t HeaderSize = 4;
constexpr std::size_t OriginSize = 4;

void AppendSixteenBits(std::string& bytes, int value)
{
    bytes.push_back(static_cast<char>(value & 0xFF));
    bytes.push_back(static_cast<char>((value >> 8) & 0xFF));
}

int SixteenBitsAt(std::string_view bytes, std::size_t at)
{
    return static_cast<uint8_t>(bytes[at]) | static_cast<uint8_t>(bytes[at + 1]) << 8;
}

} // namespace

std::string EncodeCells(const CellPicture& picture)
{
    std::string bytes;
    bytes.reserve(HeaderSize + picture.cells.size());
    for (int side : {picture.width, picture.height})
        AppendSixteenBits(bytes, side);
    bytes.append(reinterpret_cast<const char*>(picture.cells.data()), picture.cells.size());
    return bytes;
}

bool DecodeCells(std::string_view bytes, CellPicture& picture)
{
    if (bytes.size() < HeaderSize)
        return false;
    const int width = SixteenBitsAt(bytes, 0);
    const int height = SixteenBitsAt(bytes, 2);
    if (width < 1 || width > MaxWidth || height < 1 || height > MaxHeight ||
        bytes.size() != HeaderSize + static_cast<std::size_t>(width) * height)
        return false;
    CellPicture decoded(width, height);
    for (std::size_t i = 0; i < decoded.cells.size(); ++i) {
        const auto cell = static_cast<uint8_t>(bytes[HeaderSize + i]);
        if (!IsCellValue(cell))
            return false;
        decoded.cells[i] = static_cast<int8_t>(cell);
    }
    picture = std::move(decoded);
    return true;
}

std::string EncodeCellOrigin(Point origin)
{
    std::string bytes;
    AppendSixteenBits(bytes, origin.x);
    AppendSixteenBits(bytes, origin.y);
    return bytes;
}

bool DecodeCellOrigin(std::string_view bytes, Point& origin)
{
    if (bytes.size() != OriginSize)
        return false;
    origin = {static_cast<int16_t>(SixteenBitsAt(bytes, 0)), static_cast<int16_t>(SixteenBitsAt(bytes, 2))};
    return true;
}
