#include "cell_clipboard.h"

#include <cstdint>
#include <utility>

namespace {

constexpr std::size_t HeaderSize = 4;

} // namespace

std::string EncodeCells(const CellPicture& picture)
{
    std::string bytes;
    bytes.reserve(HeaderSize + picture.cells.size());
    for (int side : {picture.width, picture.height}) {
        bytes.push_back(static_cast<char>(side & 0xFF));
        bytes.push_back(static_cast<char>(side >> 8));
    }
    bytes.append(reinterpret_cast<const char*>(picture.cells.data()), picture.cells.size());
    return bytes;
}

bool DecodeCells(std::string_view bytes, CellPicture& picture)
{
    if (bytes.size() < HeaderSize)
        return false;
    const auto byte = [&bytes](std::size_t i) { return static_cast<int>(static_cast<uint8_t>(bytes[i])); };
    const int width = byte(0) | byte(1) << 8;
    const int height = byte(2) | byte(3) << 8;
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
