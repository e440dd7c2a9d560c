#include "TransformCommands.h"

#include <vector>

#include "PreShift.h"

namespace {

struct TransformStep {
    PictureTransform transform;
    const char* label;
};

constexpr TransformStep TransformSteps[] = {
    {PictureTransform::FlipHorizontal, "miroir horizontal"},
    {PictureTransform::FlipVertical, "miroir vertical"},
    {PictureTransform::Rotate180, "rotation 180°"},
    {PictureTransform::RotateClockwise, "rotation horaire"},
    {PictureTransform::RotateCounterClockwise, "rotation anti-horaire"},
    {PictureTransform::ShiftLeft, "décalage à gauche"},
    {PictureTransform::ShiftRight, "décalage à droite"},
    {PictureTransform::ShiftUp, "décalage vers le haut"},
    {PictureTransform::ShiftDown, "décalage vers le bas"},
    {PictureTransform::InvertColors, "inversion des couleurs"},
};

} // namespace

std::string TransformStepLabel(PictureTransform transform)
{
    for (const TransformStep& step : TransformSteps) {
        if (step.transform == transform)
            return step.label;
    }
    return {};
}

TransformOutcome TransformPicture(SpriteDocument& document, PictureTransform transform)
{
    const std::string label = TransformStepLabel(transform);
    if (document.HasSelection())
        return {document.EditSelection(
            label, [transform](SpriteSelection& selection, Sprite& frame) { selection.Transform(frame, transform); })};
    const Point size = TransformedSize(document.Current().GetSize(), transform);
    if (size.x > MaxWidth || size.y > MaxHeight)
        return {{}, size};
    DocumentChange change = document.Edit(label, [transform](Sprite& frame) { TransformSprite(frame, transform); });
    // A quarter turn changes the size, shown as after a load.
    change.size = true;
    return {change};
}

TransformOutcome PreShiftFrames(SpriteDocument& document)
{
    const SpriteSet& set = document.Frames();
    const int count = set.Count() * PreShiftCount;
    if (count > MaxFrames)
        return {{}, std::nullopt, count};
    FrameList copies;
    copies.reserve(static_cast<std::size_t>(count));
    for (int index = 0; index < set.Count(); ++index) {
        const Sprite& frame = set.Frame(index);
        std::vector<Sprite> shifted;
        if (!PreShiftedFrames(frame, shifted))
            return {{}, Point{PreShiftedWidth(frame.width), frame.height}};
        for (Sprite& copy : shifted)
            copies.push_back(std::make_unique<Sprite>(std::move(copy)));
    }
    return {document.ReplaceFrames(std::move(copies), "pré-décalage")};
}
