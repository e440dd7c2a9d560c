// Undo and redo of the commands that change the sprite: the two buttons of
// the page "Retouche", their keyboard shortcuts, and the steps that the
// commands open and close around their change.
#include <QApplication>
#include <QPushButton>
#include <QShortcut>

#include "Controls.h"
#include "U_main.h"

namespace {

// "Annuler : remplissage (Ctrl+Z)", or "Annuler (Ctrl+Z)" with no step.
QString StepHint(const QString& action, const std::string& stepLabel, const QString& keys)
{
    if (stepLabel.empty())
        return QStringLiteral("%1 (%2)").arg(action, keys);
    return QStringLiteral("%1 : %2 (%3)").arg(action, QString::fromStdString(stepLabel), keys);
}

QPushButton* StepButton(QWidget* page, const char* name, const QString& caption, int top)
{
    // The free column right of the panels, as wide as the panels leave it.
    constexpr int left = 176;
    constexpr int width = 105;
    constexpr int height = 25;
    auto* button = new QPushButton(caption, page);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(left, top, width, height);
    button->setFocusPolicy(Qt::ClickFocus);
    return button;
}

} // namespace

void TForm1::BuildUndoControls()
{
    B_Annuler = StepButton(TabSheet1, "B_Annuler", QStringLiteral("Annuler"), 0);
    B_Retablir = StepButton(TabSheet1, "B_Retablir", QStringLiteral("Rétablir"), 31);
    connect(B_Annuler, &QPushButton::clicked, this, &TForm1::B_AnnulerClick);
    connect(B_Retablir, &QPushButton::clicked, this, &TForm1::B_RetablirClick);

    // A press on the view takes the keys away from a size edit just used,
    // so that Ctrl+Z after drawing undoes the drawing, not the typing.
    setFocusPolicy(Qt::ClickFocus);

    // A text edit takes the keys it knows for its own undo before these see
    // them; the check below also keeps away from the sprite the keys that
    // the platform's edits leave unused.
    auto* undoKeys = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z), this);
    auto* redoKeys = new QShortcut(this);
    redoKeys->setKeys({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    for (QShortcut* keys : {undoKeys, redoKeys})
        keys->setContext(Qt::WindowShortcut);
    connect(undoKeys, &QShortcut::activated, this, [this] {
        if (!IsTextEditing(QApplication::focusWidget()))
            B_AnnulerClick();
    });
    connect(redoKeys, &QShortcut::activated, this, [this] {
        if (!IsTextEditing(QApplication::focusWidget()))
            B_RetablirClick();
    });
    ShowUndoState();
}

void TForm1::B_AnnulerClick()
{
    if (history.Undo(frames))
        ShowRestoredSprite();
}

void TForm1::B_RetablirClick()
{
    if (history.Redo(frames))
        ShowRestoredSprite();
}

// A step may change the size: the sprite is shown as after a load, the
// size edits included.
void TForm1::ShowRestoredSprite()
{
    ShowLoadedSprite();
    ShowUndoState();
}

void TForm1::ShowUndoState()
{
    B_Annuler->setEnabled(history.CanUndo());
    B_Annuler->setToolTip(StepHint(QStringLiteral("Annuler"), history.UndoLabel(), QStringLiteral("Ctrl+Z")));
    B_Retablir->setEnabled(history.CanRedo());
    B_Retablir->setToolTip(StepHint(QStringLiteral("Rétablir"), history.RedoLabel(), QStringLiteral("Ctrl+Y")));
}

// A command that runs while mouse buttons are still held (Enter in a size
// edit) closes their gesture first, so that no change escapes the history.
void TForm1::BeginSpriteStep()
{
    CloseGestureStep();
    ResumeSpriteStep();
}

// ...and what the held buttons draw afterwards is a step of its own.
void TForm1::CommitSpriteStep(const QString& label)
{
    history.Commit(sprite, label.toStdString());
    frames.ApplySizeToAll();
    if (AnyButtonDrawing())
        ResumeSpriteStep();
    ShowUndoState();
}

// The only place a step is opened: always on the frame being edited, which
// its undo goes back to, whatever frame was current when the gesture began.
void TForm1::ResumeSpriteStep()
{
    if (!history.IsRecording())
        history.Begin(sprite, frames.Current());
}

void TForm1::CloseGestureStep()
{
    if (history.IsRecording())
        history.Commit(sprite, GestureLabel().toStdString());
}

// What a held button draws next is a step of the new history.
void TForm1::StartNewHistory()
{
    history.Clear();
    if (AnyButtonDrawing())
        ResumeSpriteStep();
    ShowUndoState();
}

QString TForm1::GestureLabel() const
{
    switch (Tool) {
    case ToolLine:
        return QStringLiteral("ligne");
    case ToolFill:
        return QStringLiteral("remplissage");
    case ToolSelection:
        return QStringLiteral("déplacement de la sélection");
    default:
        return QStringLiteral("crayon");
    }
}

bool TForm1::AnyButtonDrawing() const
{
    for (int k = 0; k < MouseButtonCount; ++k) {
        if (IsDrawing(k))
            return true;
    }
    return false;
}
