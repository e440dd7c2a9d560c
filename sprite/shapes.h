// Boxes and ellipses between two corner cells, and the pen that paints a
// cell as it is (what the eyedropper takes). Cell coordinates of the sprite,
// (0, 0) top-left; the two corners may be given in any order, and the shape
// is the box they span, both included. Like the line, a shape draws nothing
// when a corner lies outside the sprite's current size, and it writes
// through SetPixel, so that the type stays what single writes make it and
// the Mark pen previews exactly the cells the button's pen will draw.
#pragma once

#include <optional>

#include "U_class.h"

enum class ShapeFill : bool { Outline, Filled };

// The cells on the box's border, or all of them.
void DrawRectangle(Sprite& sprite, Point corner, Point opposite, PenValue pen, ShapeFill fill);

// The ellipse inscribed in the box: the cells whose centre lies inside it,
// and the box's middle row and column, so that however thin the box the
// shape touches its four sides (a box one cell wide or high gives a line).
// The outline is the cells of that shape with a side on a cell outside it,
// a closed 8-connected ring. Both are symmetric left-right and top-bottom.
void DrawEllipse(Sprite& sprite, Point corner, Point opposite, PenValue pen, ShapeFill fill);

// The color of the cell, or Mask when it is masked; nothing beside the
// grid (-1 on an axis) or outside the current size.
std::optional<PenValue> PenOfCell(const Sprite& sprite, Point cell);
