#include "DrawingGesture.h"

std::string ToolStepLabel(int tool)
{
    switch (tool) {
    case ToolLine:
        return "ligne";
    case ToolFill:
        return "remplissage";
    case ToolSelection:
        return "déplacement de la sélection";
    default:
        return "crayon";
    }
}

bool DrawingGesture::AnyDrawing() const
{
    for (int k = 0; k < MouseButtonCount; ++k) {
        if (IsDrawing(k))
            return true;
    }
    return false;
}

// Every button held draws, in the order left, right, middle, so that the
// last one's pen is what the cell shows.
bool DrawingGesture::Press(Sprite& sprite, int tool, int button, PenValue pen, Point cell)
{
    if (tool != ToolPencil && tool != ToolLine && tool != ToolFill)
        return false;
    ActivePen[button] = pen;
    switch (tool) {
    case ToolPencil:
        AnchorCell = cell;
        for (int k = 0; k < MouseButtonCount; ++k) {
            if (IsDrawing(k))
                sprite.SetPixel(cell.x, cell.y, ActivePen[k]);
        }
        return true;
    case ToolLine:
        AnchorCell = cell;
        return false;
    case ToolFill:
        for (int k = 0; k < MouseButtonCount; ++k) {
            if (IsDrawing(k))
                sprite.FloodFill(cell.x, cell.y, ActivePen[k], sprite.GetColor(cell.x, cell.y));
        }
        return true;
    default:
        return false;
    }
}

// The pencil follows the pointer even between strokes, so that a press
// starts from where the pointer is.
bool DrawingGesture::Move(Sprite& sprite, int tool, Point cell)
{
    const bool drawing = AnyDrawing();
    switch (tool) {
    case ToolPencil:
        for (int k = 0; k < MouseButtonCount; ++k) {
            if (IsDrawing(k))
                sprite.DrawLine(AnchorCell.x, AnchorCell.y, cell.x, cell.y, ActivePen[k]);
        }
        AnchorCell = cell;
        return drawing;
    case ToolLine:
        if (drawing) {
            sprite.ClearMarks();
            sprite.DrawLine(AnchorCell.x, AnchorCell.y, cell.x, cell.y, Mark);
        }
        return drawing;
    default:
        return false;
    }
}

bool DrawingGesture::Release(Sprite& sprite, int tool, int button, Point cell)
{
    if (!IsDrawing(button))
        return false;
    const bool drew = tool == ToolLine;
    if (drew) {
        sprite.ClearMarks();
        sprite.DrawLine(AnchorCell.x, AnchorCell.y, cell.x, cell.y, ActivePen[button]);
    }
    ActivePen[button] = NotDrawing;
    return drew;
}
