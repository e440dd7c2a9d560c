// A single-variable file of the TI-89 family, little-endian except inside the
// variable: an 82-byte header (signature, default folder, comment, one
// variable entry with its name, type, the file size), then the variable: four
// zero bytes, its length (16-bit big-endian), the picture (height and width
// 16-bit big-endian, rows of (width + 7) / 8 bytes, bit 7 leftmost), the
// picture's type tag, and the 16-bit sum of the bytes from the length to the
// tag.
#include "ti_picture_writer.h"

#include <algorithm>
#include <filesystem>
#include <memory>

#include "AtomicFile.h"
#include "SystemFiles.h"

namespace fs = std::filesystem;

namespace {

constexpr std::size_t HeaderSize = 0x52;
constexpr std::size_t VariableNameSize = 8;
constexpr uint8_t PictureTypeId = 0x10;
constexpr uint8_t PictureTag = 0xDF; // last byte of every picture variable
// The bytes link software writes after the variable entry, A5 then 5A.
constexpr char EntryMark[] = "\xA5\x5A";

const char* Signature(TiModel model)
{
    switch (model) {
    case TiModel::Ti92Plus:
        return "**TI92P*";
    case TiModel::V200:
        return "**V200**";
    case TiModel::Ti89:
        break;
    }
    return "**TI89**";
}

void PutLittle16(std::string& bytes, std::size_t at, unsigned value)
{
    bytes[at] = static_cast<char>(value & 0xFF);
    bytes[at + 1] = static_cast<char>(value >> 8 & 0xFF);
}

void PutLittle32(std::string& bytes, std::size_t at, std::size_t value)
{
    PutLittle16(bytes, at, value & 0xFFFF);
    PutLittle16(bytes, at + 2, value >> 16 & 0xFFFF);
}

void PutBig16(std::string& bytes, std::size_t at, unsigned value)
{
    bytes[at] = static_cast<char>(value >> 8 & 0xFF);
    bytes[at + 1] = static_cast<char>(value & 0xFF);
}

void PutText(std::string& bytes, std::size_t at, const std::string& text)
{
    std::copy(text.begin(), text.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at));
}

bool IsInPlane(const Sprite& sprite, int x, int y, int plane)
{
    if (sprite.GetMask(x, y) == Mask)
        return false;
    const PixelColor color = sprite.GetColor(x, y);
    return plane == 0 ? color != White : (color & plane) != 0;
}

// The picture as the calculator stores it: size, then rows with their unused
// low bits zero.
std::string PictureContent(const Sprite& sprite, int plane)
{
    const int rowBytes = (sprite.width + 7) / 8;
    std::string content(4 + static_cast<std::size_t>(rowBytes) * sprite.height, '\0');
    PutBig16(content, 0, sprite.height);
    PutBig16(content, 2, sprite.width);
    for (int y = 0; y < sprite.height; ++y)
        for (int x = 0; x < sprite.width; ++x)
            if (IsInPlane(sprite, x, y, plane))
                content[4 + static_cast<std::size_t>(y) * rowBytes + x / 8] |= static_cast<char>(0x80 >> (x % 8));
    return content + static_cast<char>(PictureTag);
}

std::string PlanePath(const std::string& path, const char* suffix)
{
    fs::path planePath = NativePath(path);
    const std::string extension = NativeName(planePath.extension());
    planePath.replace_filename(NativePath(NativeName(planePath.stem()) + suffix + extension));
    return NativeName(planePath);
}

} // namespace

const char* const VariableNameRule =
    "un nom de variable a de 1 à 8 caractères, lettres, chiffres et _, et commence par une lettre";

std::optional<TiModel> TiModelOfPath(const std::string& path)
{
    const std::string extension = LoweredVariableName(NativeName(NativePath(path).extension()));
    if (extension == ".89i")
        return TiModel::Ti89;
    if (extension == ".9xi")
        return TiModel::Ti92Plus;
    if (extension == ".v2i")
        return TiModel::V200;
    return std::nullopt;
}

bool IsValidVariableName(const std::string& name)
{
    if (name.empty() || name.size() > VariableNameSize || name[0] < 'a' || name[0] > 'z')
        return false;
    return std::all_of(name.begin(), name.end(),
                       [](char c) { return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_'; });
}

std::string LoweredVariableName(std::string name)
{
    std::transform(name.begin(), name.end(), name.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return name;
}

std::string VariableNameOfPath(const std::string& path)
{
    std::string name;
    for (const char c : LoweredVariableName(NativeName(NativePath(path).stem()))) {
        const bool letter = c >= 'a' && c <= 'z';
        const bool valid = letter || (c >= '0' && c <= '9') || c == '_';
        if (valid && (letter || !name.empty()))
            name += c;
        if (name.size() == VariableNameSize)
            break;
    }
    return name;
}

std::vector<TiPictureFile> PlanTiPictures(const std::string& path, const std::string& variableName, bool gray)
{
    if (!gray)
        return {{path, variableName, 0}};
    const std::string base = variableName.substr(0, VariableNameSize - 2);
    return {{PlanePath(path, "_l"), base + "_l", 1}, {PlanePath(path, "_d"), base + "_d", 2}};
}

std::string TiPictureBytes(const Sprite& sprite, TiModel model, const std::string& variableName, int plane)
{
    const std::string content = PictureContent(sprite, plane);
    std::string variable(2, '\0');
    PutBig16(variable, 0, static_cast<unsigned>(content.size()));
    variable += content;
    unsigned checksum = 0;
    for (char byte : variable)
        checksum += static_cast<uint8_t>(byte);

    std::string file(HeaderSize, '\0');
    PutText(file, 0x00, Signature(model));
    PutLittle16(file, 0x08, 0x0001);
    PutText(file, 0x0A, "main");
    PutText(file, 0x12, "Image Pixora");
    PutLittle16(file, 0x3A, 1); // one variable
    PutLittle32(file, 0x3C, HeaderSize);
    PutText(file, 0x40, variableName.substr(0, VariableNameSize));
    file[0x48] = static_cast<char>(PictureTypeId);
    PutLittle32(file, 0x4C, HeaderSize + 4 + variable.size() + 2);
    PutText(file, 0x50, EntryMark);
    file += std::string(4, '\0') + variable;
    file += std::string(2, '\0');
    PutLittle16(file, file.size() - 2, checksum & 0xFFFF);
    return file;
}

std::error_code WriteTiPictures(const Sprite& sprite, TiModel model, const std::vector<TiPictureFile>& files)
{
    std::vector<std::unique_ptr<PendingFile>> pending;
    for (const TiPictureFile& file : files) {
        pending.push_back(std::make_unique<PendingFile>(file.path));
        if (const std::error_code error = pending.back()->Status())
            return error;
        if (const std::error_code error =
                pending.back()->Write(TiPictureBytes(sprite, model, file.variableName, file.plane)))
            return error;
    }
    for (auto& file : pending)
        if (const std::error_code error = file->Commit())
            return error;
    return {};
}
