// Undo and redo: "Annuler" and "Rétablir" at the top of the free column of
// "Retouche", their hints naming the step they would take, and their keys
// (Ctrl+Z; Ctrl+Y or Ctrl+Maj+Z), which leave a text being typed alone. The
// steps themselves are the document's (SpriteDocument.h).
#pragma once

#include "EditorPanel.h"

class QPushButton;

class UndoPanel : public EditorPanel {
public:
    explicit UndoPanel(EditorContext& editor);

    void B_AnnulerClick();
    void B_RetablirClick();
    // Ctrl+Z, and Ctrl+Y or Ctrl+Maj+Z, in that window too.
    void AddUndoKeys(QWidget* window);

    void ShowChange(const DocumentChange& change) override;

private:
    void ShowUndoState();

    QPushButton* B_Annuler;
    QPushButton* B_Retablir;
};
