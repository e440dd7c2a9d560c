// The commands of "Retouche" that change the frame being edited as a whole:
// its size, clearing it and the automatic mask. Each is one undo step.
#pragma once

#include "SpriteDocument.h"

// A size the sprite refuses (outside 1..240 x 1..128) changes nothing; a
// new size reaches every frame.
DocumentChange Resize(SpriteDocument& document, Point size);
DocumentChange ClearFrame(SpriteDocument& document);
DocumentChange AutoMaskFrame(SpriteDocument& document);
