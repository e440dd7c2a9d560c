// Pre-shifted copies of a sprite, for calculator programs that draw a sprite
// at any column without shifting it at run time: frame k holds the sprite
// shifted right by k pixels in a sprite 8 pixels wider.
#pragma once

#include <vector>

#include "U_class.h"

constexpr int PreShiftCount = 8;

// Fills frames with the 8 copies, shifted by 0 to 7, each widened by 8;
// the columns the sprite does not cover are white, masked white when the
// sprite is masked, and each frame's type is what its pixels make it.
// Returns false and leaves frames alone when the widened sprite would be
// wider than 240.
bool PreShiftedFrames(const Sprite& sprite, std::vector<Sprite>& frames);
