// The sprite as its file holds it: size, type and every cell of the storage,
// hidden cells included, taken when the sprite was last saved, loaded,
// imported or started. Comparing the sprite with it tells whether closing
// would lose work; an undo or redo back to that state compares equal again,
// whatever the history did in between. The mark plane is scratch and never
// compared.
#pragma once

#include <array>

#include "U_class.h"

class SavedState {
public:
    explicit SavedState(const Sprite& sprite) { Take(sprite); }

    void Take(const Sprite& sprite);
    bool DiffersFrom(const Sprite& sprite) const;

private:
    Point size_;
    int8_t type_;
    std::array<int8_t, CellCount> cells_;
};
