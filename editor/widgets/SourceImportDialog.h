// The choice of "Importer du C..." (C and assembly sources): the sprites
// found in the source, each with its picture, to take as found; or the
// source's arrays read in a layout chosen here (arrangement, order of the
// planes, row unit, mask bit, the array of each plane, height and width).
// The sprite the choice gives is shown before "OK". The dialog reads the
// source's arrays and changes nothing; the caller applies Choice().
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
class QPushButton;
class QSpinBox;

class SourceImportDialog : public QDialog {
    Q_OBJECT
public:
    // found outlives the dialog; items are its candidates as the list shows
    // them. A found without those candidates (an empty one) leaves the list
    // alone, without pictures, preview or layout chosen by hand.
    SourceImportDialog(const ArraySprites& found, const QList<ArrayChoiceItem>& items, QWidget* parent = nullptr);

    ArrayChoice Choice() const;

    QListWidget* candidateList;
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
    void BuildControls();
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
