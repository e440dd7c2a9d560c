// The drawing tools under the mouse: the pencil, the line, the fill and the
// shapes (boxes and ellipses, outlined or filled), each mouse button drawing
// with the pen it was pressed with, from the press of a first button to the
// release of the last. The line and the shapes show what they will draw in
// the mark plane while a button is held, and draw it at the release. Cell coordinates of the sprite
// drawn on, (0, 0) top-left; a cell beside the grid has -1 on that axis, and
// what falls outside the storage is ignored by the sprite.
//
// The gesture owns what a stroke needs between events (the pen of each
// button while it draws, the anchor cell); the tool and the pens of the
// buttons are the window's choices, given with each event, so that a tool
// changed in the middle of a stroke takes effect at the next event. What
// each tool draws is its entry's (DrawingTools.h).
#pragma once

#include <array>

#include "DrawingTools.h"
#include "U_class.h"

class DrawingGesture {
public:
    DrawingGesture() { ActivePen.fill(NotDrawing); }

    bool IsDrawing(int button) const { return ActivePen[button] != NotDrawing; }
    bool AnyDrawing() const { return AnyPenHeld(ActivePen); }

    // Each returns true when it drew on the sprite (cells or the line's
    // marks), so that the views are to be drawn again.
    bool Press(Sprite& sprite, int tool, int button, PenValue pen, Point cell);
    bool Move(Sprite& sprite, int tool, Point cell);
    // A release of a button that is not drawing does nothing.
    bool Release(Sprite& sprite, int tool, int button, Point cell);
    // Stops every button that is drawing and takes a preview away; true
    // when a button was drawing. What the gesture drew is the caller's to
    // take back.
    bool Cancel(Sprite& sprite);

private:
    Stroke StrokeOn(Sprite& sprite) { return {sprite, ActivePen, AnchorCell}; }

    // Indexed by mouse button, 0 left, 1 right, 2 middle.
    ButtonPens ActivePen{};
    // The line's start cell, or the pencil's previous cell.
    Point AnchorCell{0, 0};
};
