// Pre-shifted copies of a sprite, for calculator programs that draw a sprite
// at any column without shifting it at run time: copy k holds the sprite
// shifted right by k pixels in a sprite wide enough for the shift, in the
// widths the drawing routines take.
#pragma once

#include <vector>

#include "U_class.h"

constexpr int PreShiftCount = 8;

// The width of the copies: the sprite shifted by 7 must fit, in the 8, 16
// or 32 columns of the byte, word and long drawing routines, or beyond 32
// in whole bytes. A 16-pixel sprite shifted by 7 needs 23 columns and gets
// 32, the width of the routine that draws it.
int PreShiftedWidth(int width);

// Fills frames with the 8 copies, shifted by 0 to 7, each PreShiftedWidth
// wide; the columns the sprite does not cover are white, masked white when
// the sprite is masked, and each frame's type is what its pixels make it.
// Returns false and leaves frames alone when the copies would be wider
// than 240.
bool PreShiftedFrames(const Sprite& sprite, std::vector<Sprite>& frames);
