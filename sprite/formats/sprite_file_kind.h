// Which reader takes a file, told by its extension in any case: ".pixo" and
// ".pixs" (a set of frames) are the editor's own files, ".89i", ".9xi" and ".v2i" are calculator pictures.
#pragma once

#include <string_view>

enum class SpriteFileKind { Native, CalculatorPicture, Unknown };

SpriteFileKind SpriteFileKindOf(std::string_view path);
