#include "history.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

// Listing a changed cell costs its 2-byte index and its value; past a third
// of the storage, keeping every cell's value is cheaper.
constexpr std::size_t MostListedCells = CellCount / 3;

} // namespace

SpriteHistory::Step SpriteHistory::NewStep(const std::string& label, Point size, SpriteType type)
{
    Step step;
    step.label = label;
    step.size = size;
    step.type = type;
    return step;
}

SpriteHistory::SpriteHistory(std::size_t depth) : steps(depth), before(CellCount) {}

void SpriteHistory::Begin(const Sprite& sprite, int frame)
{
    frameBefore = frame;
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
    AddStep(std::move(step));
    return true;
}

void SpriteHistory::Abandon(Sprite& sprite)
{
    if (!recording)
        return;
    recording = false;
    std::memcpy(sprite.cells, before.data(), CellCount);
    sprite.RestoreState(sizeBefore, typeBefore);
}

// The sprite goes back to its state before the step, which is noted as at
// Begin, and forward again.
bool SpriteHistory::ResumeLastStep(Sprite& sprite, int frame)
{
    Step* last = recording ? nullptr : steps.Newest();
    if (!last || last->kind != StepKind::Edit || last->frame != frame)
        return false;
    SwapWithSprite(*last, sprite);
    Begin(sprite, frame);
    SwapWithSprite(*last, sprite);
    steps.DropNewest();
    return true;
}

void SpriteHistory::AddStep(Step step)
{
    steps.Add(std::move(step));
}

SpriteHistory::Step SpriteHistory::StepFromSnapshot(const Sprite& sprite, const std::string& label) const
{
    Step step = NewStep(label, sizeBefore, typeBefore);
    step.frame = frameBefore;
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
    return !recording && steps.Undo([&sprite](Step& step) { SwapWithSprite(step, sprite); });
}

bool SpriteHistory::Redo(Sprite& sprite)
{
    return !recording && steps.Redo([&sprite](Step& step) { SwapWithSprite(step, sprite); });
}

// Every frame command is its own inverse seen from the other side: the step
// swaps what it holds with the set and keeps what it took.
void SpriteHistory::SwapWithSet(Step& step, SpriteSet& set)
{
    // In this side's numbering, which is the one the step returns to.
    const int current = set.Current();
    switch (step.kind) {
    case StepKind::Edit:
        set.Select(step.frame);
        SwapWithSprite(step, set.Editing());
        set.ApplySizeToAll();
        return;
    case StepKind::FrameInOut:
        if (step.frames.empty()) {
            step.frames.push_back(set.TakeFrame(step.frame));
        } else {
            set.InsertFrame(step.frame, std::move(step.frames.front()));
            step.frames.clear();
        }
        break;
    case StepKind::FrameMove:
        set.MoveFrame(step.otherFrame, step.frame);
        std::swap(step.frame, step.otherFrame);
        break;
    case StepKind::WholeSet:
        set.SwapFrames(step.frames, step.otherCurrent);
        return;
    }
    set.Select(step.otherCurrent);
    step.otherCurrent = current;
}

bool SpriteHistory::Undo(SpriteSet& set)
{
    return !recording && steps.Undo([&set](Step& step) { SwapWithSet(step, set); });
}

bool SpriteHistory::Redo(SpriteSet& set)
{
    return !recording && steps.Redo([&set](Step& step) { SwapWithSet(step, set); });
}

bool SpriteHistory::InsertFrame(SpriteSet& set, int index, std::unique_ptr<Sprite> frame, const std::string& label)
{
    const int current = set.Current();
    if (recording || !set.InsertFrame(index, std::move(frame)))
        return false;
    set.Select(index);
    Step step = NewStep(label, set.Editing().GetSize(), set.Editing().GetType());
    step.kind = StepKind::FrameInOut;
    step.frame = index;
    step.otherCurrent = current;
    AddStep(std::move(step));
    return true;
}

bool SpriteHistory::RemoveFrame(SpriteSet& set, int index, const std::string& label)
{
    const int current = set.Current();
    if (recording)
        return false;
    std::unique_ptr<Sprite> taken = set.TakeFrame(index);
    if (!taken)
        return false;
    Step step = NewStep(label, set.Editing().GetSize(), set.Editing().GetType());
    step.kind = StepKind::FrameInOut;
    step.frame = index;
    step.otherCurrent = current;
    step.frames.push_back(std::move(taken));
    AddStep(std::move(step));
    return true;
}

bool SpriteHistory::MoveFrame(SpriteSet& set, int from, int to, const std::string& label)
{
    const int current = set.Current();
    if (recording || from == to || !set.MoveFrame(from, to))
        return false;
    Step step = NewStep(label, set.Editing().GetSize(), set.Editing().GetType());
    step.kind = StepKind::FrameMove;
    step.frame = from;
    step.otherFrame = to;
    step.otherCurrent = current;
    AddStep(std::move(step));
    return true;
}

bool SpriteHistory::ReplaceFrames(SpriteSet& set, FrameList frames, int current, const std::string& label)
{
    if (recording || !set.SwapFrames(frames, current))
        return false;
    Step step = NewStep(label, set.Editing().GetSize(), set.Editing().GetType());
    step.kind = StepKind::WholeSet;
    step.frames = std::move(frames);
    step.otherCurrent = current;
    AddStep(std::move(step));
    return true;
}

void SpriteHistory::Clear()
{
    steps.Clear();
    recording = false;
}
