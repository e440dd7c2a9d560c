#include "SourceImportDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "DialogParts.h"
#include "ImageFiles.h"
#include "ImageImportDialog.h"
#include "sheet.h"

namespace {

constexpr QSize IconSize{96, 48};

// The sprite at the largest whole scale that fits (shrunk when even one
// pixel a cell is too large), on a clear picture of the icon's full size, so
// that every text of the list starts at one column.
QIcon CandidateIcon(const Sprite& sprite)
{
    const int scale = std::max(1, std::min(IconSize.width() / sprite.width, IconSize.height() / sprite.height));
    QImage image = SpriteImage(sprite, scale, false);
    if (image.width() > IconSize.width() || image.height() > IconSize.height())
        image = image.scaled(IconSize, Qt::KeepAspectRatio);
    QPixmap icon(IconSize);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.drawImage(QPoint(0, (IconSize.height() - image.height()) / 2), image);
    return QIcon(icon);
}

// Every order a source's planes may come in.
const char* const Orders[] = {"B", "BM", "MB", "LD", "DL", "LDM", "LMD", "DLM", "DML", "MLD", "MDL"};

QString PlaneCaption(char letter)
{
    switch (letter) {
    case 'L':
        return QStringLiteral("Plan clair (L) :");
    case 'D':
        return QStringLiteral("Plan foncé (D) :");
    case 'M':
        return QStringLiteral("Masque (M) :");
    default:
        return QStringLiteral("Noir et blanc (B) :");
    }
}

QString Size(int width, int height)
{
    return QStringLiteral("%1 × %2").arg(width).arg(height);
}

// The names an array may be asked by: each array, and each array of parts
// as a whole and row by row (NAME[*]).
QStringList ArrayNamesOf(const CArrayScan& scan)
{
    QStringList names;
    for (const CArray& array : scan.arrays) {
        const QString name = QString::fromStdString(array.name);
        const qsizetype bracket = name.indexOf(u'[');
        if (bracket > 0 && !names.contains(name.left(bracket)))
            names << name.left(bracket) << name.left(bracket) + QStringLiteral("[*]");
        names << name;
    }
    return names;
}

} // namespace

SourceImportDialog::SourceImportDialog(const ArraySprites& found, const QList<ArrayChoiceItem>& items,
                                       const QStringList& notes, QWidget* parent)
    : QDialog(parent), found_(found), items_(items),
      withSource_(found.candidates.size() == static_cast<std::size_t>(items.size()))
{
    setObjectName(QStringLiteral("SourceImportDialog"));
    setWindowTitle(QStringLiteral("Importer du C"));
    resize(980, 600);
    BuildControls(notes);
    ShowPlaneRows();
    ConnectControls();
    const int first = withSource_ && !items_.isEmpty() ? static_cast<int>(FirstCandidateToShow(found_)) : 0;
    candidateList->setCurrentRow(first);
    CandidateChosen(first);
}

void SourceImportDialog::BuildControls(const QStringList& notes)
{
    candidateList = new QListWidget;
    candidateList->setObjectName(QStringLiteral("LB_Tableaux"));
    candidateList->setIconSize(IconSize);
    for (int i = 0; i < items_.size(); ++i) {
        auto* item = new QListWidgetItem(items_[i].text, candidateList);
        item->setToolTip(items_[i].arrays);
        if (!withSource_)
            continue;
        Sprite sprite;
        const ArrayCandidate& candidate = found_.candidates[static_cast<std::size_t>(i)];
        BuildArraySprite(found_, candidate, candidate.width, sprite);
        item->setIcon(CandidateIcon(sprite));
    }
    notesBox = new QPlainTextEdit(notes.join(u'\n'));
    notesBox->setObjectName(QStringLiteral("M_NotesLecture"));
    notesBox->setReadOnly(true);
    notesBox->setLineWrapMode(QPlainTextEdit::NoWrap);
    notesBox->setMaximumHeight(96);
    auto* notesLabel = new QLabel(QStringLiteral("Notes de la lecture :"));
    notesBox->setVisible(!notes.isEmpty());
    notesLabel->setVisible(!notes.isEmpty());
    widthBox = new QSpinBox;
    widthBox->setObjectName(QStringLiteral("E_Largeur"));
    asFramesBox = new QCheckBox;
    asFramesBox->setObjectName(QStringLiteral("CB_EnImages"));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Largeur (colonnes de gauche gardées) :"), widthBox);
    form->addRow(asFramesBox);

    preview = new ConversionPreview(this);
    resultLabel = new QLabel;
    resultLabel->setObjectName(QStringLiteral("L_Resultat"));
    resultLabel->setWordWrap(true);
    auto* right = new QVBoxLayout;
    right->addWidget(BuildLayoutGroup());
    // Without the source, the list alone: no pictures, no layout by hand.
    layoutGroup->setVisible(withSource_);
    preview->setVisible(withSource_);
    right->addWidget(preview);
    right->addWidget(resultLabel);
    right->addStretch(1);

    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel(QStringLiteral("Sprites trouvés dans le texte :")));
    left->addWidget(candidateList, 1);
    left->addWidget(notesLabel);
    left->addWidget(notesBox);
    left->addLayout(form);

    okButton = new QPushButton(QStringLiteral("OK"));
    okButton->setDefault(true);
    cancelButton = new QPushButton(QStringLiteral("Annuler"));

    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addLayout(right);
    auto* whole = new QVBoxLayout(this);
    whole->addLayout(columns, 1);
    whole->addLayout(ButtonRow({okButton, cancelButton}));
}

QWidget* SourceImportDialog::BuildLayoutGroup()
{
    layoutGroup = new QGroupBox(QStringLiteral("Lire les tableaux dans une disposition choisie"));
    layoutGroup->setObjectName(QStringLiteral("G_Disposition"));
    layoutGroup->setCheckable(true);
    layoutGroup->setChecked(false);
    arrangeBox = ChoiceBox("E_Disposition", ArrangementChoices());
    Choices orders;
    for (const char* order : Orders)
        orders.emplace_back(QString::fromLatin1(order), QString::fromLatin1(order));
    orderBox = ChoiceBox("E_Ordre", orders);
    rowsBox = ChoiceBox("E_Lignes", RowUnitChoices(QStringLiteral("Les bits des éléments")));
    maskBitBox = ChoiceBox("E_BitMasque", {{QStringLiteral("1 = transparent"), QStringLiteral("transparent")},
                                           {QStringLiteral("1 = opaque"), QStringLiteral("opaque")}});
    heightBox = new QSpinBox;
    heightBox->setObjectName(QStringLiteral("E_Hauteur"));
    heightBox->setRange(1, MaxHeight);
    auto* form = new QFormLayout(layoutGroup);
    form->addRow(QStringLiteral("Rangement :"), arrangeBox);
    form->addRow(QStringLiteral("Ordre des plans :"), orderBox);
    const QStringList names = ArrayNamesOf(found_.scan);
    for (std::size_t i = 0; i < planeArrays.size(); ++i) {
        planeArrays[i] = new QComboBox;
        planeArrays[i]->setObjectName(QStringLiteral("E_Tableau%1").arg(i + 1));
        planeArrays[i]->setEditable(true);
        planeArrays[i]->setInsertPolicy(QComboBox::NoInsert);
        planeArrays[i]->addItems(names);
        planeArrays[i]->setToolTip(QStringLiteral("Le plan comme un appel de dessin le nomme : NOM, NOM+K (K éléments "
                                                  "plus loin), NOM[K] (une ligne d'un tableau à deux dimensions) ou "
                                                  "NOM[*] (chacune de ses lignes, une image par ligne)"));
        planeLabels[i] = new QLabel;
        form->addRow(planeLabels[i], planeArrays[i]);
    }
    form->addRow(QStringLiteral("Lignes :"), rowsBox);
    form->addRow(QStringLiteral("Masque :"), maskBitBox);
    form->addRow(QStringLiteral("Hauteur :"), heightBox);
    return layoutGroup;
}

void SourceImportDialog::ConnectControls()
{
    connect(candidateList, &QListWidget::currentRowChanged, this, &SourceImportDialog::CandidateChosen);
    connect(candidateList, &QListWidget::itemDoubleClicked, this, [this] {
        if (okButton->isEnabled())
            accept();
    });
    connect(layoutGroup, &QGroupBox::toggled, this, [this](bool byLayout) {
        if (byLayout)
            TakeCandidateLayout(candidateList->currentRow());
        Update();
    });
    for (QComboBox* box : {arrangeBox, orderBox}) {
        connect(box, &QComboBox::currentIndexChanged, this, [this] {
            ShowPlaneRows();
            Update();
        });
    }
    for (QComboBox* box : {rowsBox, maskBitBox})
        connect(box, &QComboBox::currentIndexChanged, this, &SourceImportDialog::Update);
    for (QComboBox* box : planeArrays) // typed or chosen
        connect(box, &QComboBox::currentTextChanged, this, &SourceImportDialog::Update);
    for (QSpinBox* box : {widthBox, heightBox})
        connect(box, &QSpinBox::valueChanged, this, &SourceImportDialog::Update);
    connect(asFramesBox, &QCheckBox::toggled, this, &SourceImportDialog::Update);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

// Each sprite proposes its own width, up to its rows' bits, and says how
// many sprites of its size there are.
void SourceImportDialog::CandidateChosen(int row)
{
    if (row < 0 || row >= items_.size())
        return;
    const ArrayChoiceItem& item = items_[row];
    {
        const QSignalBlocker blockWidth(widthBox), blockFrames(asFramesBox);
        widthBox->setRange(1, layoutGroup->isChecked() ? MaxWidth : item.elementBits);
        widthBox->setValue(item.width);
        asFramesBox->setText(item.framesOfSize > 1
                                 ? QStringLiteral("Les %1 sprites de cette taille en images de la "
                                                  "planche")
                                       .arg(item.framesOfSize)
                                 : QStringLiteral("Aucun autre sprite de cette taille pour faire une planche"));
        asFramesBox->setEnabled(item.framesOfSize > 1);
        if (item.framesOfSize < 2)
            asFramesBox->setChecked(false);
    }
    if (layoutGroup->isChecked())
        TakeCandidateLayout(row);
    Update();
}

// The layout the candidate is read in, as the starting point of one chosen
// by hand: each plane where it lies (an interlaced array as one), its
// height.
void SourceImportDialog::TakeCandidateLayout(int row)
{
    if (row < 0 || row >= items_.size())
        return;
    const ArrayCandidate& candidate = found_.candidates[static_cast<std::size_t>(row)];
    const DataPlan& plan = candidate.source.plan;
    std::string order;
    for (const PlaneSource& plane : plan.planes)
        order += static_cast<char>(plane.plane);
    const bool interlaced = plan.rowStride > static_cast<std::size_t>(plan.rowBytes);
    const QSignalBlocker blocks[] = {QSignalBlocker(arrangeBox),     QSignalBlocker(orderBox),
                                     QSignalBlocker(heightBox),      QSignalBlocker(widthBox),
                                     QSignalBlocker(rowsBox),        QSignalBlocker(planeArrays[0]),
                                     QSignalBlocker(planeArrays[1]), QSignalBlocker(planeArrays[2])};
    SelectValue(arrangeBox, interlaced ? QStringLiteral("interlaced") : QStringLiteral("separate"));
    SelectValue(orderBox, QString::fromStdString(order));
    // An interlaced array is named by its first row, the first plane's.
    const std::size_t named = interlaced ? 1 : std::min(plan.planes.size(), planeArrays.size());
    for (std::size_t i = 0; i < named; ++i)
        planeArrays[i]->setCurrentText(
            QString::fromStdString(PlaneTextOf(found_.scan, candidate.source, plan.planes[i])));
    SelectValue(rowsBox, QString());
    heightBox->setValue(plan.height);
    widthBox->setRange(1, MaxWidth);
    widthBox->setValue(plan.width);
    ShowPlaneRows();
}

// One array per plane when separate, else the one array.
void SourceImportDialog::ShowPlaneRows()
{
    const QString order = orderBox->currentData().toString();
    const bool separate = arrangeBox->currentData().toString() == QStringLiteral("separate");
    const int shown = separate ? static_cast<int>(order.size()) : 1;
    for (int i = 0; i < static_cast<int>(planeArrays.size()); ++i) {
        const std::size_t row = static_cast<std::size_t>(i);
        planeLabels[row]->setVisible(i < shown);
        planeArrays[row]->setVisible(i < shown);
        if (i < shown)
            planeLabels[row]->setText(separate ? PlaneCaption(order[i].toLatin1()) : QStringLiteral("Tableau :"));
    }
}

ReadingRequest SourceImportDialog::Request() const
{
    ReadingRequest request;
    const QString order = orderBox->currentData().toString();
    const bool separate = arrangeBox->currentData().toString() == QStringLiteral("separate");
    for (int i = 0; i < (separate ? order.size() : 1); ++i)
        request.arrays.push_back(planeArrays[static_cast<std::size_t>(i)]->currentText().toStdString());
    const std::string rows = rowsBox->currentData().toString().toStdString();
    request.rows = rows.empty() ? std::nullopt : RowUnitNamed(rows);
    request.order = order.toStdString();
    request.arrange = ArrangementNamed(arrangeBox->currentData().toString().toStdString()).value();
    request.maskBit = MaskBitNamed(maskBitBox->currentData().toString().toStdString()).value();
    request.height = heightBox->value();
    request.width = widthBox->value();
    return request;
}

ArrayChoice SourceImportDialog::Choice() const
{
    ArrayChoice choice{candidateList->currentRow(), widthBox->value(), asFramesBox->isChecked()};
    if (layoutGroup->isChecked())
        choice.layout = Request();
    return choice;
}

void SourceImportDialog::Update()
{
    candidateList->setEnabled(!layoutGroup->isChecked());
    asFramesBox->setVisible(!layoutGroup->isChecked());
    if (layoutGroup->isChecked())
        ShowLayoutReading();
    else
        ShowCandidate();
}

void SourceImportDialog::ShowCandidate()
{
    const int row = candidateList->currentRow();
    if (row < 0 || row >= items_.size())
        return;
    if (!withSource_) { // the list alone: the width within its items' bits
        okButton->setEnabled(widthBox->value() >= 1 && widthBox->value() <= items_[row].elementBits);
        return;
    }
    const ArrayCandidate& candidate = found_.candidates[static_cast<std::size_t>(row)];
    const std::string refusal = WidthRefusal(candidate, widthBox->value());
    okButton->setEnabled(refusal.empty());
    if (!refusal.empty()) {
        preview->ShowPicture({});
        resultLabel->setText(QString::fromStdString(refusal));
        return;
    }
    const FrameList frames = BuildCandidateFrames(found_, candidate, widthBox->value());
    preview->ShowPicture(PictureOfSprite(*frames.front()));
    const int count = asFramesBox->isChecked() ? items_[row].framesOfSize : static_cast<int>(frames.size());
    resultLabel->setText(
        count > 1 ? QStringLiteral("%1 images de %2").arg(count).arg(Size(widthBox->value(), candidate.height))
                  : QStringLiteral("Sprite de %1").arg(Size(widthBox->value(), candidate.height)));
}

void SourceImportDialog::ShowLayoutReading()
{
    DataSource source;
    const std::string why = PlanRequest(found_.scan, Request(), source);
    okButton->setEnabled(why.empty());
    if (!why.empty()) {
        preview->ShowPicture({});
        QString text = QString::fromStdString(why);
        text[0] = text[0].toUpper();
        resultLabel->setText(text);
        return;
    }
    const std::size_t count = std::min<std::size_t>(FramesOf(found_.scan, source), MaxFrames);
    preview->ShowPicture(PictureOfSprite(*ReadDataFrames(found_.scan, source, 0, 1).front()));
    const QString size = Size(source.plan.width, source.plan.height);
    resultLabel->setText(count > 1 ? QStringLiteral("%1 images de %2").arg(count).arg(size)
                                   : QStringLiteral("Sprite de %1").arg(size));
}
