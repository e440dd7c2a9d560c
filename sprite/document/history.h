// The undo history of the one Sprite: a list of steps, each one user command
// that changed the sprite (a pencil stroke, a fill, a load...), named by the
// caller in the user's words ("remplissage").
//
// A command is recorded by calling Begin before it touches the sprite and
// Commit once it is done; the document (SpriteDocument.h) is the one caller,
// so that every step knows the frame it was made on. A step keeps only what
// the command changed: the cells that differ and the size and type, never a
// copy of the whole sprite, so that a thousand small strokes cost a few
// hundred kilobytes. Undo and Redo bring back size, type and every cell of
// the storage, hidden cells included; the mark plane is scratch and never
// part of a step. The oldest steps are dropped beyond the depth given at
// construction.
//
// With a sprite set, each step also knows its frame: an edit undoes on the
// frame it was made on (that frame becomes current), and the frame commands
// (adding, removing, moving frames, replacing the whole set) run through
// here as steps of their own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "U_class.h"
#include "UndoList.h"
#include "sprite_set.h"

class SpriteHistory {
public:
    static constexpr std::size_t DefaultDepth = 1000;

    explicit SpriteHistory(std::size_t depth = DefaultDepth);

    // Notes the sprite's state before a command; a step already begun and
    // not committed is forgotten.
    void Begin(const Sprite& sprite, int frame = 0);
    // Ends the command begun last. Adds a step named label when the sprite
    // differs from its state at Begin, discarding the steps that could have
    // been redone; returns whether a step was added.
    bool Commit(const Sprite& sprite, const std::string& label);
    // Ends the command begun last without a step, the sprite's cells, size
    // and type back as they were at Begin.
    void Abandon(Sprite& sprite);
    bool IsRecording() const { return recording; }
    // Takes the last step back as the command being recorded, as if it had
    // not been committed yet, so that what follows joins it as one step.
    // Only an edit of that frame that is the newest step and not undone;
    // false, and nothing begun, otherwise.
    bool ResumeLastStep(Sprite& sprite, int frame);
    // How many steps were ever added: a step taken back and committed again
    // counts anew, undo and redo do not count.
    std::size_t StepsAdded() const { return steps.StepsAdded(); }

    // Each returns false and changes nothing when there is no such step or
    // a command is being recorded. The Sprite forms serve a history of one
    // sprite's edits; a history with frame steps is undone on its set.
    bool Undo(Sprite& sprite);
    bool Redo(Sprite& sprite);
    bool Undo(SpriteSet& set);
    bool Redo(SpriteSet& set);

    // Frame commands on the set, each one step named label; false, with no
    // step and the set unchanged, when the set refuses the command. The new
    // frame of InsertFrame becomes current.
    bool InsertFrame(SpriteSet& set, int index, std::unique_ptr<Sprite> frame, const std::string& label);
    bool RemoveFrame(SpriteSet& set, int index, const std::string& label);
    bool MoveFrame(SpriteSet& set, int from, int to, const std::string& label);
    bool ReplaceFrames(SpriteSet& set, FrameList frames, int current, const std::string& label);

    bool CanUndo() const { return !recording && steps.CanUndo(); }
    bool CanRedo() const { return !recording && steps.CanRedo(); }
    // The name of the step Undo or Redo would take, or "" when there is none.
    std::string UndoLabel() const { return recording ? std::string() : steps.UndoLabel(); }
    std::string RedoLabel() const { return recording ? std::string() : steps.RedoLabel(); }

    // Forgets every step.
    void Clear();

private:
    // What one step changed. The step holds the values of the side it is not
    // on: before an undo the old ones, after it the new ones. Undo and Redo
    // both swap them with the sprite's.
    enum class StepKind {
        Edit,       // cells, size and type of frame `frame`
        FrameInOut, // frame `frame` is in the set, or out of it in `frames`
        FrameMove,  // the frame now at `otherFrame` was at `frame`
        WholeSet,   // `frames` is the whole set of the other side
    };
    struct Step {
        std::string label;
        Point size{0, 0};
        SpriteType type = BlackWhite;
        std::vector<uint16_t> indices; // changed cells; empty when `values` covers the whole storage
        std::vector<int8_t> values;
        StepKind kind = StepKind::Edit;
        int frame = 0;
        int otherFrame = 0;
        int otherCurrent = 0; // frame commands: the current frame on the other side
        FrameList frames;
    };

    static Step NewStep(const std::string& label, Point size, SpriteType type);
    static void SwapWithSprite(Step& step, Sprite& sprite);
    static void SwapWithSet(Step& step, SpriteSet& set);
    void AddStep(Step step);
    Step StepFromSnapshot(const Sprite& sprite, const std::string& label) const;

    UndoList<Step> steps;

    bool recording = false;
    std::vector<int8_t> before; // cells at Begin
    Point sizeBefore{0, 0};
    SpriteType typeBefore = BlackWhite;
    int frameBefore = 0;
};
