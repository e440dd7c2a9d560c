// The choices of "Exporter la planche en PNG...": how many frames to a row
// (at first the count that makes the sheet nearest to a square), the white
// gap between two cells and the scale, with the size of the picture they
// make; "OK" only while it is not too large to write.
#pragma once

#include <QDialog>

#include "U_class.h"

class QLabel;
class QPushButton;
class QSpinBox;

class SheetExportDialog : public QDialog {
public:
    SheetExportDialog(Point frameSize, int frameCount, int scale, QWidget* parent);

    QSpinBox* E_Colonnes;
    QSpinBox* E_EspacePlanche;
    QSpinBox* E_EchellePlanche;
    QLabel* L_TaillePlanche;
    QPushButton* okButton;
    QPushButton* cancelButton;

private:
    void ShowSize();

    Point frameSize_;
    int frameCount_;
};
