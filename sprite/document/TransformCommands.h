// Transforms of the frame being edited, or of its selection when there is
// one (mirrors, rotations, one-pixel shifts, inversion), and the pre-shifted
// set made from the frame. Each is one undo step named after the transform.
#pragma once

#include <optional>
#include <string>

#include "SpriteDocument.h"
#include "Transform.h"

// The name of the transform's undo step ("miroir horizontal").
std::string TransformStepLabel(PictureTransform transform);

struct TransformOutcome {
    DocumentChange change;
    // Set when the command was refused: the size it would have made, beyond
    // the 240 x 128 of a screen.
    std::optional<Point> tooLarge = std::nullopt;
};

// A quarter turn of the whole frame swaps its sides, and is refused when the
// turned size does not fit; a selection turns inside the frame.
TransformOutcome TransformPicture(SpriteDocument& document, PictureTransform transform);
// The set becomes the eight copies of the frame shifted right by 0 to 7
// pixels in a frame 8 pixels wider (PreShift.h), as a load replaces it.
TransformOutcome PreShiftFrame(SpriteDocument& document);
