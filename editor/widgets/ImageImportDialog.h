// The conversion dialog of an image import: the picture's conversion
// options beside a live preview of the sprite they give, and the slicing of
// a sheet into frames (cell size, margin, spacing, empty cells left out)
// with its grid drawn over the preview. A sliced picture may be as large as
// a sheet (LargestSheet), a picture taken whole only as large as a sprite.
// The picture is the dialog's own copy; the sprite is not touched here, the
// caller takes Result() and Slicing() after "OK".
//
// For a map (ImportTarget::MapCells) the picture is always cut: its cells
// become the map's, up to 1024 columns and rows, and no cell is left out.
#pragma once

#include <QDialog>
#include <QImage>
#include <QWidget>
#include <optional>
#include <vector>

#include "CellPicture.h"
#include "ImageConversion.h"
#include "TileSlicing.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QSlider;
class QSpinBox;

// The converted picture from its top-left corner, inside a one-pixel frame:
// at the largest whole scale that fits the widget, or one pixel of every
// few in each direction when it is larger than the widget (a sheet); in the
// plain grays, masked pixels in pink, never smoothed. Over it, the cells a
// slicing keeps, outlined.
class ConversionPreview : public QWidget {
public:
    explicit ConversionPreview(QWidget* parent);
    void ShowPicture(const CellPicture& picture);
    // The cells (column, row) of the grid to outline; none clears them.
    void ShowGrid(const SliceGrid& grid, std::vector<Point> cells);
    // Window pixels per picture pixel, 0 when there is no picture.
    int Scale() const;
    // Picture pixels per window pixel: 1, or more for a picture larger
    // than the widget.
    int Shrink() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The window position of a picture pixel's top-left corner.
    QPoint WindowPoint(Point pixel) const;
    void PaintGrid(QPainter& painter) const;

    CellPicture picture_;
    QImage image_; // the picture's cells as palette indexes
    SliceGrid grid_;
    std::vector<Point> gridCells_;
};

enum class ImportTarget { Sprite, MapCells };

class ImageImportDialog : public QDialog {
    Q_OBJECT
public:
    // sliceCell, when given, starts the dialog slicing cells of that size.
    explicit ImageImportDialog(RgbaImage image, std::optional<Point> sliceCell = std::nullopt,
                               QWidget* parent = nullptr, ImportTarget target = ImportTarget::Sprite);

    ConversionOptions Options() const;
    // The grid the picture is cut along, or nothing when it is taken whole.
    std::optional<SliceGrid> Slicing() const;
    bool SkipsEmptyCells() const;
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
    QGroupBox* sliceGroup; // checkable: cut the picture into frames (always cut into a map's cells)
    QSpinBox* E_CelluleL;
    QSpinBox* E_CelluleH;
    QSpinBox* E_MargeX;
    QSpinBox* E_MargeY;
    QSpinBox* E_EspaceX;
    QSpinBox* E_EspaceY;
    QCheckBox* CB_IgnorerVides;
    QLabel* L_NombreImages;
    QLabel* problemLabel;
    ConversionPreview* preview;
    QPushButton* okButton;
    QPushButton* cancelButton;

private:
    void BuildControls(std::optional<Point> sliceCell);
    QGroupBox* BuildSlicing(std::optional<Point> sliceCell);
    void ConnectControls();
    void UpdatePartLimits();
    void Reconvert();
    // The grid and the count of frames, after the picture or the slicing
    // changed; "OK" only for a count a set can hold.
    void Reslice();
    QString ProblemText() const;
    QString SlicingProblemText(long long frames) const;
    Point LargestTaken() const;
    bool Slices() const;
    // The label, the problem and whether "OK" may be pressed, for a map's cells.
    void ResliceMap(const SliceGrid& grid);

    RgbaImage image_;
    ImportTarget target_;
    Conversion conversion_;
};
