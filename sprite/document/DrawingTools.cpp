#include "DrawingTools.h"

#include <algorithm>

#include "shapes.h"

namespace {

// Every button held draws, in the order left, right, middle, so that the
// last one's pen is what the cell shows.
template <typename Draw> void WithEachHeldPen(const Stroke& stroke, Draw draw)
{
    for (const PenValue pen : stroke.pens) {
        if (pen != NotDrawing)
            draw(pen);
    }
}

bool PencilPress(const DrawingTool&, Stroke& stroke, Point cell)
{
    stroke.anchor = cell;
    WithEachHeldPen(stroke, [&](PenValue pen) { stroke.sprite.SetPixel(cell.x, cell.y, pen); });
    return true;
}

// The pencil follows the pointer even between strokes, so that a press
// starts from where the pointer is.
bool PencilMove(const DrawingTool&, Stroke& stroke, Point cell)
{
    const Point from = stroke.anchor;
    WithEachHeldPen(stroke, [&](PenValue pen) { stroke.sprite.DrawLine(from.x, from.y, cell.x, cell.y, pen); });
    stroke.anchor = cell;
    return stroke.AnyDrawing();
}

bool FillPress(const DrawingTool&, Stroke& stroke, Point cell)
{
    WithEachHeldPen(stroke, [&](PenValue pen) {
        stroke.sprite.FloodFill(cell.x, cell.y, pen, stroke.sprite.GetColor(cell.x, cell.y));
    });
    return true;
}

bool DrawsNothing(const DrawingTool&, Stroke&, Point)
{
    return false;
}

bool ReleasesNothing(const DrawingTool&, Stroke&, PenValue, Point)
{
    return false;
}

void ShowPreview(const DrawingTool& tool, Stroke& stroke, Point cell)
{
    stroke.sprite.ClearMarks();
    tool.previewed(stroke.sprite, stroke.anchor, cell, Mark);
}

// The line shows nothing until the pointer moves.
bool AnchorPress(const DrawingTool&, Stroke& stroke, Point cell)
{
    stroke.anchor = cell;
    return false;
}

// A shape pressed and released on one cell draws that cell: shown at once.
bool PreviewPress(const DrawingTool& tool, Stroke& stroke, Point cell)
{
    stroke.anchor = cell;
    ShowPreview(tool, stroke, cell);
    return true;
}

bool PreviewMove(const DrawingTool& tool, Stroke& stroke, Point cell)
{
    if (!stroke.AnyDrawing())
        return false;
    ShowPreview(tool, stroke, cell);
    return true;
}

bool FigureRelease(const DrawingTool& tool, Stroke& stroke, PenValue pen, Point cell)
{
    stroke.sprite.ClearMarks();
    tool.previewed(stroke.sprite, stroke.anchor, cell, pen);
    return true;
}

void Line(Sprite& sprite, Point from, Point to, PenValue pen)
{
    sprite.DrawLine(from.x, from.y, to.x, to.y, pen);
}

template <ShapeFill fill> void Rectangle(Sprite& sprite, Point from, Point to, PenValue pen)
{
    DrawRectangle(sprite, from, to, pen, fill);
}

template <ShapeFill fill> void Ellipse(Sprite& sprite, Point from, Point to, PenValue pen)
{
    DrawEllipse(sprite, from, to, pen, fill);
}

constexpr auto Under = CellTaken::Under;
constexpr auto Nearest = CellTaken::Nearest;

// The eyedropper's presses are the window's; its label names no step kept,
// since it never draws.
const DrawingTool Entries[] = {
    {ToolPencil, "crayon", Under, nullptr, false, PencilPress, PencilMove, ReleasesNothing},
    {ToolLine, "ligne", Under, Line, false, AnchorPress, PreviewMove, FigureRelease},
    {ToolFill, "remplissage", Under, nullptr, false, FillPress, DrawsNothing, ReleasesNothing},
    {ToolSelection, "déplacement de la sélection", Nearest, nullptr, true, nullptr, DrawsNothing, ReleasesNothing},
    {ToolRectangle, "rectangle", Nearest, Rectangle<ShapeFill::Outline>, false, PreviewPress, PreviewMove,
     FigureRelease},
    {ToolFilledRectangle, "rectangle plein", Nearest, Rectangle<ShapeFill::Filled>, false, PreviewPress, PreviewMove,
     FigureRelease},
    {ToolEllipse, "ellipse", Nearest, Ellipse<ShapeFill::Outline>, false, PreviewPress, PreviewMove, FigureRelease},
    {ToolFilledEllipse, "ellipse pleine", Nearest, Ellipse<ShapeFill::Filled>, false, PreviewPress, PreviewMove,
     FigureRelease},
    {ToolEyedropper, "crayon", Under, nullptr, false, nullptr, DrawsNothing, ReleasesNothing},
};

// A value that is no tool (a window's stale choice) draws nothing, as the
// eyedropper does.
const DrawingTool NoTool = {ToolPencil, "crayon", Under, nullptr, false, nullptr, DrawsNothing, ReleasesNothing};

} // namespace

bool AnyPenHeld(const ButtonPens& pens)
{
    return std::any_of(pens.begin(), pens.end(), [](PenValue pen) { return pen != NotDrawing; });
}

const DrawingTool& DrawingToolOf(int tool)
{
    const auto* entry = std::find_if(std::begin(Entries), std::end(Entries),
                                     [tool](const DrawingTool& each) { return each.tool == tool; });
    return entry != std::end(Entries) ? *entry : NoTool;
}

std::string ToolStepLabel(int tool)
{
    return DrawingToolOf(tool).stepLabel;
}
