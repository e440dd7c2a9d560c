// The ".pixo" file: one 30732-byte little-endian record, no header.
//   0  width  (int32)     4  height (int32)     8  type (1 byte)
//   9  the 30720 cells, column after column      30729  3 zero bytes
// The whole storage is kept, so pixels hidden by a smaller size survive.
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

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

// Writes the record and closes the file; false when any of it failed.
bool WriteAndClose(std::FILE* file, const Record& record)
{
    bool written = std::fwrite(record.data(), 1, record.size(), file) == record.size();
    written = std::fflush(file) == 0 && written;
    written = fsync(fileno(file)) == 0 && written;
    return std::fclose(file) == 0 && written;
}

// A short name beside the target, in the same folder so that the final
// rename stays on one file system and replaces the target in one step.
std::filesystem::path TemporaryNameFor(const std::filesystem::path& target, int attempt)
{
    return target.parent_path() / (".pixora-" + std::to_string(getpid()) + "-" + std::to_string(attempt) + ".tmp");
}

// The file the path finally names: saving through a link replaces the file
// it points to, not the link.
std::filesystem::path ResolvedTarget(const std::string& path)
{
    std::error_code error;
    const std::filesystem::path resolved = std::filesystem::canonical(path, error);
    return error ? std::filesystem::path(path) : resolved;
}

} // namespace

bool Sprite::SaveToFile(const std::string& path) const
{
    if (path.empty())
        return false;
    Record record{};
    PutInt32(record, WidthOffset, width);
    PutInt32(record, HeightOffset, height);
    record[TypeOffset] = static_cast<uint8_t>(type);
    std::memcpy(record.data() + CellsOffset, cells, CellCount);

    const std::filesystem::path target = ResolvedTarget(path);
    std::error_code error;
    const auto status = std::filesystem::status(target, error);
    const bool exists = std::filesystem::exists(status);
    // A file the user may not write stays as it is, even though the folder
    // would let us replace it.
    if (exists && (!std::filesystem::is_regular_file(status) || access(target.c_str(), W_OK) != 0))
        return false;

    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::filesystem::path temporary = TemporaryNameFor(target, attempt);
        // "x": never write into a file that someone else made under that name.
        std::FILE* file = std::fopen(temporary.c_str(), "wbx");
        if (!file && errno == EEXIST)
            continue;
        if (!file)
            return false;
        bool saved = WriteAndClose(file, record);
        if (saved && exists)
            std::filesystem::permissions(temporary, status.permissions(), error);
        saved = saved && std::rename(temporary.c_str(), target.c_str()) == 0;
        if (!saved)
            std::filesystem::remove(temporary, error);
        return saved;
    }
    return false;
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
