// The sprites as their file holds them: for every frame, size, type and
// every cell of the storage, hidden cells included, taken when the file was
// last saved, loaded, imported or started. Comparing the frames with it
// tells whether closing would lose work; an undo or redo back to that state
// compares equal again, whatever the history did in between. The mark plane
// is scratch and never compared, and neither is which frame is current.
#pragma once

#include <array>
#include <vector>

#include "U_class.h"

class SavedState {
public:
    explicit SavedState(const Sprite& sprite) { Take({&sprite}); }

    void Take(const std::vector<const Sprite*>& frames);
    bool DiffersFrom(const std::vector<const Sprite*>& frames) const;

private:
    struct Frame {
        Point size;
        int8_t type;
        std::array<int8_t, CellCount> cells;
    };
    std::vector<Frame> frames_;
};
