// The choice of "Importer du C..." and "Importer d'un dossier..." (C and
// assembly sources): the sprites found in the program, each with its picture
// and where it comes from, to take as found, and the notes of the reading
// under them; or the program's arrays read in a layout chosen here
// (arrangement, order of the planes, row unit, mask bit, the array of each
// plane typed as a draw call names it: "spr", "spr+16", "tbl[*]", height and
// width). The sprite the choice gives is shown before "OK". The dialog reads
// the arrays and changes nothing; the caller applies Choice().
#pragma once

#include <QDialog>
#include <QList>
#include <array>

#include "RoundTripDialogs.h"
#include "c_array_sprites.h"

class ConversionPreview;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;

class SourceImportDialog : public QDialog {
    Q_OBJECT
public:
    // found outlives the dialog; items are its candidates as the list shows
    // them. A found without those candidates (an empty one) leaves the list
    // alone, without pictures, preview or layout chosen by hand.
    SourceImportDialog(const ArraySprites& found, const QList<ArrayChoiceItem>& items, const QStringList& notes = {},
                       QWidget* parent = nullptr);

    ArrayChoice Choice() const;

    QListWidget* candidateList;
    QPlainTextEdit* notesBox; // shown when the reading has notes
    QSpinBox* widthBox;
    QCheckBox* asFramesBox;
    QGroupBox* layoutGroup; // checked: the arrays read in the layout below
    QComboBox* arrangeBox;
    QComboBox* orderBox;
    QComboBox* rowsBox;
    QComboBox* maskBitBox;
    std::array<QLabel*, 3> planeLabels;
    std::array<QComboBox*, 3> planeArrays; // the array of each plane, or the one array
    QSpinBox* heightBox;
    ConversionPreview* preview;
    QLabel* resultLabel;
    QPushButton* okButton;
    QPushButton* cancelButton;

private:
    void BuildControls(const QStringList& notes);
    QWidget* BuildLayoutGroup();
    void ConnectControls();
    void CandidateChosen(int row);
    void TakeCandidateLayout(int row);
    void ShowPlaneRows();
    void Update();
    void ShowCandidate();
    void ShowLayoutReading();
    ReadingRequest Request() const;

    const ArraySprites& found_;
    QList<ArrayChoiceItem> items_;
    bool withSource_; // found's candidates are the items: pictures, preview and layouts
};
