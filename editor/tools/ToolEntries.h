// The tools of the views on the window's side, one entry each: how the user
// chooses it, the cursor it shows over its view, and its gesture. For the
// sprite view the gesture is the document's entry of the same tool
// (DrawingTools.h), chosen by a key or a button; the map window's gestures
// are entries of the same shape, chosen by a mouse button, and are the
// window's handlers (MapWindow.cpp). A view's new tool is one more entry,
// a new view one more table.
#pragma once

#include <QCursor>
#include <QIcon>
#include <QKeyCombination>
#include <span>

#include "DrawingTools.h"

// The pointer over a view while a tool is chosen.
enum class ToolCursor { Cross, Bucket, Dropper, SizeAll, DiagonalSize, PointingHand };
QCursor CursorOf(ToolCursor cursor);

// The shape of every view's tool entry: how the user chooses the tool, the
// cursor the view shows while it is chosen, and its gesture, each view
// giving its own kind of choice and of gesture.
template <typename Choice, typename Gesture> struct ViewTool {
    Choice chosenBy;
    ToolCursor cursor;
    Gesture gesture;
};

// A tool of the sprite view is chosen by its key or its button, which is
// down while it is the tool.
struct SpriteToolChoice {
    QKeyCombination key;
    // The button's object name: the filled shapes share their outlined
    // shape's button.
    const char* button;
    // What that button shows while it stands for the tool; nullptr for the
    // designed buttons, which keep their own pictures.
    QIcon (*picture)();
};

// Its gesture is the document's entry of the tool (DrawingTools.h).
using SpriteViewTool = ViewTool<SpriteToolChoice, Tools>;

std::span<const SpriteViewTool> SpriteViewTools();
const SpriteViewTool& SpriteViewToolOf(int tool);

// Where a button added beside the designed three sits: in the row of the
// drawing tools or first in the transforms' row (the selection).
enum class ToolButtonRow { Drawing, Transforms };

// A tool button added beside the designed ones. Its first click chooses the
// tool it shows; a second click, while that tool is chosen, switches to its
// other tool (the filled shape, or back), when it has one.
struct AddedToolButton {
    const char* name;
    const char* hint;
    ToolButtonRow row;
    Tools tool;
    Tools otherTool;

    bool Has(int chosen) const { return chosen == tool || chosen == otherTool; }
};

std::span<const AddedToolButton> AddedToolButtons();
// The added button that stands for the tool, nullptr for a designed one.
const AddedToolButton* AddedButtonOf(int tool);
