// "Exporter en données...": the data of the sprite, or of every frame of the
// set, in a layout of the user's choice (DataLayout.h), with a live view of
// the text and presets named after the routine families that draw it. The
// text goes to the clipboard ("Copier") or to a file ("Enregistrer...",
// through the editor's file dialogs and messages). The dialog works on the
// frames it is given and changes none of them.
#pragma once

#include <QDialog>
#include <vector>

#include "DataExportSettings.h"
#include "Dialogs.h"
#include "U_class.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// What the dialog exports: every frame in order (one for a lone sprite),
// the one being edited, and the name proposed.
struct DataExportSubject {
    std::vector<const Sprite*> frames;
    int current = 0;
    QString name;
};

class DataExportDialog : public QDialog {
    Q_OBJECT
public:
    DataExportDialog(DataExportSubject subject, const DataExportSettings& last, QWidget* parent = nullptr);

    // The options shown; used once the text was copied or saved.
    DataExportSettings Settings() const;
    // The text shown; empty when the options do not fit the sprite.
    QString Text() const;

    QComboBox* presetBox;
    QLineEdit* nameEdit;
    QCheckBox* allFramesBox; // the whole set, or the frame being edited
    QComboBox* rowsBox;
    QComboBox* orderBox;
    QComboBox* arrangeBox;
    QComboBox* maskBitBox;
    QComboBox* framesBox;
    QComboBox* syntaxBox;
    QCheckBox* definesBox;
    QPlainTextEdit* textView;
    QLabel* statusLabel; // why there is no text, or what was done with it
    QPushButton* copyButton;
    QPushButton* saveButton;
    QPushButton* closeButton;

private:
    void BuildControls();
    void ConnectControls();
    void ShowSettings(const DataExportSettings& settings);
    void ApplyPreset(int index);
    void FillOrders();
    void Rewrite();
    void CopyText();
    void SaveText();
    std::vector<const Sprite*> ChosenFrames() const;
    LayoutRequest Request() const;

    DataExportSubject subject_;
    FileDialog saveDialog_;
    bool used_ = false;
};
