#include "ImageImportDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "Counted.h"
#include "DialogParts.h"
#include "TileMap.h"
#include "sheet.h"

namespace {

// A 240 x 128 sprite at scale 2, with a one-pixel frame.
constexpr QSize PreviewSize{2 * MaxWidth + 2, 2 * MaxHeight + 2};
const QColor MaskedPreviewColor{255, 192, 192};
// The cells a slicing keeps: outlined, or tinted where an outline would
// leave no pixel inside it.
const QColor GridColor{255, 140, 0};
constexpr int SmallestOutlinedCell = 3;
constexpr int TintAlpha = 110;
constexpr Point DefaultCell{16, 16};

QColor PreviewColor(int8_t cell)
{
    if (cell >= MaskedThreshold)
        return MaskedPreviewColor;
    const int gray = LevelValue(static_cast<PixelColor>(cell));
    return QColor(gray, gray, gray);
}

// The cells as they are stored, a palette entry per stored value.
QImage PreviewImage(const CellPicture& picture)
{
    QImage image(picture.width, picture.height, QImage::Format_Indexed8);
    QList<QRgb> colors(MaskOffset + Black + 1, MaskedPreviewColor.rgb());
    for (int8_t cell = White; cell <= Black; ++cell)
        colors[cell] = PreviewColor(cell).rgb();
    image.setColorTable(colors);
    for (int y = 0; y < picture.height; ++y)
        std::copy_n(reinterpret_cast<const uchar*>(&picture.cells[static_cast<std::size_t>(y) * picture.width]),
                    picture.width, image.scanLine(y));
    return image;
}

QSpinBox* NumberBox(int minimum, int maximum, int value)
{
    auto* box = new QSpinBox;
    box->setRange(minimum, maximum);
    box->setValue(value);
    return box;
}

// Two numbers side by side, "across × down" or "X, Y".
QHBoxLayout* PairRow(QSpinBox* first, const QString& between, QSpinBox* second)
{
    auto* row = new QHBoxLayout;
    row->addWidget(first);
    row->addWidget(new QLabel(between));
    row->addWidget(second);
    row->addStretch(1);
    return row;
}

QString SizeText(int width, int height)
{
    return QStringLiteral("%1 × %2").arg(width).arg(height);
}

} // namespace

ConversionPreview::ConversionPreview(QWidget* parent) : QWidget(parent)
{
    setFixedSize(PreviewSize);
}

void ConversionPreview::ShowPicture(const CellPicture& picture)
{
    picture_ = picture;
    image_ = PreviewImage(picture_);
    update();
}

void ConversionPreview::ShowGrid(const SliceGrid& grid, std::vector<Point> cells)
{
    grid_ = grid;
    gridCells_ = std::move(cells);
    update();
}

int ConversionPreview::Scale() const
{
    if (picture_.width < 1 || picture_.height < 1)
        return 0;
    return std::max(1, std::min((width() - 2) / picture_.width, (height() - 2) / picture_.height));
}

int ConversionPreview::Shrink() const
{
    const int across = (picture_.width + width() - 3) / (width() - 2);
    const int down = (picture_.height + height() - 3) / (height() - 2);
    return std::max({1, across, down});
}

QPoint ConversionPreview::WindowPoint(Point pixel) const
{
    return {1 + pixel.x * Scale() / Shrink(), 1 + pixel.y * Scale() / Shrink()};
}

void ConversionPreview::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Dark));
    if (image_.isNull())
        return;
    // Without smoothing every window pixel is one pixel of the picture.
    painter.drawImage(QRect(WindowPoint({0, 0}), WindowPoint({picture_.width, picture_.height})).adjusted(0, 0, -1, -1),
                      image_);
    PaintGrid(painter);
}

void ConversionPreview::PaintGrid(QPainter& painter) const
{
    for (const Point& cell : gridCells_) {
        const Point origin = CellOrigin(grid_, cell.x, cell.y);
        const QRect place(WindowPoint(origin), WindowPoint({origin.x + grid_.cell.x, origin.y + grid_.cell.y}));
        const QRect inside = place.adjusted(0, 0, -1, -1);
        if (inside.width() < SmallestOutlinedCell || inside.height() < SmallestOutlinedCell) {
            QColor tint(GridColor);
            tint.setAlpha(TintAlpha);
            painter.fillRect(inside, tint);
        } else {
            painter.setPen(GridColor);
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(inside.adjusted(0, 0, -1, -1));
        }
    }
}

ImageImportDialog::ImageImportDialog(RgbaImage image, std::optional<Point> sliceCell, QWidget* parent,
                                     ImportTarget target)
    : QDialog(parent), image_(std::move(image)), target_(target)
{
    setObjectName(QStringLiteral("ImageImportDialog"));
    setWindowTitle(QStringLiteral("Importer une image"));
    BuildControls(sliceCell);
    UpdatePartLimits();
    ConnectControls();
    Reconvert();
}

void ImageImportDialog::BuildControls(std::optional<Point> sliceCell)
{
    ConversionOptions defaults;
    defaults.levels = NeedsFourLevels(image_, defaults) ? 4 : 2;

    levelsBox = new QComboBox;
    levelsBox->addItem(QStringLiteral("2 niveaux (noir et blanc)"), 2);
    levelsBox->addItem(QStringLiteral("4 niveaux de gris"), 4);
    levelsBox->setCurrentIndex(defaults.levels == 4 ? 1 : 0);

    thresholdSlider = new QSlider(Qt::Horizontal);
    thresholdSlider->setRange(MinThreshold, MaxThreshold);
    thresholdSlider->setValue(DefaultThreshold);
    thresholdBox = NumberBox(MinThreshold, MaxThreshold, DefaultThreshold);
    auto* thresholdRow = new QHBoxLayout;
    thresholdRow->addWidget(thresholdSlider, 1);
    thresholdRow->addWidget(thresholdBox);

    ditheringBox = new QComboBox;
    ditheringBox->addItem(QStringLiteral("Aucun"), static_cast<int>(Dithering::None));
    ditheringBox->addItem(QStringLiteral("Floyd–Steinberg"), static_cast<int>(Dithering::FloydSteinberg));
    ditheringBox->addItem(QStringLiteral("Atkinson"), static_cast<int>(Dithering::Atkinson));
    ditheringBox->addItem(QStringLiteral("Bayer 4 × 4"), static_cast<int>(Dithering::Bayer));

    invertBox = new QCheckBox(QStringLiteral("Inverser"));
    alphaMaskBox = new QCheckBox(QStringLiteral("Transparence → masque"));
    alphaMaskBox->setChecked(image_.hasAlpha);

    scaleDownBox = NumberBox(1, std::max(1, std::min(image_.width, image_.height)), 1);
    scaleDownBox->setPrefix(QStringLiteral("1/"));

    partGroup = new QGroupBox(QStringLiteral("Prendre une partie"));
    partGroup->setCheckable(true);
    partGroup->setChecked(false);
    partLeft = NumberBox(0, 0, 0);
    partTop = NumberBox(0, 0, 0);
    partWidth = NumberBox(1, 1, 1);
    partHeight = NumberBox(1, 1, 1);
    auto* partForm = new QFormLayout(partGroup);
    partForm->addRow(QStringLiteral("Gauche :"), partLeft);
    partForm->addRow(QStringLiteral("Haut :"), partTop);
    partForm->addRow(QStringLiteral("Largeur :"), partWidth);
    partForm->addRow(QStringLiteral("Hauteur :"), partHeight);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Taille de l'image :"),
                 new QLabel(QStringLiteral("%1 × %2 pixels").arg(image_.width).arg(image_.height)));
    form->addRow(QStringLiteral("Niveaux :"), levelsBox);
    form->addRow(QStringLiteral("Seuil :"), thresholdRow);
    form->addRow(QStringLiteral("Tramage :"), ditheringBox);
    form->addRow(invertBox);
    form->addRow(alphaMaskBox);
    form->addRow(QStringLiteral("Réduction :"), scaleDownBox);
    form->addRow(partGroup);
    form->addRow(BuildSlicing(sliceCell));

    problemLabel = new QLabel;
    problemLabel->setWordWrap(true);
    preview = new ConversionPreview(this);
    auto* previewColumn = new QVBoxLayout;
    previewColumn->addWidget(preview);
    previewColumn->addWidget(problemLabel);
    previewColumn->addStretch(1);

    okButton = new QPushButton(QStringLiteral("OK"));
    okButton->setDefault(true);
    cancelButton = new QPushButton(QStringLiteral("Annuler"));

    auto* columns = new QHBoxLayout;
    columns->addLayout(form);
    columns->addLayout(previewColumn);
    auto* whole = new QVBoxLayout(this);
    whole->addLayout(columns);
    whole->addLayout(ButtonRow({okButton, cancelButton}));
}

// Below the part taken: a sheet's cells, each a frame of the new set.
QGroupBox* ImageImportDialog::BuildSlicing(std::optional<Point> sliceCell)
{
    const Point cell = sliceCell.value_or(DefaultCell);
    sliceGroup = new QGroupBox(QStringLiteral("Découper en images"));
    sliceGroup->setObjectName(QStringLiteral("GB_Decouper"));
    sliceGroup->setToolTip(QStringLiteral("L'image devient une planche : ses cases entières de L × H pixels, de "
                                          "gauche à droite puis de haut en bas, dans un nouveau document"));
    sliceGroup->setCheckable(true);
    sliceGroup->setChecked(sliceCell.has_value());
    E_CelluleL = NamedNumberBox("E_CelluleL", 1, MaxWidth, cell.x);
    E_CelluleH = NamedNumberBox("E_CelluleH", 1, MaxHeight, cell.y);
    E_MargeX = NamedNumberBox("E_MargeX", 0, LargestSheet.x - 1, 0);
    E_MargeY = NamedNumberBox("E_MargeY", 0, LargestSheet.y - 1, 0);
    E_EspaceX = NamedNumberBox("E_EspaceX", 0, LargestSheet.x - 1, 0);
    E_EspaceY = NamedNumberBox("E_EspaceY", 0, LargestSheet.y - 1, 0);
    E_MargeX->setToolTip(QStringLiteral("Position de la première case depuis le coin haut gauche"));
    E_EspaceX->setToolTip(QStringLiteral("Écart entre deux cases"));
    CB_IgnorerVides = new QCheckBox(QStringLiteral("Ignorer les cases vides"));
    CB_IgnorerVides->setObjectName(QStringLiteral("CB_IgnorerVides"));
    CB_IgnorerVides->setToolTip(QStringLiteral("Les cases toutes blanches ou masquées ne deviennent pas des images"));
    L_NombreImages = new QLabel;
    L_NombreImages->setObjectName(QStringLiteral("L_NombreImages"));
    if (target_ == ImportTarget::MapCells) {
        sliceGroup->setTitle(QStringLiteral("Découper en cases de la carte"));
        sliceGroup->setToolTip(QStringLiteral("L'image devient une carte : ses cases entières de L × H pixels, les "
                                              "cases égales une seule tuile, dans une nouvelle carte"));
        sliceGroup->setCheckable(false);
        CB_IgnorerVides->setChecked(false);
        CB_IgnorerVides->hide();
    }

    auto* slicing = new QFormLayout(sliceGroup);
    slicing->addRow(QStringLiteral("Case :"), PairRow(E_CelluleL, QStringLiteral("×"), E_CelluleH));
    slicing->addRow(QStringLiteral("Marge :"), PairRow(E_MargeX, QStringLiteral(","), E_MargeY));
    slicing->addRow(QStringLiteral("Espacement :"), PairRow(E_EspaceX, QStringLiteral(","), E_EspaceY));
    slicing->addRow(CB_IgnorerVides);
    slicing->addRow(L_NombreImages);
    return sliceGroup;
}

void ImageImportDialog::ConnectControls()
{
    connect(thresholdSlider, &QSlider::valueChanged, thresholdBox, &QSpinBox::setValue);
    connect(thresholdBox, &QSpinBox::valueChanged, thresholdSlider, &QSlider::setValue);
    connect(thresholdBox, &QSpinBox::valueChanged, this, &ImageImportDialog::Reconvert);
    for (QComboBox* box : {levelsBox, ditheringBox})
        connect(box, &QComboBox::currentIndexChanged, this, &ImageImportDialog::Reconvert);
    for (QCheckBox* box : {invertBox, alphaMaskBox})
        connect(box, &QCheckBox::toggled, this, &ImageImportDialog::Reconvert);
    connect(partGroup, &QGroupBox::toggled, this, &ImageImportDialog::Reconvert);
    // Slicing or not changes how large the picture taken may be.
    connect(sliceGroup, &QGroupBox::toggled, this, [this] {
        UpdatePartLimits();
        Reconvert();
    });
    for (QSpinBox* box : {E_CelluleL, E_CelluleH, E_MargeX, E_MargeY, E_EspaceX, E_EspaceY})
        connect(box, &QSpinBox::valueChanged, this, &ImageImportDialog::Reslice);
    connect(CB_IgnorerVides, &QCheckBox::toggled, this, &ImageImportDialog::Reslice);
    // A new scale or corner changes how far the part may reach.
    for (QSpinBox* box : {scaleDownBox, partLeft, partTop}) {
        connect(box, &QSpinBox::valueChanged, this, [this] {
            UpdatePartLimits();
            Reconvert();
        });
    }
    for (QSpinBox* box : {partWidth, partHeight})
        connect(box, &QSpinBox::valueChanged, this, &ImageImportDialog::Reconvert);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

bool ImageImportDialog::Slices() const
{
    return target_ == ImportTarget::MapCells || sliceGroup->isChecked();
}

Point ImageImportDialog::LargestTaken() const
{
    return Slices() ? LargestSheet : Point{MaxWidth, MaxHeight};
}

// Keeps the part inside the scaled picture and within the size taken (a
// sprite's, or a sheet's); the part can be chosen only when the scaled
// picture is too large as a whole.
void ImageImportDialog::UpdatePartLimits()
{
    const Point largest = LargestTaken();
    const int scale = scaleDownBox->value();
    const int scaledWidth = std::max(1, image_.width / scale);
    const int scaledHeight = std::max(1, image_.height / scale);
    const QSignalBlocker blockLeft(partLeft), blockTop(partTop), blockWidth(partWidth), blockHeight(partHeight);
    partLeft->setRange(0, scaledWidth - 1);
    partTop->setRange(0, scaledHeight - 1);
    const bool untouched = partWidth->maximum() == 1 && partHeight->maximum() == 1;
    partWidth->setRange(1, std::min(largest.x, scaledWidth - partLeft->value()));
    partHeight->setRange(1, std::min(largest.y, scaledHeight - partTop->value()));
    if (untouched) { // the first time: the largest part from the top-left corner
        partWidth->setValue(partWidth->maximum());
        partHeight->setValue(partHeight->maximum());
    }
    partGroup->setEnabled(scaledWidth > largest.x || scaledHeight > largest.y);
}

ConversionOptions ImageImportDialog::Options() const
{
    ConversionOptions options;
    options.levels = levelsBox->currentData().toInt();
    options.threshold = thresholdBox->value();
    options.dithering = static_cast<Dithering>(ditheringBox->currentData().toInt());
    options.invert = invertBox->isChecked();
    options.alphaMask = alphaMaskBox->isChecked();
    options.scaleDown = scaleDownBox->value();
    if (partGroup->isEnabled() && partGroup->isChecked())
        options.crop = CropRect{partLeft->value(), partTop->value(), partWidth->value(), partHeight->value()};
    options.largest = LargestTaken();
    return options;
}

std::optional<SliceGrid> ImageImportDialog::Slicing() const
{
    if (!Slices())
        return std::nullopt;
    return SliceGrid{{E_CelluleL->value(), E_CelluleH->value()},
                     {E_MargeX->value(), E_MargeY->value()},
                     {E_EspaceX->value(), E_EspaceY->value()}};
}

bool ImageImportDialog::SkipsEmptyCells() const
{
    return CB_IgnorerVides->isChecked();
}

void ImageImportDialog::Reconvert()
{
    conversion_ = ConvertImage(image_, Options());
    preview->ShowPicture(conversion_.picture);
    Reslice();
}

void ImageImportDialog::Reslice()
{
    const std::optional<SliceGrid> grid = Slicing();
    const bool converted = conversion_.Succeeded();
    if (!grid || !converted) {
        preview->ShowGrid({}, {});
        L_NombreImages->clear();
        problemLabel->setText(ProblemText());
        okButton->setEnabled(converted && !grid);
        return;
    }
    if (target_ == ImportTarget::MapCells) {
        ResliceMap(*grid);
        return;
    }
    const long long frames = SlicedFrameCount(conversion_.picture, *grid, SkipsEmptyCells());
    const bool fits = frames >= 1 && frames <= MaxFrames;
    // Past a set's frames nothing is imported, and a grid of as many cells
    // would be too fine to see.
    preview->ShowGrid(*grid, fits ? KeptCells(conversion_.picture, *grid, SkipsEmptyCells()) : std::vector<Point>());
    L_NombreImages->setText(QString::fromStdString(Counted(frames, "image", "images")));
    problemLabel->setText(SlicingProblemText(frames));
    okButton->setEnabled(fits);
}

QString ImageImportDialog::ProblemText() const
{
    const ImageArea& area = conversion_.area;
    if (area.problem == ConversionProblem::TooLarge && Slices())
        return QStringLiteral("L'image fait %1 pixels, plus que les %2 d'une planche : réduisez-la ou prenez-en une "
                              "partie.")
            .arg(SizeText(area.scaledWidth, area.scaledHeight), SizeText(LargestSheet.x, LargestSheet.y));
    switch (area.problem) {
    case ConversionProblem::None:
        return QStringLiteral("Sprite de %1 × %2 pixels").arg(area.part.width).arg(area.part.height);
    case ConversionProblem::TooLarge:
        return QStringLiteral("L'image fait %1 × %2 pixels, plus que les %3 × %4 d'un sprite : réduisez-la ou "
                              "prenez-en une partie.")
            .arg(area.scaledWidth)
            .arg(area.scaledHeight)
            .arg(MaxWidth)
            .arg(MaxHeight);
    case ConversionProblem::EmptyScaled:
    case ConversionProblem::CropOutside:
    case ConversionProblem::BadOption:
        break;
    }
    return QStringLiteral("Ces réglages ne laissent aucun pixel de l'image.");
}

QString ImageImportDialog::SlicingProblemText(long long frames) const
{
    const CellPicture& picture = conversion_.picture;
    const QString sheet = SizeText(picture.width, picture.height);
    if (frames < 1)
        return QStringLiteral("Aucune case entière%1 de %2 dans la planche de %3 pixels.")
            .arg(SkipsEmptyCells() ? QStringLiteral(" non vide") : QString(),
                 SizeText(E_CelluleL->value(), E_CelluleH->value()), sheet);
    if (frames > MaxFrames)
        return QStringLiteral("Trop de cases : une planche a au plus %1 images.").arg(MaxFrames);
    return QStringLiteral("Planche de %1 pixels").arg(sheet);
}

void ImageImportDialog::ResliceMap(const SliceGrid& grid)
{
    const CellPicture& picture = conversion_.picture;
    const GridCells cells = CellsOfGrid(picture.width, picture.height, grid);
    const bool fits = cells.Count() >= 1 && cells.columns <= MaxMapSide && cells.rows <= MaxMapSide;
    preview->ShowGrid(grid, fits ? KeptCells(picture, grid, false) : std::vector<Point>());
    L_NombreImages->setText(QStringLiteral("%1 cases").arg(SizeText(cells.columns, cells.rows)));
    if (cells.Count() < 1)
        problemLabel->setText(QStringLiteral("Aucune case entière de %1 dans l'image de %2 pixels.")
                                  .arg(SizeText(grid.cell.x, grid.cell.y), SizeText(picture.width, picture.height)));
    else if (!fits)
        problemLabel->setText(
            QStringLiteral("Trop de cases : une carte a au plus %1 colonnes et %1 lignes.").arg(MaxMapSide));
    else
        problemLabel->setText(QStringLiteral("Carte de %1 cases de %2 pixels")
                                  .arg(SizeText(cells.columns, cells.rows), SizeText(grid.cell.x, grid.cell.y)));
    okButton->setEnabled(fits);
}
