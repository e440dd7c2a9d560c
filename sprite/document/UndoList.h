// The list of steps behind every document's undo and redo, whatever a step
// holds: a sprite's changed cells or frames (history.h), a map's changed
// cells or tiles (MapHistory.h). A step holds the values of the side the
// document is not on, so undo and redo are both one swap of the step with
// the document, which the caller gives; the list keeps which steps can be
// undone and which redone, drops the oldest beyond its depth and names
// every state it can reach by the step that led to it.
//
// Step is any movable type with a `label`, the step's name in the user's
// words ("remplissage", "peinture de la carte").
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <utility>

template <typename Step> class UndoList {
public:
    explicit UndoList(std::size_t depth) : depth_(std::max<std::size_t>(depth, 1)) {}

    // Keeps a step already applied, discarding the steps that could have
    // been redone.
    void Add(Step step)
    {
        steps_.resize(undoCount_);
        ids_.resize(undoCount_);
        steps_.push_back(std::move(step));
        ids_.push_back(nextId_++);
        ++stepsAdded_;
        if (steps_.size() > depth_) {
            baseId_ = ids_.front();
            steps_.pop_front();
            ids_.pop_front();
        }
        undoCount_ = steps_.size();
    }

    // Each swaps the step with the document through swap(Step&); false
    // when there is no such step.
    template <typename Swap> bool Undo(Swap&& swap)
    {
        if (undoCount_ == 0)
            return false;
        swap(steps_[--undoCount_]);
        return true;
    }
    template <typename Swap> bool Redo(Swap&& swap)
    {
        if (undoCount_ == steps_.size())
            return false;
        swap(steps_[undoCount_++]);
        return true;
    }

    bool CanUndo() const { return undoCount_ > 0; }
    bool CanRedo() const { return undoCount_ < steps_.size(); }
    std::string UndoLabel() const { return CanUndo() ? steps_[undoCount_ - 1].label : std::string(); }
    std::string RedoLabel() const { return CanRedo() ? steps_[undoCount_].label : std::string(); }

    // The newest step while it is not undone, else null.
    Step* Newest() { return CanUndo() && !CanRedo() ? &steps_.back() : nullptr; }
    // Forgets the steps that could be redone, so that nothing brings them back.
    void ForgetRedo()
    {
        steps_.resize(undoCount_);
        ids_.resize(undoCount_);
    }
    // Forgets the newest step, which Newest() gave.
    void DropNewest()
    {
        steps_.pop_back();
        ids_.pop_back();
        undoCount_ = steps_.size();
    }
    // Forgets every step; the present state takes an identity of its own.
    void Clear()
    {
        undoCount_ = 0;
        ForgetRedo();
        baseId_ = nextId_++;
    }

    // How many steps were ever added; undo and redo do not count.
    std::size_t StepsAdded() const { return stepsAdded_; }
    // The identity of the document's present state: no other state the
    // list can reach shares it.
    uint64_t StateId() const { return undoCount_ > 0 ? ids_[undoCount_ - 1] : baseId_; }

private:
    std::size_t depth_;
    std::deque<Step> steps_;
    std::deque<uint64_t> ids_;
    std::size_t undoCount_ = 0; // steps_[0 .. undoCount_) can be undone, the rest redone
    uint64_t nextId_ = 1;
    uint64_t baseId_ = 0; // the state before the oldest step kept
    std::size_t stepsAdded_ = 0;
};
