// Transforms and the selection: the selection tool and the transform and
// pre-shift buttons in the free column of "Retouche", the clipboard of
// cells (Ctrl+C, Ctrl+X, Ctrl+V), and the keys of the view, which reach it
// from whatever control of the main window has the focus, except a text box
// being typed in: the transforms' keys, the selection's (S, Delete, Escape,
// Enter), and the keyboard cursor's (the arrows, Space strokes with the pen
// of a mouse button). It draws the selection's outline and the cursor's
// frame over the main view. The pixels and the steps are the document's
// (TransformCommands.h, SelectionCommands.h).
//
// Adding a transform: its pixels in Transform.h, its step name in
// TransformCommands.cpp, its button and key in the table of
// TransformPanel.cpp.
#pragma once

#include "EditorPanel.h"
#include "Transform.h"

class QKeyEvent;
class QToolButton;

class TransformPanel : public EditorPanel {
public:
    explicit TransformPanel(EditorContext& editor);

    // Transforms: of the selection when there is one, else of the sprite.
    void TransformClick(PictureTransform transform);
    // Ends a Space stroke in progress as one undo step.
    void EndKeyboardStroke();

    void PaintOverView(QPainter& painter) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void B_PreDecalerClick();
    // The keys of the view; true when the key was used.
    bool ViewKeyDown(const QKeyEvent& key);
    bool ViewKeyUp(const QKeyEvent& key);
    void MoveKeyboardCell(int dx, int dy);
    void KeyboardPenDown(int button);
    // Selection and clipboard.
    void CopySelection();
    void CutSelection();
    void PasteClipboard();
    void EraseSelection();
    void DropSelection();

    QToolButton* sbSelection;
};
