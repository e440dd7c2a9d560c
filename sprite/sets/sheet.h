// Slicing a sprite sheet into the frames of a set: a picture cut into cells
// of W x H pixels, left to right, then top to bottom; the incomplete cells at
// the right and bottom edges are dropped.
#pragma once

#include "CellPicture.h"
#include "sprite_set.h"

// How many whole cells of cellSize the picture holds (0 for a cell size
// outside 1..240 x 1..128).
int SheetFrameCount(const CellPicture& picture, Point cellSize);

// The frames, each of cellSize, its type what its pixels make it; empty when
// the picture holds no whole cell or more than a set's 256.
FrameList SliceSheet(const CellPicture& picture, Point cellSize);

// The sprite's pixels inside its size, as a picture.
CellPicture PictureOfSprite(const Sprite& sprite);
