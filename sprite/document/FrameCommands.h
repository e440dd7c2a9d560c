// The frame commands of "Retouche": going to the previous and next frame,
// adding a white frame or a copy of the current one after it, deleting the
// current frame (never the last one) and moving it one place. Each but the
// going is one undo step; what a set refuses (a 257th frame, a place
// outside it) changes nothing, and so does a command while a gesture's step
// is open.
#pragma once

#include "SpriteDocument.h"

DocumentChange GoToPreviousFrame(SpriteDocument& document);
DocumentChange GoToNextFrame(SpriteDocument& document);
DocumentChange AddBlankFrame(SpriteDocument& document);
DocumentChange DuplicateFrame(SpriteDocument& document);
DocumentChange DeleteFrame(SpriteDocument& document);
DocumentChange MoveFrameEarlier(SpriteDocument& document);
DocumentChange MoveFrameLater(SpriteDocument& document);
