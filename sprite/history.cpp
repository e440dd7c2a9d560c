#include "history.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

// Listing a changed cell costs its 2-byte index and its value; past a third
// of the storage, keeping every cell's value is cheaper.
constexpr std::size_t MostListedCells = CellCount / 3;

} // namespace

SpriteHistory::SpriteHistory(std::size_t depth) : depth(std::max<std::size_t>(depth, 1)), before(CellCount) {}

void SpriteHistory::Begin(const Sprite& sprite)
{
    std::memcpy(before.data(), sprite.cells, CellCount);
    sizeBefore = sprite.GetSize();
    typeBefore = sprite.GetType();
    recording = true;
}

bool SpriteHistory::Commit(const Sprite& sprite, const std::string& label)
{
    if (!recording)
        return false;
    recording = false;
    Step step = StepFromSnapshot(sprite, label);
    const bool changed = !step.values.empty() || !(step.size == sprite.GetSize()) || step.type != sprite.GetType();
    if (!changed)
        return false;
    steps.erase(steps.begin() + static_cast<std::ptrdiff_t>(undoCount), steps.end());
    steps.push_back(std::move(step));
    if (steps.size() > depth)
        steps.pop_front();
    undoCount = steps.size();
    return true;
}

SpriteHistory::Step SpriteHistory::StepFromSnapshot(const Sprite& sprite, const std::string& label) const
{
    Step step{label, sizeBefore, typeBefore, {}, {}};
    std::size_t changedCount = 0;
    for (int i = 0; i < CellCount; ++i)
        changedCount += before[i] != sprite.cells[i];
    if (changedCount > MostListedCells) {
        step.values = before;
        return step;
    }
    step.indices.reserve(changedCount);
    step.values.reserve(changedCount);
    for (int i = 0; i < CellCount; ++i) {
        if (before[i] != sprite.cells[i]) {
            step.indices.push_back(static_cast<uint16_t>(i));
            step.values.push_back(before[i]);
        }
    }
    return step;
}

void SpriteHistory::SwapWithSprite(Step& step, Sprite& sprite)
{
    if (step.indices.empty()) {
        std::swap_ranges(step.values.begin(), step.values.end(), sprite.cells);
    } else {
        for (std::size_t k = 0; k < step.indices.size(); ++k)
            std::swap(step.values[k], sprite.cells[step.indices[k]]);
    }
    const Point size = sprite.GetSize();
    const SpriteType type = sprite.GetType();
    sprite.RestoreState(step.size, step.type);
    step.size = size;
    step.type = type;
}

bool SpriteHistory::Undo(Sprite& sprite)
{
    if (!CanUndo())
        return false;
    SwapWithSprite(steps[--undoCount], sprite);
    return true;
}

bool SpriteHistory::Redo(Sprite& sprite)
{
    if (!CanRedo())
        return false;
    SwapWithSprite(steps[undoCount++], sprite);
    return true;
}

std::string SpriteHistory::UndoLabel() const
{
    return CanUndo() ? steps[undoCount - 1].label : std::string();
}

std::string SpriteHistory::RedoLabel() const
{
    return CanRedo() ? steps[undoCount].label : std::string();
}

void SpriteHistory::Clear()
{
    steps.clear();
    undoCount = 0;
    recording = false;
}
