// Drawing without the mouse: a cell cursor in the main view, moved with the
// arrow keys; Space paints with the left button's pen, Shift + Space with
// the right button's, Ctrl + Space with the middle button's, and holding
// Space while moving draws one stroke, one undo step.
#include <QLineEdit>
#include <algorithm>

#include "U_main.h"

namespace {

// The cursor stays inside the current size, which may have shrunk since.
Point Inside(const Sprite& sprite, Point cell)
{
    return {std::clamp(cell.x, 0, sprite.width - 1), std::clamp(cell.y, 0, sprite.height - 1)};
}

} // namespace

void TForm1::MoveKeyboardCell(int dx, int dy)
{
    const Point from = Inside(sprite, KeyboardCell);
    const Point to = Inside(sprite, {from.x + dx, from.y + dy});
    KeyboardCell = to;
    KeyboardCellShown = true;
    if (KeyboardPen != NotDrawing) {
        // Another command may have closed the stroke's step meanwhile; what
        // the stroke draws next is a step of its own.
        ResumeSpriteStep();
        sprite.DrawLine(from.x, from.y, to.x, to.y, KeyboardPen);
    }
    ShowCellPosition(to);
    RedrawBothViews();
}

// Only a cell of the grid on both axes moves the cursor; its frame is
// redrawn only when it is shown and has moved.
void TForm1::FollowPointer(Point cell)
{
    if (cell.x == -1 || cell.y == -1 || cell == KeyboardCell)
        return;
    KeyboardCell = cell;
    if (KeyboardCellShown)
        RedrawBothViews();
}

void TForm1::KeyboardPenDown(int button)
{
    KeyboardCell = Inside(sprite, KeyboardCell);
    KeyboardCellShown = true;
    BeginSpriteStep();
    KeyboardPen = ButtonPen[button];
    sprite.SetPixel(KeyboardCell.x, KeyboardCell.y, KeyboardPen);
    ShowCellPosition(KeyboardCell);
    RedrawBothViews();
}

void TForm1::EndKeyboardStroke()
{
    if (KeyboardPen == NotDrawing)
        return;
    KeyboardPen = NotDrawing;
    CommitSpriteStep(QStringLiteral("crayon au clavier"));
}
