// The frame commands of "Retouche": going to the previous and next frame,
// adding a white frame or a copy of the current one after it, deleting the
// current frame (never the last one) and moving it one place, and moving any
// frame to any place (a drag in the overview of the frames). Each but the
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
// Frame from goes to place to, the frames between shift by one, and the
// moved frame becomes the one edited; its undo puts the order back and goes
// to the frame edited before.
DocumentChange MoveFrameTo(SpriteDocument& document, int from, int to);
