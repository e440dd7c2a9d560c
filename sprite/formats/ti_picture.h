// Reader of picture variables saved from a TI-89, TI-92 Plus or V200
// (".89i", ".9xi", ".v2i"): the picture becomes the edited sprite, black and
// white, unmasked. Only the size and the pixel rows are read; the header's
// signature, variable type and checksum are not checked.
#pragma once

#include <string>

#include "U_class.h"

// Replaces the sprite's size, type and every cell with the picture's; the
// marks are untouched. Returns false, leaving the sprite unchanged, when the
// file cannot be opened or does not hold a usable picture.
bool ChargerImageTI(Sprite& sprite, const std::string& path);
