// The ".pixo" file: one 30732-byte little-endian record, no header.
//   0  width  (int32)     4  height (int32)     8  type (1 byte)
//   9  the 30720 cells, column after column      30729  3 zero bytes
// The whole storage is kept, so pixels hidden by a smaller size survive.
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "AtomicFile.h"
#include "U_class.h"

namespace {

constexpr std::size_t WidthOffset = 0;
constexpr std::size_t HeightOffset = 4;
constexpr std::size_t TypeOffset = 8;
constexpr std::size_t CellsOffset = 9;
constexpr std::size_t RecordSize = CellsOffset + CellCount + 3; // 30732

using Record = std::array<uint8_t, RecordSize>;

void PutInt32(Record& record, std::size_t offset, int32_t value)
{
    const uint32_t bits = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        record[offset + i] = static_cast<uint8_t>(bits >> (8 * i));
}

int32_t GetInt32(const Record& record, std::size_t offset)
{
    uint32_t bits = 0;
    for (int i = 0; i < 4; ++i)
        bits |= static_cast<uint32_t>(record[offset + i]) << (8 * i);
    return static_cast<int32_t>(bits);
}

bool IsValidCell(uint8_t cell)
{
    return cell <= Black || (cell >= MaskOffset && cell <= MaskOffset + Black);
}

// The rest of the editor loops over the size and labels the type, so a record
// is only taken when every field lies in the sprite's ranges.
bool IsValidRecord(const Record& record)
{
    const int32_t width = GetInt32(record, WidthOffset);
    const int32_t height = GetInt32(record, HeightOffset);
    const uint8_t type = record[TypeOffset];
    if (width < 1 || width > MaxWidth || height < 1 || height > MaxHeight)
        return false;
    if (type < BlackWhite || type > GrayscaleMasked)
        return false;
    for (std::size_t i = 0; i < CellCount; ++i)
        if (!IsValidCell(record[CellsOffset + i]))
            return false;
    return true;
}

} // namespace

std::string Sprite::FileBytes() const
{
    Record record{};
    PutInt32(record, WidthOffset, width);
    PutInt32(record, HeightOffset, height);
    record[TypeOffset] = static_cast<uint8_t>(type);
    std::memcpy(record.data() + CellsOffset, cells, CellCount);
    return {reinterpret_cast<const char*>(record.data()), record.size()};
}

bool Sprite::SaveToFile(const std::string& path) const
{
    return !path.empty() && !WriteFileAtomically(path, FileBytes());
}

bool Sprite::LoadFromFile(const std::string& path)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return false;
    Record record;
    const bool complete = std::fread(record.data(), 1, record.size(), file) == record.size();
    std::fclose(file);
    if (!complete || !IsValidRecord(record))
        return false;

    std::memcpy(cells, record.data() + CellsOffset, CellCount);
    RestoreState({GetInt32(record, WidthOffset), GetInt32(record, HeightOffset)},
                 static_cast<SpriteType>(record[TypeOffset]));
    return true;
}
