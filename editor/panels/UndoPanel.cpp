#include "UndoPanel.h"

#include <QPushButton>

#include "Controls.h"
#include "EditorContext.h"

namespace {

// "Annuler : remplissage (Ctrl+Z)", or "Annuler (Ctrl+Z)" with no step.
QString StepHint(const QString& action, const std::string& stepLabel, const QString& keys)
{
    if (stepLabel.empty())
        return QStringLiteral("%1 (%2)").arg(action, keys);
    return QStringLiteral("%1 : %2 (%3)").arg(action, QString::fromStdString(stepLabel), keys);
}

// At the top of the free column, as wide as the panels leave it.
QPushButton* StepButton(QWidget* page, const char* name, const QString& caption, int top)
{
    return FreeColumnButton(page, name, caption, FreeColumn::Left, top, FreeColumn::Width);
}

} // namespace

UndoPanel::UndoPanel(EditorContext& editor) : EditorPanel(editor)
{
    B_Annuler = StepButton(editor.Page(EditorPage::Retouche), "B_Annuler", QStringLiteral("Annuler"), 0);
    B_Retablir = StepButton(editor.Page(EditorPage::Retouche), "B_Retablir", QStringLiteral("Rétablir"), 31);
    connect(B_Annuler, &QPushButton::clicked, this, &UndoPanel::B_AnnulerClick);
    connect(B_Retablir, &QPushButton::clicked, this, &UndoPanel::B_RetablirClick);

    // A press on the view takes the keys away from a size edit just used,
    // so that Ctrl+Z after drawing undoes the drawing, not the typing.
    editor.Window().setFocusPolicy(Qt::ClickFocus);

    // A text edit takes the keys it knows for its own undo before these see
    // them; the check below also keeps away from the sprite the keys that
    // the platform's edits leave unused.
    AddUndoKeys(&editor.Window());
    ShowUndoState();
}

void UndoPanel::AddUndoKeys(QWidget* window)
{
    AddCommandKeys(window, {QKeySequence(Qt::CTRL | Qt::Key_Z)}, [this] { B_AnnulerClick(); });
    AddCommandKeys(window, {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
                   [this] { B_RetablirClick(); });
}

void UndoPanel::B_AnnulerClick()
{
    editor.ShowChange(editor.Document().Undo());
}

void UndoPanel::B_RetablirClick()
{
    editor.ShowChange(editor.Document().Redo());
}

void UndoPanel::ShowChange(const DocumentChange& change)
{
    if (change.history)
        ShowUndoState();
}

void UndoPanel::ShowUndoState()
{
    const SpriteDocument& document = editor.Document();
    B_Annuler->setEnabled(document.CanUndo());
    B_Annuler->setToolTip(StepHint(QStringLiteral("Annuler"), document.UndoLabel(), QStringLiteral("Ctrl+Z")));
    B_Retablir->setEnabled(document.CanRedo());
    B_Retablir->setToolTip(StepHint(QStringLiteral("Rétablir"), document.RedoLabel(), QStringLiteral("Ctrl+Y")));
}
