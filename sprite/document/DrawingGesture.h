// The drawing tools under the mouse: the pencil, the line and the fill, each
// mouse button drawing with the pen it was pressed with, from the press of a
// first button to the release of the last. Cell coordinates of the sprite
// drawn on, (0, 0) top-left; a cell beside the grid has -1 on that axis, and
// what falls outside the storage is ignored by the sprite.
//
// The gesture owns what a stroke needs between events (the pen of each
// button while it draws, the anchor cell); the tool and the pens of the
// buttons are the window's choices, given with each event, so that a tool
// changed in the middle of a stroke takes effect at the next event.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "U_class.h"

enum Tools : int8_t { ToolPencil = 0, ToolLine = 1, ToolFill = 2, ToolSelection = 3 };

constexpr int MouseButtonCount = 3;
// ActivePen entry of a button that is not drawing.
constexpr PenValue NotDrawing = -1;

// The name of the undo step of one gesture of the tool ("crayon").
std::string ToolStepLabel(int tool);

class DrawingGesture {
public:
    DrawingGesture() { ActivePen.fill(NotDrawing); }

    bool IsDrawing(int button) const { return ActivePen[button] != NotDrawing; }
    bool AnyDrawing() const;

    // Each returns true when it drew on the sprite (cells or the line's
    // marks), so that the views are to be drawn again.
    bool Press(Sprite& sprite, int tool, int button, PenValue pen, Point cell);
    bool Move(Sprite& sprite, int tool, Point cell);
    // A release of a button that is not drawing does nothing.
    bool Release(Sprite& sprite, int tool, int button, Point cell);

private:
    // Indexed by mouse button, 0 left, 1 right, 2 middle.
    std::array<PenValue, MouseButtonCount> ActivePen{};
    // The line's start cell, or the pencil's previous cell.
    Point AnchorCell{0, 0};
};
