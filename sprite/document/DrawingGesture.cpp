#include "DrawingGesture.h"

#include "shapes.h"

namespace {

void DrawShape(Sprite& sprite, int tool, Point corner, Point opposite, PenValue pen)
{
    switch (tool) {
    case ToolRectangle:
    case ToolFilledRectangle:
        DrawRectangle(sprite, corner, opposite, pen,
                      tool == ToolFilledRectangle ? ShapeFill::Filled : ShapeFill::Outline);
        break;
    case ToolEllipse:
    case ToolFilledEllipse:
        DrawEllipse(sprite, corner, opposite, pen, tool == ToolFilledEllipse ? ShapeFill::Filled : ShapeFill::Outline);
        break;
    default:
        break;
    }
}

// The drawings shown in the mark plane until the release.
bool IsPreviewed(int tool)
{
    return tool == ToolLine || IsShapeTool(tool);
}

} // namespace

bool IsShapeTool(int tool)
{
    return tool == ToolRectangle || tool == ToolFilledRectangle || tool == ToolEllipse || tool == ToolFilledEllipse;
}

std::string ToolStepLabel(int tool)
{
    switch (tool) {
    case ToolLine:
        return "ligne";
    case ToolFill:
        return "remplissage";
    case ToolSelection:
        return "déplacement de la sélection";
    case ToolRectangle:
        return "rectangle";
    case ToolFilledRectangle:
        return "rectangle plein";
    case ToolEllipse:
        return "ellipse";
    case ToolFilledEllipse:
        return "ellipse pleine";
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
    if (tool != ToolPencil && tool != ToolLine && tool != ToolFill && !IsShapeTool(tool))
        return false;
    ActivePen[button] = pen;
    if (IsShapeTool(tool)) {
        // A press alone draws its one cell at the release: shown at once.
        AnchorCell = cell;
        sprite.ClearMarks();
        DrawShape(sprite, tool, AnchorCell, cell, Mark);
        return true;
    }
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
        if (drawing && IsShapeTool(tool)) {
            sprite.ClearMarks();
            DrawShape(sprite, tool, AnchorCell, cell, Mark);
        }
        return drawing && IsShapeTool(tool);
    }
}

bool DrawingGesture::Release(Sprite& sprite, int tool, int button, Point cell)
{
    if (!IsDrawing(button))
        return false;
    const bool drew = IsPreviewed(tool);
    if (drew) {
        sprite.ClearMarks();
        if (tool == ToolLine)
            sprite.DrawLine(AnchorCell.x, AnchorCell.y, cell.x, cell.y, ActivePen[button]);
        else
            DrawShape(sprite, tool, AnchorCell, cell, ActivePen[button]);
    }
    ActivePen[button] = NotDrawing;
    return drew;
}

bool DrawingGesture::Cancel(Sprite& sprite)
{
    if (!AnyDrawing())
        return false;
    sprite.ClearMarks();
    ActivePen.fill(NotDrawing);
    return true;
}
