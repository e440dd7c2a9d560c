// The ".pixo" file: one 30732-byte little-endian record, no header.
//   0  width  (int32)     4  height (int32)     8  type (1 byte)
//   9  the 30720 cells, column after column      30729  3 zero bytes
// The whole storage is kept, so pixels hidden by a smaller size survive.
#include <array>
#include <cstdint>
#include <cstring>
#include <string>

#include "AtomicFile.h"
#include "FileRead.h"
#include "U_class.h"
#include "native_file.h"

namespace {

constexpr std::size_t WidthOffset = 0;
constexpr std::size_t HeightOffset = 4;
constexpr std::size_t TypeOffset = 8;
constexpr std::size_t CellsOffset = 9;
constexpr std::size_t RecordSize = CellsOffset + CellCount + 3; // 30732
static_assert(RecordSize == PixoRecordSize);

using Record = std::array<uint8_t, RecordSize>;

void PutInt32(uint8_t* record, std::size_t offset, int32_t value)
{
    const uint32_t bits = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        record[offset + i] = static_cast<uint8_t>(bits >> (8 * i));
}

int32_t GetInt32(const uint8_t* record, std::size_t offset)
{
    uint32_t bits = 0;
    for (int i = 0; i < 4; ++i)
        bits |= static_cast<uint32_t>(record[offset + i]) << (8 * i);
    return static_cast<int32_t>(bits);
}

// The rest of the editor loops over the size and labels the type, so a record
// is only taken when every field lies in the sprite's ranges.
bool IsValidRecord(const uint8_t* record)
{
    const int32_t width = GetInt32(record, WidthOffset);
    const int32_t height = GetInt32(record, HeightOffset);
    const uint8_t type = record[TypeOffset];
    if (width < 1 || width > MaxWidth || height < 1 || height > MaxHeight)
        return false;
    if (type < BlackWhite || type > GrayscaleMasked)
        return false;
    // Every cell is looked at, without an early exit, so that the compiler
    // checks many at once: a set file holds up to 256 records.
    bool valid = true;
    for (std::size_t i = 0; i < CellCount; ++i)
        valid &= IsCellValue(record[CellsOffset + i]);
    return valid;
}

} // namespace

void PutPixoRecord(const Sprite& sprite, uint8_t* record)
{
    std::memset(record, 0, RecordSize);
    PutInt32(record, WidthOffset, sprite.width);
    PutInt32(record, HeightOffset, sprite.height);
    record[TypeOffset] = static_cast<uint8_t>(sprite.type);
    std::memcpy(record + CellsOffset, sprite.cells, CellCount);
}

bool TakePixoRecord(const uint8_t* record, Sprite& sprite)
{
    if (!IsValidRecord(record))
        return false;
    std::memcpy(sprite.cells, record + CellsOffset, CellCount);
    sprite.RestoreState({GetInt32(record, WidthOffset), GetInt32(record, HeightOffset)},
                        static_cast<SpriteType>(record[TypeOffset]));
    return true;
}

std::string Sprite::FileBytes() const
{
    Record record;
    PutPixoRecord(*this, record.data());
    return {reinterpret_cast<const char*>(record.data()), record.size()};
}

bool Sprite::SaveToFile(const std::string& path) const
{
    return !path.empty() && !WriteFileAtomically(path, FileBytes());
}

bool Sprite::LoadFromFile(const std::string& path)
{
    const FileContent content = ReadFileStart(path, PixoRecordSize);
    return content.Read() && content.bytes.size() == PixoRecordSize &&
           TakePixoRecord(reinterpret_cast<const uint8_t*>(content.bytes.data()), *this);
}
