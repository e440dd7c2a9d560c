#include "sprite_file_kind.h"

#include <algorithm>
#include <string>

namespace {

struct KnownExtension {
    std::string_view extension;
    SpriteFileKind kind;
};

constexpr KnownExtension KnownExtensions[] = {
    {".pixo", SpriteFileKind::Native},
    {".pixs", SpriteFileKind::Native},
    {".89i", SpriteFileKind::CalculatorPicture},
    {".9xi", SpriteFileKind::CalculatorPicture},
    {".v2i", SpriteFileKind::CalculatorPicture},
};

char AsciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

SpriteFileKind SpriteFileKindOf(std::string_view path)
{
    // The extension of the last path element only: "sprites.pixo/notes" has none.
    const std::string_view name = path.substr(path.find_last_of('/') + 1);
    const std::size_t dot = name.find_last_of('.');
    if (dot == std::string_view::npos || dot == 0)
        return SpriteFileKind::Unknown;
    std::string extension(name.substr(dot));
    std::transform(extension.begin(), extension.end(), extension.begin(), AsciiLower);
    for (const KnownExtension& known : KnownExtensions)
        if (known.extension == extension)
            return known.kind;
    return SpriteFileKind::Unknown;
}
