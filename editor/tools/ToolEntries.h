// The tools of the views on the window's side, one entry each: how the user
// chooses it, the cursor it shows over its view, and its gesture. For the
// sprite view the gesture is the document's entry of the same tool
// (DrawingTools.h); the entry adds the key that chooses the tool, the button
// that is down while it is the tool and the picture that button shows. The
// map window's gestures are entries of the same shape, chosen by a mouse
// button instead of a key (MapWindow.cpp). A view's new tool is one more
// entry here and, for the sprite view, one in DrawingTools.
#pragma once

#include <QCursor>
#include <QIcon>
#include <QKeyCombination>
#include <span>

#include "DrawingTools.h"

// The pointer over a view while a tool is chosen.
enum class ToolCursor { Cross, Bucket, Dropper, SizeAll, DiagonalSize, PointingHand };
QCursor CursorOf(ToolCursor cursor);

struct SpriteViewTool {
    Tools tool;
    QKeyCombination key;
    // The object name of the button down while it is the tool: the filled
    // shapes share their outlined shape's button.
    const char* button;
    ToolCursor cursor;
    // What that button shows while it stands for the tool; nullptr for the
    // designed buttons, which keep their own pictures.
    QIcon (*picture)();
};

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
