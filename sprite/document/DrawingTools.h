// The tools of the sprite view, one entry each: the name of the undo step
// of its gesture, the cell it takes for a pointer beside the grid, whether
// its press selects instead of drawing, and its gesture (what a press, a
// move and a release draw). DrawingGesture and SpriteDocument ask the entry
// of the tool chosen at each event, so a tool is added by adding its entry.
// Cell coordinates of the sprite drawn on, (0, 0) top-left; a cell beside
// the grid has -1 on that axis, and what falls outside the storage is
// ignored by the sprite.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "U_class.h"

// Stored as the window's choice; the values never change.
enum Tools : int8_t {
    ToolPencil = 0,
    ToolLine = 1,
    ToolFill = 2,
    ToolSelection = 3,
    ToolRectangle = 4,
    ToolFilledRectangle = 5,
    ToolEllipse = 6,
    ToolFilledEllipse = 7,
    // Takes a cell's pen for a mouse button; the window's, it draws nothing.
    ToolEyedropper = 8,
};

constexpr int MouseButtonCount = 3;
// ActivePen entry of a button that is not drawing.
constexpr PenValue NotDrawing = -1;

using ButtonPens = std::array<PenValue, MouseButtonCount>;
bool AnyPenHeld(const ButtonPens& pens);

// What a gesture draws with: the sprite, the pen of each mouse button held
// (NotDrawing for the others; 0 left, 1 right, 2 middle), and the anchor,
// the press cell of a line or shape or the pencil's previous cell.
struct Stroke {
    Sprite& sprite;
    const ButtonPens& pens;
    Point& anchor;

    bool AnyDrawing() const { return AnyPenHeld(pens); }
};

// The cell a tool takes for a pointer beside the grid: the one under it
// (-1 on the axis beside the grid), or the nearest cell of the sprite, so
// that a shape or a selection dragged out of the frame stops at its edge.
enum class CellTaken : bool { Under, Nearest };

// A figure drawn from the press cell to another cell.
using Figure = void (*)(Sprite& sprite, Point from, Point to, PenValue pen);

struct DrawingTool {
    Tools tool;
    // The name of the undo step of one gesture ("crayon").
    const char* stepLabel;
    CellTaken cellTaken;
    // Shown in the mark plane while a button is held and drawn at the
    // release (the line and the shapes); nullptr for the tools that draw as
    // they go.
    Figure previewed;
    // The press selects, or drags the selection: the document's own gesture.
    bool selects;
    // Each returns true when it drew on the sprite (cells or marks). A tool
    // without a press draws nothing: its presses start no stroke.
    bool (*press)(const DrawingTool& tool, Stroke& stroke, Point cell);
    bool (*move)(const DrawingTool& tool, Stroke& stroke, Point cell);
    // The release of one button that was drawing, with its pen.
    bool (*release)(const DrawingTool& tool, Stroke& stroke, PenValue pen, Point cell);
};

// The entry of a tool; a value that is no tool draws nothing.
const DrawingTool& DrawingToolOf(int tool);

// The name of the undo step of one gesture of the tool ("crayon").
std::string ToolStepLabel(int tool);
