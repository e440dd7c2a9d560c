#include "sprite_file_kind.h"

#include "InputFrames.h"

SpriteFileKind SpriteFileKindOf(std::string_view path)
{
    switch (InputKindOf(std::string(path))) {
    case InputKind::Native:
    case InputKind::Set:
        return SpriteFileKind::Native;
    case InputKind::CalculatorPicture:
        return SpriteFileKind::CalculatorPicture;
    default:
        return SpriteFileKind::Unknown;
    }
}

bool IsImageFileName(const std::string& path)
{
    return InputKindOf(path) == InputKind::Picture;
}

bool HasExtension(std::string_view path, std::string_view lowered)
{
    return LoweredExtension(path) == lowered;
}
