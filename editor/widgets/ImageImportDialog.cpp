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

#include "DialogParts.h"

namespace {

// A 240 x 128 sprite at scale 2, with a one-pixel frame.
constexpr QSize PreviewSize{2 * MaxWidth + 2, 2 * MaxHeight + 2};
const QColor MaskedPreviewColor{255, 192, 192};

QColor PreviewColor(int8_t cell)
{
    if (cell >= MaskedThreshold)
        return MaskedPreviewColor;
    const int gray = LevelValue(static_cast<PixelColor>(cell));
    return QColor(gray, gray, gray);
}

QSpinBox* NumberBox(int minimum, int maximum, int value)
{
    auto* box = new QSpinBox;
    box->setRange(minimum, maximum);
    box->setValue(value);
    return box;
}

} // namespace

ConversionPreview::ConversionPreview(QWidget* parent) : QWidget(parent)
{
    setFixedSize(PreviewSize);
}

void ConversionPreview::ShowPicture(const CellPicture& picture)
{
    picture_ = picture;
    update();
}

int ConversionPreview::Scale() const
{
    if (picture_.width < 1 || picture_.height < 1)
        return 0;
    return std::max(1, std::min((width() - 2) / picture_.width, (height() - 2) / picture_.height));
}

void ConversionPreview::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Dark));
    const int scale = Scale();
    for (int y = 0; y < picture_.height; ++y)
        for (int x = 0; x < picture_.width; ++x)
            painter.fillRect(1 + x * scale, 1 + y * scale, scale, scale, PreviewColor(picture_.At(x, y)));
}

ImageImportDialog::ImageImportDialog(RgbaImage image, QWidget* parent) : QDialog(parent), image_(std::move(image))
{
    setObjectName(QStringLiteral("ImageImportDialog"));
    setWindowTitle(QStringLiteral("Importer une image"));
    BuildControls();
    UpdatePartLimits();
    ConnectControls();
    Reconvert();
}

void ImageImportDialog::BuildControls()
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

// Keeps the part inside the scaled picture and within a sprite's size; the
// part can be chosen only when the scaled picture is too large as a whole.
void ImageImportDialog::UpdatePartLimits()
{
    const int scale = scaleDownBox->value();
    const int scaledWidth = std::max(1, image_.width / scale);
    const int scaledHeight = std::max(1, image_.height / scale);
    const QSignalBlocker blockLeft(partLeft), blockTop(partTop), blockWidth(partWidth), blockHeight(partHeight);
    partLeft->setRange(0, scaledWidth - 1);
    partTop->setRange(0, scaledHeight - 1);
    const bool untouched = partWidth->maximum() == 1 && partHeight->maximum() == 1;
    partWidth->setRange(1, std::min(MaxWidth, scaledWidth - partLeft->value()));
    partHeight->setRange(1, std::min(MaxHeight, scaledHeight - partTop->value()));
    if (untouched) { // the first time: the largest part from the top-left corner
        partWidth->setValue(partWidth->maximum());
        partHeight->setValue(partHeight->maximum());
    }
    partGroup->setEnabled(scaledWidth > MaxWidth || scaledHeight > MaxHeight);
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
    return options;
}

void ImageImportDialog::Reconvert()
{
    conversion_ = ConvertImage(image_, Options());
    preview->ShowPicture(conversion_.picture);
    problemLabel->setText(ProblemText());
    okButton->setEnabled(conversion_.Succeeded());
}

QString ImageImportDialog::ProblemText() const
{
    const ImageArea& area = conversion_.area;
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
