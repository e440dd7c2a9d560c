// The undo history of the one Sprite: a list of steps, each one user command
// that changed the sprite (a pencil stroke, a fill, a load...), named by the
// caller in the user's words ("remplissage").
//
// A command is recorded by calling Begin before it touches the sprite and
// Commit once it is done. A step keeps only what the command changed: the
// cells that differ and the size and type, never a copy of the whole sprite,
// so that a thousand small strokes cost a few hundred kilobytes. Undo and
// Redo bring back size, type and every cell of the storage, hidden cells
// included; the mark plane is scratch and never part of a step. The oldest
// steps are dropped beyond the depth given at construction.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "U_class.h"

class SpriteHistory {
public:
    static constexpr std::size_t DefaultDepth = 1000;

    explicit SpriteHistory(std::size_t depth = DefaultDepth);

    // Notes the sprite's state before a command; a step already begun and
    // not committed is forgotten.
    void Begin(const Sprite& sprite);
    // Ends the command begun last. Adds a step named label when the sprite
    // differs from its state at Begin, discarding the steps that could have
    // been redone; returns whether a step was added.
    bool Commit(const Sprite& sprite, const std::string& label);
    bool IsRecording() const { return recording; }

    // Each returns false and changes nothing when there is no such step or
    // a command is being recorded.
    bool Undo(Sprite& sprite);
    bool Redo(Sprite& sprite);

    bool CanUndo() const { return !recording && undoCount > 0; }
    bool CanRedo() const { return !recording && undoCount < steps.size(); }
    // The name of the step Undo or Redo would take, or "" when there is none.
    std::string UndoLabel() const;
    std::string RedoLabel() const;

    // Forgets every step.
    void Clear();

private:
    // What one step changed. The step holds the values of the side it is not
    // on: before an undo the old ones, after it the new ones. Undo and Redo
    // both swap them with the sprite's.
    struct Step {
        std::string label;
        Point size;
        SpriteType type;
        std::vector<uint16_t> indices; // changed cells; empty when `values` covers the whole storage
        std::vector<int8_t> values;
    };

    static void SwapWithSprite(Step& step, Sprite& sprite);
    Step StepFromSnapshot(const Sprite& sprite, const std::string& label) const;

    std::size_t depth;
    std::deque<Step> steps;
    std::size_t undoCount = 0; // steps[0 .. undoCount) can be undone, the rest redone

    bool recording = false;
    std::vector<int8_t> before; // cells at Begin
    Point sizeBefore{0, 0};
    SpriteType typeBefore = BlackWhite;
};
