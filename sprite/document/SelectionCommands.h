// The commands on the selection of the frame being edited: what a copy
// takes, deleting and cutting the selected pixels, pasting cells that float
// until they are dropped. Each change is one undo step; the clipboard itself
// is the window's.
#pragma once

#include "CellPicture.h"
#include "SpriteDocument.h"

struct CopiedCells {
    CellPicture cells;
    bool selected = false; // false: the whole frame, for want of a selection
    Point origin{0, 0};    // where the cells' top-left cell was in the frame
};

CopiedCells CellsToCopy(SpriteDocument& document);
// The selected pixels become white, or masked white on a masked frame;
// floating pixels simply go. Nothing without a selection.
DocumentChange DeleteSelection(SpriteDocument& document);
// The same as the second half of a cut, named so in the history.
DocumentChange CutSelection(SpriteDocument& document);
// The cells float where they were copied from, their top-left cell at
// origin, selected, clipped to the frame's size; moving them while they
// float is part of the paste's step (SpriteDocument::FloatPasted). An empty
// picture changes nothing.
DocumentChange PasteCells(SpriteDocument& document, const CellPicture& cells, Point origin);
