#include "SelectionCommands.h"

#include <string>

namespace {

DocumentChange EraseSelectionAs(SpriteDocument& document, const std::string& label)
{
    if (!document.HasSelection())
        return {};
    return document.EditSelection(label, [](SpriteSelection& selection, Sprite& frame) { selection.Erase(frame); });
}

} // namespace

CopiedCells CellsToCopy(SpriteDocument& document)
{
    if (document.HasSelection()) {
        const CellRect bounds = document.SelectionBounds();
        return {document.SelectedPixels(), true, {bounds.x, bounds.y}};
    }
    return {CopyCells(document.Current(), SpriteArea(document.Current())), false};
}

DocumentChange DeleteSelection(SpriteDocument& document)
{
    return EraseSelectionAs(document, "effacement de la sélection");
}

DocumentChange CutSelection(SpriteDocument& document)
{
    return EraseSelectionAs(document, "coupe");
}

DocumentChange PasteCells(SpriteDocument& document, const CellPicture& cells, Point origin)
{
    if (cells.width == 0 || cells.height == 0)
        return {};
    return document.FloatPasted(cells, origin, "collage");
}
