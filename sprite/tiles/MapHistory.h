// The undo history of a tile map: a list of steps, each one user command
// that changed the map (a drag of the pen over cells, a filled rectangle, a
// new size, a tile added or removed, a tile's pixels retouched), named in
// the user's words ("peinture de la carte").
//
// A step keeps only what its command changed: the map cells and tile pixels
// that differ, with their values on the side the map is not on, the set's
// type, and for a new size the whole grid of the other side, for a tile
// added or removed the tiles beyond the shorter set. Undo and Redo both
// swap the step with the map, so a step holds the old values after it was
// made and the new ones after it was undone.
//
// Every state of the map the history can reach has an identity that no
// other state shares: the step that led to it. A file saved in one state is
// the map again whenever an undo or redo comes back to that state.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "TileMap.h"
#include "UndoList.h"

struct MapStep {
    std::string label;
    // Changed cells: their index in TileMap::cells, and the other side's tiles.
    std::vector<uint32_t> cellIndices;
    std::vector<uint16_t> cellValues;
    // Changed tile pixels: their index in TileSet::cells, and the other side's values.
    std::vector<uint32_t> pixelIndices;
    std::vector<int8_t> pixelValues;
    SpriteType type = BlackWhite; // the set's type on the other side
    // A new size: the other side's whole grid.
    bool resized = false;
    int width = 0;
    int height = 0;
    std::vector<uint16_t> grid;
    // A tile count changed: the other side's count, and the pixels of the
    // tiles that the larger set has beyond the smaller one while they are
    // out of the map.
    bool recounted = false;
    int tileCount = 0;
    std::vector<int8_t> tailTiles;

    bool IsEmpty() const { return cellIndices.empty() && pixelIndices.empty() && !resized && !recounted; }
};

// Exchanges what the step holds with the map's values.
void SwapStepWithMap(MapStep& step, TileMap& map);

class MapHistory {
public:
    static constexpr std::size_t DefaultDepth = 1000;

    explicit MapHistory(std::size_t depth = DefaultDepth) : steps_(depth) {}

    // Keeps a step already applied to the map, discarding the steps that
    // could have been redone; an empty step is not kept.
    void Add(MapStep step);
    bool Undo(TileMap& map);
    bool Redo(TileMap& map);
    // Undoes the newest step and forgets it, so that no redo brings it back.
    bool Retract(TileMap& map);

    bool CanUndo() const { return steps_.CanUndo(); }
    bool CanRedo() const { return steps_.CanRedo(); }
    std::string UndoLabel() const { return steps_.UndoLabel(); }
    std::string RedoLabel() const { return steps_.RedoLabel(); }
    std::size_t StepsAdded() const { return steps_.StepsAdded(); }
    // The identity of the map's present state.
    uint64_t StateId() const { return steps_.StateId(); }

private:
    UndoList<MapStep> steps_;
};
