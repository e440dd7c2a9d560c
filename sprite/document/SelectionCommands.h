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
};

CopiedCells CellsToCopy(SpriteDocument& document);
// The selected pixels become white, or masked white on a masked frame;
// floating pixels simply go. Nothing without a selection.
DocumentChange DeleteSelection(SpriteDocument& document);
// The same as the second half of a cut, named so in the history.
DocumentChange CutSelection(SpriteDocument& document);
// The cells float at the frame's top-left corner, selected, clipped to its
// size; an empty picture changes nothing.
DocumentChange PasteCells(SpriteDocument& document, const CellPicture& cells);
