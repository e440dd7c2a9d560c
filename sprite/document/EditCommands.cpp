#include "EditCommands.h"

DocumentChange Resize(SpriteDocument& document, Point size)
{
    return document.Edit("taille", [size](Sprite& frame) { frame.SetSize(size); });
}

DocumentChange ClearFrame(SpriteDocument& document)
{
    return document.Edit("effacement", [](Sprite& frame) { frame.Clear(); });
}

DocumentChange AutoMaskFrame(SpriteDocument& document)
{
    return document.Edit("masque automatique", [](Sprite& frame) { frame.AutoMask(); });
}
