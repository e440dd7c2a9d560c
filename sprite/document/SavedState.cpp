#include "SavedState.h"

#include <algorithm>

void SavedState::Take(const std::vector<const Sprite*>& frames)
{
    frames_.resize(frames.size());
    for (std::size_t k = 0; k < frames.size(); ++k) {
        frames_[k].size = frames[k]->GetSize();
        frames_[k].type = frames[k]->type;
        std::copy(frames[k]->cells, frames[k]->cells + CellCount, frames_[k].cells.begin());
    }
}

bool SavedState::DiffersFrom(const std::vector<const Sprite*>& frames) const
{
    if (frames.size() != frames_.size())
        return true;
    for (std::size_t k = 0; k < frames.size(); ++k) {
        const Sprite& sprite = *frames[k];
        if (!(frames_[k].size == sprite.GetSize()) || frames_[k].type != sprite.type ||
            !std::equal(frames_[k].cells.begin(), frames_[k].cells.end(), sprite.cells))
            return true;
    }
    return false;
}
