// Drawing without the mouse: a cell cursor in the main view, moved with the
// arrow keys; Space paints with the left button's pen, Shift + Space with
// the right button's, Ctrl + Space with the middle button's, and holding
// Space while moving draws one stroke, one undo step.

#include "U_main.h"

void TForm1::MoveKeyboardCell(int dx, int dy)
{
    const DocumentChange change = document.MoveKeyboardCell(dx, dy);
    ShowCellPosition(document.KeyboardCell());
    ShowDocumentChange(change);
}

void TForm1::KeyboardPenDown(int button)
{
    const DocumentChange change = document.KeyboardPenDown(ButtonPen[button]);
    ShowCellPosition(document.KeyboardCell());
    ShowDocumentChange(change);
}

void TForm1::EndKeyboardStroke()
{
    ShowDocumentChange(document.EndKeyboardStroke());
}
