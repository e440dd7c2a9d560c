// The onion skin of a set: the frame before the current one, shown faintly
// in the cells of the current frame that are white or masked (transparent
// in a game, whatever color they hide) and unmarked, so that the current
// frame's own pixels always read as they are. Cell coordinates of the
// current frame.
#pragma once

#include "U_class.h"
#include "sprite_set.h"

// The frame before the current one, or null for the first frame.
const Sprite* OnionSkinFrame(const SpriteSet& set);

// What shows through cell (x, y) of current: the color of previous there,
// or White where nothing shows.
PixelColor OnionSkinColor(const Sprite& current, const Sprite& previous, int x, int y);
