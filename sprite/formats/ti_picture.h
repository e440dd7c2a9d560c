// Reader of picture variables saved from a TI-89, TI-92 Plus or V200
// (".89i", ".9xi", ".v2i"): the picture becomes the edited sprite, black and
// white, unmasked. Only the size and the pixel rows are read; the header's
// signature, variable type and checksum are not checked.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "U_class.h"

// The bytes of the largest picture the reader takes: the header and 128 rows
// of 30 bytes; what follows (the tag and the checksum) is not read.
constexpr std::size_t MaxTiPictureBytes = 92 + 30 * 128;

// Replaces the sprite's size, type and every cell with the picture's; the
// marks are untouched. Returns false, leaving the sprite unchanged, when the
// file cannot be read (FileRead.h) or does not hold a usable picture.
bool ChargerImageTI(Sprite& sprite, const std::string& path);
// The same from the file's bytes.
bool TakeTiPicture(std::string_view bytes, Sprite& sprite);
