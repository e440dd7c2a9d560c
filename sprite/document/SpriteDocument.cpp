#include "SpriteDocument.h"

#include <algorithm>
#include <utility>

namespace {

const std::string SelectionMoveLabel = "déplacement de la sélection";
const std::string KeyboardStrokeLabel = "crayon au clavier";

// The cursor stays inside the current size, which may have shrunk since.
Point Inside(const Sprite& sprite, Point cell)
{
    return {std::clamp(cell.x, 0, sprite.width - 1), std::clamp(cell.y, 0, sprite.height - 1)};
}

bool IsOnGrid(Point cell)
{
    return cell.x != -1 && cell.y != -1;
}

Point CellTakenBy(int tool, Point cell, Point heldCell)
{
    return DrawingToolOf(tool).cellTaken == CellTaken::Nearest ? heldCell : cell;
}

} // namespace

DocumentChange& DocumentChange::operator|=(const DocumentChange& other)
{
    pixels |= other.pixels;
    size |= other.size;
    frames |= other.frames;
    selection |= other.selection;
    history |= other.history;
    return *this;
}

SpriteDocument::SpriteDocument(Point size) : editing_(size) {}

// The step protocol: every step is begun here, on the frame being edited.

void SpriteDocument::CloseGestureStep()
{
    if (history_.IsRecording())
        history_.Commit(editing_, GestureLabel());
}

void SpriteDocument::ResumeStep()
{
    if (!history_.IsRecording())
        history_.Begin(editing_, frames_.Current());
}

// What the held buttons draw afterwards is a step of its own; a selection
// drag or a Space stroke opens its step again at its next change.
DocumentChange SpriteDocument::CommitStep(const std::string& label)
{
    history_.Commit(editing_, label);
    frames_.ApplySizeToAll();
    ResumeHeldStroke();
    return HistoryChanged();
}

void SpriteDocument::ResumeHeldStroke()
{
    if (drawing_.AnyDrawing())
        ResumeStep();
}

std::string SpriteDocument::GestureLabel() const
{
    if (drawing_.AnyDrawing())
        return ToolStepLabel(drawingTool_);
    if (selectionGesture_ == SelectionGesture::Moving)
        return movingPaste_ ? pasteLabel_ : SelectionMoveLabel;
    if (IsKeyboardStroke())
        return KeyboardStrokeLabel;
    return ToolStepLabel(drawingTool_);
}

DocumentChange SpriteDocument::FrameReplaced()
{
    return {true, true, true, true, true};
}

DocumentChange SpriteDocument::HistoryChanged()
{
    DocumentChange change;
    change.history = true;
    return change;
}

DocumentChange SpriteDocument::Edit(const std::string& label, const std::function<void(Sprite&)>& edit)
{
    CloseGestureStep();
    ResumeStep();
    edit(editing_);
    DocumentChange change = CommitStep(label);
    change.pixels = true;
    return change;
}

DocumentChange SpriteDocument::EditSelection(const std::string& label,
                                             const std::function<void(SpriteSelection&, Sprite&)>& edit)
{
    return Edit(label, [this, &edit](Sprite& frame) { edit(selection_, frame); });
}

DocumentChange SpriteDocument::Undo()
{
    return history_.Undo(frames_) ? FrameReplaced() : DocumentChange{};
}

DocumentChange SpriteDocument::Redo()
{
    return history_.Redo(frames_) ? FrameReplaced() : DocumentChange{};
}

DocumentChange SpriteDocument::StartNewHistory()
{
    history_.Clear();
    ResumeHeldStroke();
    return HistoryChanged();
}

void SpriteDocument::MarkSaved(Saved what)
{
    saved_.Take(what == Saved::WholeSet ? frames_.Frames() : std::vector<const Sprite*>{&editing_});
}

// Frames.

DocumentChange SpriteDocument::SelectFrame(int index)
{
    if (index == frames_.Current() || index < 0 || index >= frames_.Count())
        return {};
    CloseGestureStep();
    // A line's or a shape's preview stays with the gesture, not on the
    // frame it leaves.
    if (drawing_.AnyDrawing())
        editing_.ClearMarks();
    frames_.Select(index);
    ResumeHeldStroke();
    return FrameReplaced();
}

DocumentChange SpriteDocument::InsertFrame(int index, std::unique_ptr<Sprite> frame, const std::string& label)
{
    return history_.InsertFrame(frames_, index, std::move(frame), label) ? FrameReplaced() : DocumentChange{};
}

DocumentChange SpriteDocument::RemoveFrame(int index, const std::string& label)
{
    return history_.RemoveFrame(frames_, index, label) ? FrameReplaced() : DocumentChange{};
}

DocumentChange SpriteDocument::MoveFrame(int from, int to, const std::string& label)
{
    return history_.MoveFrame(frames_, from, to, label) ? FrameReplaced() : DocumentChange{};
}

DocumentChange SpriteDocument::ReplaceFrames(FrameList frames, const std::string& label)
{
    CloseGestureStep();
    const bool replaced = history_.ReplaceFrames(frames_, std::move(frames), 0, label);
    ResumeHeldStroke();
    DocumentChange change = replaced ? FrameReplaced() : DocumentChange{};
    change.history = true;
    return change;
}

// The selection.

DocumentChange SpriteDocument::Deselect()
{
    if (!HasSelection())
        return {};
    selection_.Deselect();
    DocumentChange change;
    change.selection = true;
    return change;
}

DocumentChange SpriteDocument::FloatPasted(const CellPicture& cells, Point topLeft, const std::string& label)
{
    CloseGestureStep();
    const std::size_t stepsBefore = history_.StepsAdded();
    DocumentChange change = EditSelection(label, [&cells, topLeft](SpriteSelection& selection, Sprite& frame) {
        selection.Float(frame, cells, topLeft);
    });
    pastedAt_ = history_.StepsAdded();
    pasteIsStep_ = *pastedAt_ != stepsBefore;
    pasteLabel_ = label;
    change.selection = true;
    return change;
}

// An undo, a redo that is not the paste's, or any other step since, and the
// pasted cells are pixels like any others.
bool SpriteDocument::IsPasteFloating()
{
    return pastedAt_ == history_.StepsAdded() && !history_.CanRedo() && selection_.IsFloating(editing_);
}

// The mouse.

DocumentChange SpriteDocument::MouseDown(int tool, int button, PenValue pen, Point cell)
{
    if (DrawingToolOf(tool).selects)
        return SelectionPress(button, cell);
    if (!drawing_.AnyDrawing()) {
        CloseGestureStep();
        ResumeStep();
    }
    drawingTool_ = tool;
    DocumentChange change;
    change.pixels = drawing_.Press(editing_, tool, button, pen, cell);
    return change;
}

DocumentChange SpriteDocument::MouseMove(int tool, Point cell, Point heldCell)
{
    DocumentChange change;
    if (drawing_.AnyDrawing()) {
        drawingTool_ = tool;
        ResumeStep();
    }
    change.pixels = drawing_.Move(editing_, tool, CellTakenBy(tool, cell, heldCell));
    change |= SelectionDrag(heldCell);
    change |= FollowPointer(cell);
    return change;
}

// A release whose press did not reach the view (it began over another
// control or window) belongs to no stroke and changes nothing.
DocumentChange SpriteDocument::MouseUp(int tool, int button, Point cell, Point heldCell)
{
    DocumentChange change = SelectionRelease(button);
    if (!drawing_.IsDrawing(button))
        return change;
    drawingTool_ = tool;
    change.pixels = drawing_.Release(editing_, tool, button, CellTakenBy(tool, cell, heldCell));
    if (!drawing_.AnyDrawing())
        change |= CommitStep(ToolStepLabel(tool));
    return change;
}

DocumentChange SpriteDocument::CancelDrawing()
{
    DocumentChange change;
    if (!drawing_.Cancel(editing_))
        return change;
    history_.Abandon(editing_);
    change.pixels = true;
    return change;
}

// A press inside the selection takes its pixels along; anywhere else it
// drops the selection and starts a new one.
DocumentChange SpriteDocument::SelectionPress(int button, Point cell)
{
    if (button != 0)
        return {};
    if (IsOnGrid(cell) && HasSelection() && SelectionBounds().Contains(cell)) {
        CloseGestureStep();
        // A paste that changed nothing made no step: its first move is the
        // paste's step.
        movingPaste_ = IsPasteFloating() && (!pasteIsStep_ || history_.ResumeLastStep(editing_, frames_.Current()));
        ResumeStep();
        const CellRect bounds = SelectionBounds();
        selectionGesture_ = SelectionGesture::Moving;
        gestureStartCell_ = cell;
        gestureStartTopLeft_ = {bounds.x, bounds.y};
        return {};
    }
    DocumentChange change = Deselect();
    if (IsOnGrid(cell)) {
        selectionGesture_ = SelectionGesture::Selecting;
        gestureStartCell_ = cell;
    }
    return change;
}

// Beside the grid the nearest cell counts, so a rectangle dragged out of
// the frame stops at its edge.
DocumentChange SpriteDocument::SelectionDrag(Point heldCell)
{
    DocumentChange change;
    if (selectionGesture_ == SelectionGesture::None)
        return change;
    if (selectionGesture_ == SelectionGesture::Selecting) {
        selection_.Select(editing_, gestureStartCell_, heldCell);
        change.selection = true;
        return change;
    }
    const Point topLeft{gestureStartTopLeft_.x + heldCell.x - gestureStartCell_.x,
                        gestureStartTopLeft_.y + heldCell.y - gestureStartCell_.y};
    const CellRect bounds = SelectionBounds();
    if (topLeft == Point{bounds.x, bounds.y})
        return change;
    // A command run during the drag (a transform key) closed its step; the
    // rest of the drag is a step of its own.
    if (!history_.IsRecording())
        movingPaste_ = false;
    ResumeStep();
    selection_.MoveTo(editing_, topLeft);
    change.pixels = true;
    change.selection = true;
    return change;
}

DocumentChange SpriteDocument::SelectionRelease(int button)
{
    if (button != 0 || selectionGesture_ == SelectionGesture::None)
        return {};
    if (selectionGesture_ != SelectionGesture::Moving) {
        selectionGesture_ = SelectionGesture::None;
        return {};
    }
    const std::string label = GestureLabel();
    selectionGesture_ = SelectionGesture::None;
    const std::size_t stepsBefore = history_.StepsAdded();
    const DocumentChange change = CommitStep(label);
    // The paste and its moves are one step, which the next move joins too.
    if (movingPaste_) {
        pastedAt_ = history_.StepsAdded();
        pasteIsStep_ = *pastedAt_ != stepsBefore;
    }
    movingPaste_ = false;
    return change;
}

// Only a cell of the grid on both axes moves the cursor; its frame is drawn
// again only when it is shown and has moved.
DocumentChange SpriteDocument::FollowPointer(Point cell)
{
    DocumentChange change;
    if (!IsOnGrid(cell) || cell == keyboardCell_)
        return change;
    keyboardCell_ = cell;
    change.selection = keyboardCellShown_;
    return change;
}

// The keyboard cursor.

Point SpriteDocument::KeyboardCell() const
{
    return Inside(editing_, keyboardCell_);
}

DocumentChange SpriteDocument::MoveKeyboardCell(int dx, int dy)
{
    const Point from = KeyboardCell();
    const Point to = Inside(editing_, {from.x + dx, from.y + dy});
    keyboardCell_ = to;
    keyboardCellShown_ = true;
    DocumentChange change;
    change.selection = true;
    if (IsKeyboardStroke()) {
        // Another command may have closed the stroke's step meanwhile; what
        // the stroke draws next is a step of its own.
        ResumeStep();
        editing_.DrawLine(from.x, from.y, to.x, to.y, keyboardPen_);
        change.pixels = true;
    }
    return change;
}

DocumentChange SpriteDocument::KeyboardPenDown(PenValue pen)
{
    keyboardCell_ = KeyboardCell();
    keyboardCellShown_ = true;
    CloseGestureStep();
    ResumeStep();
    keyboardPen_ = pen;
    editing_.SetPixel(keyboardCell_.x, keyboardCell_.y, pen);
    DocumentChange change;
    change.pixels = true;
    change.selection = true;
    return change;
}

DocumentChange SpriteDocument::EndKeyboardStroke()
{
    if (!IsKeyboardStroke())
        return {};
    keyboardPen_ = NotDrawing;
    return CommitStep(KeyboardStrokeLabel);
}
