#include "sprite_set.h"

#include <algorithm>
#include <utility>

SpriteSet::SpriteSet(Sprite& editing) : editing_(editing)
{
    frames_.resize(1);
}

const Sprite& SpriteSet::Frame(int index) const
{
    return index == current_ ? editing_ : *frames_[index];
}

std::vector<const Sprite*> SpriteSet::Frames() const
{
    std::vector<const Sprite*> frames;
    frames.reserve(frames_.size());
    for (int k = 0; k < Count(); ++k)
        frames.push_back(&Frame(k));
    return frames;
}

bool SpriteSet::Select(int index)
{
    if (index < 0 || index >= Count())
        return false;
    if (index == current_)
        return true;
    // The sprite waiting at index takes the editing sprite's content, and
    // the slots trade places: no frame is copied twice.
    std::unique_ptr<Sprite> waiting = std::move(frames_[index]);
    std::swap(editing_, *waiting);
    frames_[current_] = std::move(waiting);
    current_ = index;
    return true;
}

bool SpriteSet::InsertFrame(int index, std::unique_ptr<Sprite> frame)
{
    if (!frame || index < 0 || index > Count() || Count() >= MaxFrames)
        return false;
    frame->SetSize(editing_.GetSize());
    frames_.insert(frames_.begin() + index, std::move(frame));
    if (index <= current_)
        ++current_;
    return true;
}

std::unique_ptr<Sprite> SpriteSet::TakeFrame(int index)
{
    if (Count() <= 1 || index < 0 || index >= Count())
        return nullptr;
    if (index == current_)
        Select(index + 1 < Count() ? index + 1 : index - 1);
    std::unique_ptr<Sprite> frame = std::move(frames_[index]);
    frames_.erase(frames_.begin() + index);
    if (index < current_)
        --current_;
    return frame;
}

bool SpriteSet::MoveFrame(int from, int to)
{
    if (from < 0 || from >= Count() || to < 0 || to >= Count())
        return false;
    if (from < to)
        std::rotate(frames_.begin() + from, frames_.begin() + from + 1, frames_.begin() + to + 1);
    else
        std::rotate(frames_.begin() + to, frames_.begin() + from, frames_.begin() + from + 1);
    // The current frame is the one whose slot is empty.
    for (int k = 0; k < Count(); ++k)
        if (!frames_[k])
            current_ = k;
    return true;
}

bool SpriteSet::SwapFrames(FrameList& frames, int& current)
{
    if (!IsValidFrameList(frames) || current < 0 || current >= static_cast<int>(frames.size()))
        return false;
    // The chosen frame trades content with the editing sprite, and its slot
    // completes the outgoing list: nothing is copied.
    std::unique_ptr<Sprite> chosen = std::move(frames[current]);
    std::swap(editing_, *chosen);
    frames_[current_] = std::move(chosen);
    std::swap(frames_, frames);
    std::swap(current_, current);
    return true;
}

void SpriteSet::ApplySizeToAll()
{
    const Point size = editing_.GetSize();
    for (std::unique_ptr<Sprite>& frame : frames_)
        if (frame && !(frame->GetSize() == size))
            frame->SetSize(size);
}

bool IsValidFrameList(const FrameList& frames)
{
    if (frames.empty() || frames.size() > MaxFrames)
        return false;
    for (const std::unique_ptr<Sprite>& frame : frames)
        if (!frame || !(frame->GetSize() == frames.front()->GetSize()))
            return false;
    return true;
}

std::vector<const Sprite*> FramePointers(const FrameList& frames)
{
    std::vector<const Sprite*> pointers;
    for (const std::unique_ptr<Sprite>& frame : frames)
        pointers.push_back(frame.get());
    return pointers;
}
