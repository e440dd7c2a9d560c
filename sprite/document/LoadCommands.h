// Loads and imports into the document: a file read into the frame being
// edited or taking the place of the whole set, a picture cut into frames
// (a sheet sliced into cells of W x H, left to right, then top to bottom),
// frames that replace the set, and a picture or sprite put into the frame
// being edited. Each is one undo step; a refused file or picture changes
// nothing.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "CellPicture.h"
#include "SpriteDocument.h"
#include "TileSlicing.h"

// Reads the file into the sprite; false, the sprite unchanged, on refusal.
using SpriteReader = bool (*)(Sprite&, const std::string&);

// A load replaces the whole set (the native file: a ".pixs", or a ".pixo" as
// a set of one frame) or the current frame (a picture, unless it is sliced
// into frames).
enum class LoadInto { WholeSet, CurrentFrame };
enum class LoadOutcome {
    Loaded,
    Refused,   // the file could not be read or makes no set
    Explained, // the slicing found no usable number of frames: see LoadResult
};

struct LoadResult {
    LoadOutcome outcome = LoadOutcome::Refused;
    DocumentChange change;
    // For Explained: the size of the picture to cut, and the frames the
    // grid asked makes of it (0, or more than a set's MaxFrames).
    Point pictureSize{0, 0};
    int frameCount = 0;
};

// sliceCell, when given, cuts a picture read into the current frame into
// frames of that size instead. A set file, or a native file while the set
// has several frames, replaces the set; a one-frame set takes a native file
// as an edit of its frame.
LoadResult ReadIntoFrames(SpriteDocument& document, SpriteReader reader, const std::string& path, LoadInto target,
                          std::optional<Point> sliceCell, const std::string& label);
// The cells of the grid (only those that draw something when skipEmpty)
// become the frames.
LoadResult SliceIntoFrames(SpriteDocument& document, const CellPicture& picture, const SliceGrid& grid, bool skipEmpty,
                           const std::string& label);
LoadResult ReplaceSet(SpriteDocument& document, FrameList frames, const std::string& label);
// The content of a new document: one white, unmasked frame of that size in
// place of the set, nothing to undo, saved as it is.
DocumentChange StartBlank(SpriteDocument& document, Point size);
// Whether putting a picture of that size into the frame being edited would
// resize other frames of the set, which all keep one size.
bool WouldResizeOtherFrames(const SpriteDocument& document, Point pictureSize);
// fill writes the picture into the frame being edited; shown as after a load.
DocumentChange ReplaceCurrentFrame(SpriteDocument& document, const std::string& label,
                                   const std::function<void(Sprite&)>& fill);
