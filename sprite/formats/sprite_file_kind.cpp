#include "sprite_file_kind.h"

#include <algorithm>
#include <string>

namespace {

struct KnownExtension {
    std::string_view extension;
    SpriteFileKind kind;
};

constexpr KnownExtension KnownExtensions[] = {
    {".pixo", SpriteFileKind::Native},           {".pixs", SpriteFileKind::Native},
    {".89i", SpriteFileKind::CalculatorPicture}, {".9xi", SpriteFileKind::CalculatorPicture},
    {".v2i", SpriteFileKind::CalculatorPicture},
};

char AsciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// The extension of the last path element only, lowered: "sprites.pixo/notes" has none.
std::string LoweredExtension(std::string_view path)
{
#if defined(_WIN32)
    const char* separators = "/\\";
#else
    const char* separators = "/";
#endif
    const std::string_view name = path.substr(path.find_last_of(separators) + 1);
    const std::size_t dot = name.find_last_of('.');
    if (dot == std::string_view::npos || dot == 0)
        return {};
    std::string extension(name.substr(dot));
    std::transform(extension.begin(), extension.end(), extension.begin(), AsciiLower);
    return extension;
}

} // namespace

SpriteFileKind SpriteFileKindOf(std::string_view path)
{
    const std::string extension = LoweredExtension(path);
    for (const KnownExtension& known : KnownExtensions)
        if (known.extension == extension)
            return known.kind;
    return SpriteFileKind::Unknown;
}

bool IsImageFileName(const std::string& path)
{
    const std::string extension = LoweredExtension(path);
    for (const char* known : {".png", ".bmp", ".gif", ".jpg", ".jpeg"})
        if (extension == known)
            return true;
    return false;
}

bool HasExtension(std::string_view path, std::string_view lowered)
{
    return LoweredExtension(path) == lowered;
}
