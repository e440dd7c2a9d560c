// Sprites written as text for tests, so a failure shows the picture: one
// string per row, '.' white, 'l' light gray, 'd' dark gray, '#' black, and
// 'W', 'L', 'D', 'B' for the same colors masked.
#pragma once

#include <string>
#include <vector>

#include "U_class.h"

using Rows = std::vector<std::string>;

// A sprite whose size is the text's (row length x row count), drawn with
// SetPixel; storage outside it is white.
Sprite FromRows(const Rows& rows);

// The pixels inside the sprite's current size.
Rows ToRows(const Sprite& sprite);

// The type of the picture inside the current size by a plain scan:
// 1, plus 1 if some pixel is gray, plus 2 if some pixel is masked.
SpriteType RescanType(const Sprite& sprite);
