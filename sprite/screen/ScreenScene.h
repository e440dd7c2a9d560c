// What the calculator screen window shows, without the window: a frame (or
// a text in a font) at a position, in a mode, over a background, on the
// screen of a model; and how the position follows the arrow keys and the
// mouse. Screen coordinates as CalculatorScreen's.
#pragma once

#include <optional>
#include <vector>

#include "CalculatorScreen.h"
#include "ScreenFont.h"

struct ScreenScene {
    CalculatorModel model = CalculatorModel::Ti92Plus;
    std::optional<DrawMode> mode; // nothing: the sprite's default (DefaultDrawMode)
    Point position{0, 0};
    const Sprite* background = nullptr; // nothing: a white screen
};

// A text drawn instead of the frame: its codes, in a font of these glyphs.
struct SceneText {
    std::vector<int> codes;
    std::vector<const Sprite*> glyphs;
    FontSpec font;
};

CalculatorScreen ComposeScene(const ScreenScene& scene, const Sprite& frame);
// Codes outside the font are left out (FirstMissingCode names them).
CalculatorScreen ComposeSceneText(const ScreenScene& scene, const SceneText& text);

// The position moved by (dx, dy), held within -10000..10000.
Point MovedPosition(Point position, int dx, int dy);
// The position a drag gives: where it started, plus the pointer's travel
// in whole screen pixels of the zoom (rounded towards minus infinity).
Point DraggedPosition(Point start, Point pressed, Point pointer, int zoom);
