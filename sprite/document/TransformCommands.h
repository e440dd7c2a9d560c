// Transforms of the frame being edited, or of its selection when there is
// one (mirrors, rotations, one-pixel shifts, inversion), and the pre-shifted
// set made from the frames. Each is one undo step named after the transform.
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
    // Set when the command was refused: the number of frames it would have
    // made, beyond the MaxFrames of a set.
    std::optional<int> tooManyFrames = std::nullopt;
};

// A quarter turn of the whole frame swaps its sides, and is refused when the
// turned size does not fit; a selection turns inside the frame.
TransformOutcome TransformPicture(SpriteDocument& document, PictureTransform transform);
// Every frame becomes its eight copies shifted right by 0 to 7 pixels in
// the wider frame of PreShift.h, frame after frame (frame 0 shifted by 0 to
// 7, then frame 1...), as a load replaces the set: one step.
TransformOutcome PreShiftFrames(SpriteDocument& document);
