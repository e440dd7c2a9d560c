#include "SavedState.h"

#include <algorithm>

void SavedState::Take(const Sprite& sprite)
{
    size_ = sprite.GetSize();
    type_ = sprite.type;
    std::copy(sprite.cells, sprite.cells + CellCount, cells_.begin());
}

bool SavedState::DiffersFrom(const Sprite& sprite) const
{
    return !(size_ == sprite.GetSize()) || type_ != sprite.type ||
           !std::equal(cells_.begin(), cells_.end(), sprite.cells);
}
