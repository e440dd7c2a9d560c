// The file kinds of the editor's open and import commands, told apart by
// InputKindOf (InputFrames.h): ".pixo" and ".pixs" (a set of frames) are the
// editor's own files, ".89i", ".9xi" and ".v2i" are calculator pictures;
// ".png", ".bmp", ".gif", ".jpg" and ".jpeg" are pictures of other programs,
// which only the image decoders read.
#pragma once

#include <string>
#include <string_view>

enum class SpriteFileKind { Native, CalculatorPicture, Unknown };

SpriteFileKind SpriteFileKindOf(std::string_view path);

// ".png", ".bmp", ".gif", ".jpg" or ".jpeg", in any case.
bool IsImageFileName(const std::string& path);

// Whether the last path element's extension is lowered (".pixm"), in any case.
bool HasExtension(std::string_view path, std::string_view lowered);
