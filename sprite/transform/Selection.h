// The selection of the main view: a rectangle of cells of the sprite and,
// once its pixels have been moved, transformed or pasted, those pixels
// floating above the rest of the picture until they are dropped.
//
// Floating pixels are always shown in the sprite itself, placed over a copy
// of the storage as it was beneath them, so moving them again never wipes
// what they pass over and every change is an ordinary change of the sprite
// for the undo history. Any other change of the sprite (a pencil stroke, an
// undo, a load) drops them where they are and ends the selection. A plain selection is clipped to
// the sprite's current size; floating pixels may hang over its edges, and
// only what lies inside the size is ever written.
#pragma once

#include <vector>

#include "CellPicture.h"
#include "Transform.h"
#include "U_class.h"

class SpriteSelection {
public:
    // Each call first catches up with changes of the sprite made elsewhere.
    bool IsActive(const Sprite& sprite);
    bool IsFloating(const Sprite& sprite);
    // The selected cells; while floating, where the floating pixels are.
    CellRect Bounds(const Sprite& sprite);

    // Selects the rectangle with these two corner cells, clipped to the
    // sprite; floating pixels are dropped first.
    void Select(const Sprite& sprite, Point corner, Point oppositeCorner);
    // Drops floating pixels where they are and selects nothing.
    void Deselect();

    // The floating pixels whole, or the sprite's cells inside the selection.
    CellPicture Pixels(const Sprite& sprite);
    // Clears the selected pixels to white, or masked white on a masked
    // sprite; floating pixels simply go.
    void Erase(Sprite& sprite);
    // Floats the selected pixels (their place becomes white as for Erase)
    // and puts their top-left cell at topLeft.
    void MoveTo(Sprite& sprite, Point topLeft);
    // Floats the selected pixels and transforms them where they are; a
    // quarter turn keeps the top-left cell and swaps the sides.
    void Transform(Sprite& sprite, PictureTransform transform);
    // Drops any floating pixels and floats these with their top-left cell at
    // topLeft, clipped to the sprite's size; nothing is selected when no
    // cell of them lands inside it.
    void Float(Sprite& sprite, const CellPicture& picture, Point topLeft);

private:
    void CatchUp(const Sprite& sprite);
    void Lift(Sprite& sprite);
    void Place(Sprite& sprite);

    CellRect bounds;
    bool floating = false;
    CellPicture floatingPixels;
    std::vector<int8_t> beneath; // the storage under the floating pixels
    std::vector<int8_t> placed;  // the storage as the floating pixels were last placed
    Point placedSize{0, 0};
};
