// The document being edited: the set of frames and the frame being edited,
// the undo history, the selection, the frames as their file holds them, and
// the gesture in progress (a mouse stroke, a selection drag, a Space stroke
// of the keyboard cursor). Cell coordinates of the frame being edited, (0, 0)
// top-left.
//
// Every change goes through a command: the primitives of this class, or the
// commands built on them in the files beside it, by area (EditCommands,
// TransformCommands, SelectionCommands, FrameCommands, LoadCommands). A
// command opens and closes its own undo step, always on the frame being
// edited, which its undo goes back to, and returns what it changed, so that
// a window refreshes once. A gesture still in progress when a command runs
// has its step closed first, under its own name; what the gesture draws
// afterwards is a step of its own. The frame commands are steps of their
// own, so none runs while a gesture's step is open.
//
// The file it belongs to and its name are the Document's (Document.h).
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "CellPicture.h"
#include "Document.h"
#include "DrawingGesture.h"
#include "SavedState.h"
#include "Selection.h"
#include "U_class.h"
#include "history.h"
#include "sprite_set.h"

// What a command changed, for the window to show it once.
struct DocumentChange {
    bool pixels = false;    // cells or marks of the frame being edited
    bool size = false;      // the whole frame was replaced or is another one: its size is shown afresh
    bool frames = false;    // frames added, removed or moved, or another frame current
    bool selection = false; // the selection's outline or the keyboard cursor
    bool history = false;   // what undo and redo would do

    bool Any() const { return pixels || size || frames || selection || history; }
    DocumentChange& operator|=(const DocumentChange& other);
};

class SpriteDocument : public Document {
public:
    // One frame of that size, white, nothing to undo, saved as it is.
    explicit SpriteDocument(Point size = {MaxWidth, MaxHeight});
    SpriteDocument(const SpriteDocument&) = delete;
    SpriteDocument& operator=(const SpriteDocument&) = delete;

    const Sprite& Current() const { return editing_; }
    const SpriteSet& Frames() const { return frames_; }
    // The frame being edited, for writes that are no command: the size the
    // editor starts with, and test fixtures.
    Sprite& Editing() { return editing_; }

    // The step protocol: edit runs on the frame being edited as one step
    // named label; a step that changed nothing is not kept. The frames all
    // take the frame's size afterwards.
    DocumentChange Edit(const std::string& label, const std::function<void(Sprite&)>& edit);
    // The same for a change made through the selection.
    DocumentChange EditSelection(const std::string& label, const std::function<void(SpriteSelection&, Sprite&)>& edit);

    // Undo and redo, each on the frame its step was made on, which becomes
    // current; nothing while a gesture's step is open.
    bool CanUndo() const override { return history_.CanUndo(); }
    bool CanRedo() const override { return history_.CanRedo(); }
    std::string UndoLabel() const override { return history_.UndoLabel(); }
    std::string RedoLabel() const override { return history_.RedoLabel(); }
    DocumentChange Undo();
    DocumentChange Redo();
    // Forgets every step, once a file opened has taken the place of every
    // frame; what a held button draws next is a step of the new history.
    DocumentChange StartNewHistory();

    // The state a file now holds, to tell whether closing would lose work.
    enum class Saved { WholeSet, CurrentFrame };
    void MarkSaved(Saved what);
    bool IsChangedSinceSaved() const override { return saved_.DiffersFrom(frames_.Frames()); }

    // Frame commands. SelectFrame closes a gesture's step on the old frame;
    // the others are refused while a gesture's step is open, or when the set
    // refuses them, and then change nothing.
    DocumentChange SelectFrame(int index);
    DocumentChange InsertFrame(int index, std::unique_ptr<Sprite> frame, const std::string& label);
    DocumentChange RemoveFrame(int index, const std::string& label);
    DocumentChange MoveFrame(int from, int to, const std::string& label);
    // The frames take the place of the set's, the first one current, as one
    // step; refused (frames unchanged in the change) when they cannot make a
    // set.
    DocumentChange ReplaceFrames(FrameList frames, const std::string& label);

    // The selection, caught up with the frame first.
    bool HasSelection() { return selection_.IsActive(editing_); }
    bool IsSelectionFloating() { return selection_.IsFloating(editing_); }
    CellRect SelectionBounds() { return selection_.Bounds(editing_); }
    CellPicture SelectedPixels() { return selection_.Pixels(editing_); }
    // Floating pixels stay where they are shown; nothing is selected.
    DocumentChange Deselect();
    // Pasted cells float with their top-left cell at topLeft, clipped to the
    // frame, selected, as one step named label. Moving them while they float
    // joins that step, so that one undo takes the whole paste away wherever
    // it was moved, never leaving it where it first landed.
    DocumentChange FloatPasted(const CellPicture& cells, Point topLeft, const std::string& label);

    // The mouse over the view of the frame: cell is the cell under the
    // pointer, heldCell the nearest cell of the frame when it is beside it.
    // The selection tool selects with the left button, and a press inside
    // the selection drags its pixels, as one step; the other tools draw
    // with pen, the pen of the button pressed. A shape dragged beside the
    // grid ends on the held cell, so that it stops at the frame's edge.
    DocumentChange MouseDown(int tool, int button, PenValue pen, Point cell);
    DocumentChange MouseMove(int tool, Point cell, Point heldCell);
    DocumentChange MouseUp(int tool, int button, Point cell, Point heldCell);
    DocumentChange MouseUp(int tool, int button, Point cell) { return MouseUp(tool, button, cell, cell); }
    // Escape while a button draws: what the gesture drew since its step
    // began goes (a stroke, a fill, the preview of a line or shape), no step
    // is kept, and the releases that follow do nothing.
    DocumentChange CancelDrawing();
    bool AnyButtonDrawing() const { return drawing_.AnyDrawing(); }

    // The keyboard cursor, a cell of the frame shown from the first key that
    // moves or paints it, and its Space stroke, one step from the press of
    // Space to its release. The cell is kept inside the frame's current
    // size, which may have shrunk since the cursor moved.
    Point KeyboardCell() const;
    bool IsKeyboardCellShown() const { return keyboardCellShown_; }
    bool IsKeyboardStroke() const { return keyboardPen_ != NotDrawing; }
    // Moves the cursor, kept inside the frame; during a stroke it draws.
    DocumentChange MoveKeyboardCell(int dx, int dy);
    DocumentChange KeyboardPenDown(PenValue pen);
    DocumentChange EndKeyboardStroke();

private:
    enum class SelectionGesture { None, Selecting, Moving };

    // A gesture's step still open is committed under the gesture's name.
    void CloseGestureStep();
    // Opens a step on the frame being edited unless one is open.
    void ResumeStep();
    DocumentChange CommitStep(const std::string& label);
    // What the held buttons draw next is a step of its own.
    void ResumeHeldStroke();
    std::string GestureLabel() const;
    // Everything a window shows of the frame, after another frame or state
    // of the set took its place.
    static DocumentChange FrameReplaced();
    static DocumentChange HistoryChanged();

    DocumentChange SelectionPress(int button, Point cell);
    DocumentChange SelectionDrag(Point heldCell);
    DocumentChange SelectionRelease(int button);
    DocumentChange FollowPointer(Point cell);
    // Whether the newest step is a paste whose cells still float.
    bool IsPasteFloating();

    Sprite editing_;
    SpriteSet frames_{editing_};
    SpriteHistory history_;
    SpriteSelection selection_;
    SavedState saved_{editing_};

    DrawingGesture drawing_;
    int drawingTool_ = ToolPencil;
    SelectionGesture selectionGesture_ = SelectionGesture::None;
    Point gestureStartCell_{0, 0};
    Point gestureStartTopLeft_{0, 0};
    // The last paste, as the history's StepsAdded after it, and whether it
    // made a step: cells pasted over the same cells change nothing.
    std::optional<std::size_t> pastedAt_;
    bool pasteIsStep_ = false;
    std::string pasteLabel_;
    // The selection being moved is a paste, and the move joins its step.
    bool movingPaste_ = false;
    Point keyboardCell_{0, 0};
    bool keyboardCellShown_ = false;
    PenValue keyboardPen_ = NotDrawing;
};
