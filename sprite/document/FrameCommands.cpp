#include "FrameCommands.h"

#include <memory>

namespace {

int Current(const SpriteDocument& document)
{
    return document.Frames().Current();
}

} // namespace

DocumentChange GoToPreviousFrame(SpriteDocument& document)
{
    return document.SelectFrame(Current(document) - 1);
}

DocumentChange GoToNextFrame(SpriteDocument& document)
{
    return document.SelectFrame(Current(document) + 1);
}

DocumentChange AddBlankFrame(SpriteDocument& document)
{
    return document.InsertFrame(Current(document) + 1, std::make_unique<Sprite>(document.Current().GetSize()),
                                "nouvelle image");
}

// The line tool's preview is no part of the copy.
DocumentChange DuplicateFrame(SpriteDocument& document)
{
    auto copy = std::make_unique<Sprite>(document.Current());
    copy->ClearMarks();
    return document.InsertFrame(Current(document) + 1, std::move(copy), "duplication d'image");
}

DocumentChange DeleteFrame(SpriteDocument& document)
{
    return document.RemoveFrame(Current(document), "suppression d'image");
}

DocumentChange MoveFrameEarlier(SpriteDocument& document)
{
    return document.MoveFrame(Current(document), Current(document) - 1, "déplacement d'image");
}

DocumentChange MoveFrameLater(SpriteDocument& document)
{
    return document.MoveFrame(Current(document), Current(document) + 1, "déplacement d'image");
}

DocumentChange MoveFrameTo(SpriteDocument& document, int from, int to)
{
    DocumentChange change = document.MoveFrame(from, to, "déplacement d'image");
    if (change.frames)
        change |= document.SelectFrame(to);
    return change;
}
