#include "MapHistory.h"

#include <algorithm>
#include <utility>

namespace {

template <typename Value>
void SwapValues(const std::vector<uint32_t>& indices, std::vector<Value>& values, std::vector<Value>& target)
{
    for (std::size_t k = 0; k < indices.size(); ++k)
        std::swap(values[k], target[indices[k]]);
}

void SwapTileCount(MapStep& step, TileSet& tiles)
{
    const int count = tiles.Count();
    const std::size_t common = static_cast<std::size_t>(std::min(count, step.tileCount)) * tiles.TileCells();
    if (step.tileCount > count) {
        tiles.cells.insert(tiles.cells.end(), step.tailTiles.begin(), step.tailTiles.end());
        step.tailTiles.clear();
    } else {
        step.tailTiles.assign(tiles.cells.begin() + static_cast<std::ptrdiff_t>(common), tiles.cells.end());
        tiles.cells.resize(common);
    }
    step.tileCount = count;
}

} // namespace

void SwapStepWithMap(MapStep& step, TileMap& map)
{
    if (step.resized) {
        std::swap(step.width, map.width);
        std::swap(step.height, map.height);
        std::swap(step.grid, map.cells);
    }
    if (step.recounted)
        SwapTileCount(step, map.tiles);
    SwapValues(step.cellIndices, step.cellValues, map.cells);
    SwapValues(step.pixelIndices, step.pixelValues, map.tiles.cells);
    std::swap(step.type, map.tiles.type);
}

void MapHistory::Add(MapStep step)
{
    if (!step.IsEmpty())
        steps_.Add(std::move(step));
}

bool MapHistory::Undo(TileMap& map)
{
    return steps_.Undo([&map](MapStep& step) { SwapStepWithMap(step, map); });
}

bool MapHistory::Redo(TileMap& map)
{
    return steps_.Redo([&map](MapStep& step) { SwapStepWithMap(step, map); });
}

bool MapHistory::Retract(TileMap& map)
{
    if (!Undo(map))
        return false;
    steps_.ForgetRedo();
    return true;
}
