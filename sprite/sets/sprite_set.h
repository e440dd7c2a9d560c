// A sprite set: 1 to 65535 frames of one size, each a whole Sprite (storage,
// type, marks), shown and edited one at a time. The current frame lives in
// the editing Sprite the set is bound to (the editor's one Sprite), so every
// command that works on a sprite works on it unchanged; the other frames
// wait in the set. Frames are numbered from 0 in their order.
//
// The set keeps every frame at the editing sprite's size: a size change made
// on the editing sprite reaches the others with ApplySizeToAll, and each
// frame keeps its pixels outside the size, as one sprite does. Operations
// that would break the limits (a 65536th frame, removing the last one, an
// index outside the set) change nothing and return false.
#pragma once

#include <memory>
#include <vector>

#include "U_class.h"

// The most a ".pixs" file's 16-bit count can announce.
constexpr int MaxFrames = 65535;

using FrameList = std::vector<std::unique_ptr<Sprite>>;

// The frames as the writers and layouts take them, owned by the list.
std::vector<const Sprite*> FramePointers(const FrameList& frames);

class SpriteSet {
public:
    // A set of one frame: the editing sprite as it is.
    explicit SpriteSet(Sprite& editing);
    SpriteSet(const SpriteSet&) = delete;
    SpriteSet& operator=(const SpriteSet&) = delete;

    int Count() const { return static_cast<int>(frames_.size()); }
    int Current() const { return current_; }
    Sprite& Editing() { return editing_; }
    const Sprite& Editing() const { return editing_; }
    // Any frame; the current one is the editing sprite itself.
    const Sprite& Frame(int index) const;
    // Every frame in order, for the writers.
    std::vector<const Sprite*> Frames() const;

    // The editing sprite goes back to its place and frame index comes into it.
    bool Select(int index);

    // Puts frame at index (0 to Count), at the set's size; the current frame
    // stays current.
    bool InsertFrame(int index, std::unique_ptr<Sprite> frame);
    // Takes frame index out of the set; when it is the current one, the frame
    // after it (or before it, for the last) becomes current. Null when the
    // set has one frame or index is outside it.
    std::unique_ptr<Sprite> TakeFrame(int index);
    // Moves frame from to position to; the moved frame stays current if it was.
    bool MoveFrame(int from, int to);

    // Exchanges every frame with frames (1 to MaxFrames of one size, none null) and
    // makes frame current of them current; current receives the old current
    // index and frames the old frames.
    bool SwapFrames(FrameList& frames, int& current);

    // Gives every frame the editing sprite's size.
    void ApplySizeToAll();

private:
    Sprite& editing_;
    // frames_[current_] is empty: that frame is in editing_.
    FrameList frames_;
    int current_ = 0;
};

// Whether frames can make a set: 1 to MaxFrames of them, none null, all one size.
bool IsValidFrameList(const FrameList& frames);
