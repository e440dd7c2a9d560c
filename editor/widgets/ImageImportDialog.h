// The conversion dialog of an image import: the picture's conversion
// options beside a live preview of the sprite they give. The picture is the
// dialog's own copy; the sprite is not touched here, the caller takes
// Result() after "OK".
#pragma once

#include <QDialog>
#include <QWidget>

#include "CellPicture.h"
#include "ImageConversion.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QSlider;
class QSpinBox;

// The converted picture at the largest whole scale that fits the widget,
// from its top-left corner, in the plain grays; masked pixels in pink.
class ConversionPreview : public QWidget {
public:
    explicit ConversionPreview(QWidget* parent);
    void ShowPicture(const CellPicture& picture);
    // Window pixels per picture pixel, 0 when there is no picture.
    int Scale() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CellPicture picture_;
};

class ImageImportDialog : public QDialog {
    Q_OBJECT
public:
    ImageImportDialog(RgbaImage image, QWidget* parent = nullptr);

    ConversionOptions Options() const;
    // The conversion of the options shown; Succeeded() when "OK" is enabled.
    const Conversion& Result() const { return conversion_; }

    QComboBox* levelsBox;
    QSlider* thresholdSlider;
    QSpinBox* thresholdBox;
    QComboBox* ditheringBox;
    QCheckBox* invertBox;
    QCheckBox* alphaMaskBox;
    QSpinBox* scaleDownBox;
    QGroupBox* partGroup; // checkable: take a part of a picture too large
    QSpinBox* partLeft;
    QSpinBox* partTop;
    QSpinBox* partWidth;
    QSpinBox* partHeight;
    QLabel* problemLabel;
    ConversionPreview* preview;
    QPushButton* okButton;
    QPushButton* cancelButton;

private:
    void BuildControls();
    void ConnectControls();
    void UpdatePartLimits();
    void Reconvert();
    QString ProblemText() const;

    RgbaImage image_;
    Conversion conversion_;
};
