#include "DataExportDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>

#include "AtomicFile.h"
#include "DataText.h"
#include "DialogParts.h"
#include "TextEncoding.h"

namespace {

// A preset sets the arrangement, the syntax and the row unit; the order is
// the sprite's default for the arrangement, the mask bit transparent.
struct Preset {
    const char* name;
    Arrangement arrange;
    DataSyntax syntax;
    std::optional<RowUnit> rows;
};

const Preset Presets[] = {
    {"Sprite8/16/32", Arrangement::Separate, DataSyntax::C, std::nullopt},
    {"GraySprite (plans séparés)", Arrangement::Separate, DataSyntax::C, std::nullopt},
    {"GraySprite_SMASK (clair, foncé, masque)", Arrangement::Block, DataSyntax::C, std::nullopt},
    {"GrayClipISprite_MASK (entrelacé)", Arrangement::Interlaced, DataSyntax::C, std::nullopt},
    // The map engine's tiles are 16 pixels wide.
    {"Tuiles du moteur de cartes", Arrangement::Interlaced, DataSyntax::C, RowUnit::Bits16},
    {"Assembleur A68k", Arrangement::Separate, DataSyntax::A68k, std::nullopt},
    {"GNU as", Arrangement::Separate, DataSyntax::GnuAs, std::nullopt},
};
constexpr int CustomPreset = static_cast<int>(std::size(Presets));

const char* PlaneName(Plane plane)
{
    switch (plane) {
    case Plane::Light:
        return "clair";
    case Plane::Dark:
        return "foncé";
    case Plane::Mask:
        return "masque";
    case Plane::Black:
        break;
    }
    return "noir et blanc";
}

QString Extension(DataSyntax syntax)
{
    switch (syntax) {
    case DataSyntax::A68k:
    case DataSyntax::A68kBinary:
        return QStringLiteral(".asm");
    case DataSyntax::GnuAs:
    case DataSyntax::GnuAsBinary:
        return QStringLiteral(".s");
    case DataSyntax::C:
    case DataSyntax::CBinary:
        break;
    }
    return QStringLiteral(".h");
}

} // namespace

DataExportDialog::DataExportDialog(DataExportSubject subject, const DataExportSettings& last, QWidget* parent)
    : QDialog(parent), subject_(std::move(subject))
{
    setObjectName(QStringLiteral("DataExportDialog"));
    setWindowTitle(QStringLiteral("Exporter en données"));
    saveDialog_ = {QStringLiteral("SaveDialogDonnees"), QString(), QString()};
    resize(1000, 600);
    BuildControls();
    ShowSettings(last);
    ConnectControls();
    Rewrite();
}

void DataExportDialog::BuildControls()
{
    Choices presets;
    for (const Preset& preset : Presets)
        presets.emplace_back(QString::fromUtf8(preset.name), QString::number(presets.size()));
    presets.emplace_back(QStringLiteral("Personnalisé"), QString::number(CustomPreset));
    presetBox = ChoiceBox("E_Modele", presets);
    nameEdit = new QLineEdit(subject_.name);
    nameEdit->setObjectName(QStringLiteral("E_NomDonnees"));
    const int count = static_cast<int>(subject_.frames.size());
    allFramesBox = new QCheckBox(QStringLiteral("Toutes les images de la planche (%1)").arg(count));
    allFramesBox->setObjectName(QStringLiteral("CB_ToutesImages"));
    allFramesBox->setChecked(count > 1);
    allFramesBox->setEnabled(count > 1);
    rowsBox = ChoiceBox("E_Lignes", RowUnitChoices(QStringLiteral("Automatique (8, 16 ou 32 bits, sinon octets)")));
    orderBox = ChoiceBox("E_Ordre", {});
    arrangeBox = ChoiceBox("E_Disposition", ArrangementChoices());
    maskBitBox =
        ChoiceBox("E_BitMasque", {{QStringLiteral("1 = transparent (masque ET)"), QStringLiteral("transparent")},
                                  {QStringLiteral("1 = opaque (masque inversé)"), QStringLiteral("opaque")}});
    framesBox = ChoiceBox("E_Images",
                          {{QStringLiteral("Un tableau à deux dimensions par plan"), QStringLiteral("array")},
                           {QStringLiteral("Des tableaux par image (NOM_0, NOM_1...)"), QStringLiteral("separate")}});
    syntaxBox = ChoiceBox("E_Syntaxe", {{QStringLiteral("C, hexadécimal"), QStringLiteral("c")},
                                        {QStringLiteral("C, binaire"), QStringLiteral("c-binary")},
                                        {QStringLiteral("Assembleur A68k, hexadécimal"), QStringLiteral("a68k")},
                                        {QStringLiteral("Assembleur A68k, binaire"), QStringLiteral("a68k-binary")},
                                        {QStringLiteral("GNU as, hexadécimal"), QStringLiteral("gnu-as")},
                                        {QStringLiteral("GNU as, binaire"), QStringLiteral("gnu-as-binary")}});
    definesBox = new QCheckBox(QStringLiteral("Constantes NOM_WIDTH et NOM_HEIGHT"));
    definesBox->setObjectName(QStringLiteral("CB_Constantes"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Modèle :"), presetBox);
    form->addRow(QStringLiteral("Nom :"), nameEdit);
    form->addRow(allFramesBox);
    form->addRow(QStringLiteral("Lignes :"), rowsBox);
    form->addRow(QStringLiteral("Ordre des plans :"), orderBox);
    form->addRow(QStringLiteral("Rangement :"), arrangeBox);
    form->addRow(QStringLiteral("Masque :"), maskBitBox);
    form->addRow(QStringLiteral("Planche :"), framesBox);
    form->addRow(QStringLiteral("Syntaxe :"), syntaxBox);
    form->addRow(definesBox);

    textView = new QPlainTextEdit;
    textView->setObjectName(QStringLiteral("E_Texte"));
    textView->setReadOnly(true);
    textView->setLineWrapMode(QPlainTextEdit::NoWrap);
    textView->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    textView->setMinimumSize(460, 360);
    statusLabel = new QLabel;
    statusLabel->setObjectName(QStringLiteral("L_Etat"));
    statusLabel->setWordWrap(true);
    auto* textColumn = new QVBoxLayout;
    textColumn->addWidget(textView, 1);
    textColumn->addWidget(statusLabel);

    copyButton = NamedButton("B_Copier", QStringLiteral("Copier"));
    saveButton = NamedButton("B_Enregistrer", QStringLiteral("Enregistrer..."));
    closeButton = NamedButton("B_Fermer", QStringLiteral("Fermer"));

    auto* columns = new QHBoxLayout;
    columns->addLayout(form);
    columns->addLayout(textColumn, 1);
    auto* whole = new QVBoxLayout(this);
    whole->addLayout(columns, 1);
    whole->addLayout(ButtonRow({copyButton, saveButton, closeButton}));
}

void DataExportDialog::ConnectControls()
{
    connect(presetBox, &QComboBox::activated, this, [this](int index) {
        ApplyPreset(index);
        Rewrite();
    });
    // A change by hand makes the options no preset's.
    const auto changedByHand = [this] {
        presetBox->setCurrentIndex(CustomPreset);
        Rewrite();
    };
    for (QComboBox* box : {rowsBox, orderBox, arrangeBox, maskBitBox, framesBox, syntaxBox})
        connect(box, &QComboBox::activated, this, changedByHand);
    connect(definesBox, &QCheckBox::toggled, this, changedByHand);
    connect(allFramesBox, &QCheckBox::toggled, this, [this] {
        FillOrders();
        Rewrite();
    });
    connect(nameEdit, &QLineEdit::textChanged, this, &DataExportDialog::Rewrite);
    connect(copyButton, &QPushButton::clicked, this, &DataExportDialog::CopyText);
    connect(saveButton, &QPushButton::clicked, this, &DataExportDialog::SaveText);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::accept);
}

void DataExportDialog::ShowSettings(const DataExportSettings& settings)
{
    const LayoutRequest& request = settings.request;
    SelectValue(rowsBox, request.rows ? QString::fromLatin1(NameOf(*request.rows)) : QString());
    SelectValue(arrangeBox, QString::fromLatin1(NameOf(request.arrange)));
    SelectValue(maskBitBox, QString::fromLatin1(NameOf(request.maskBit)));
    SelectValue(framesBox, QString::fromLatin1(NameOf(request.frames)));
    SelectValue(syntaxBox, QString::fromLatin1(NameOf(request.syntax)));
    definesBox->setChecked(request.defines);
    SelectValue(presetBox, QString::number(settings.preset));
    FillOrders();
    // An order of other planes than this sprite's falls back to the default.
    SelectValue(orderBox, QString::fromStdString(request.order.value_or("")));
}

void DataExportDialog::ApplyPreset(int index)
{
    if (index < 0 || index >= CustomPreset)
        return;
    const Preset& preset = Presets[index];
    SelectValue(rowsBox, preset.rows ? QString::fromLatin1(NameOf(*preset.rows)) : QString());
    SelectValue(arrangeBox, QString::fromLatin1(NameOf(preset.arrange)));
    SelectValue(syntaxBox, QString::fromLatin1(NameOf(preset.syntax)));
    SelectValue(maskBitBox, QString::fromLatin1(NameOf(MaskBit::Transparent)));
    orderBox->setCurrentIndex(0);
}

// The orders of the chosen frames' planes: the default, then every one.
void DataExportDialog::FillOrders()
{
    const QString chosen = orderBox->currentData().toString();
    const SpriteShape shape = ShapeOfFrames(ChosenFrames());
    std::vector<Plane> planes = DefaultOrder(shape, Arrangement::Separate);
    std::sort(planes.begin(), planes.end());
    const QSignalBlocker block(orderBox);
    orderBox->clear();
    orderBox->addItem(QStringLiteral("Par défaut (masque au début si entrelacé)"), QString());
    do {
        QStringList names;
        for (const Plane plane : planes)
            names << QString::fromUtf8(PlaneName(plane));
        const QString letters = QString::fromStdString(OrderText(planes));
        orderBox->addItem(names.join(QStringLiteral(", ")) + QStringLiteral(" (") + letters + u')', letters);
    } while (std::next_permutation(planes.begin(), planes.end()));
    SelectValue(orderBox, chosen);
}

std::vector<const Sprite*> DataExportDialog::ChosenFrames() const
{
    if (allFramesBox->isChecked())
        return subject_.frames;
    return {subject_.frames[static_cast<std::size_t>(subject_.current)]};
}

LayoutRequest DataExportDialog::Request() const
{
    LayoutRequest request;
    const std::string rows = rowsBox->currentData().toString().toStdString();
    request.rows = rows.empty() ? std::nullopt : RowUnitNamed(rows);
    const std::string order = orderBox->currentData().toString().toStdString();
    request.order = order.empty() ? std::nullopt : std::optional<std::string>(order);
    request.arrange = ArrangementNamed(arrangeBox->currentData().toString().toStdString()).value();
    request.maskBit = MaskBitNamed(maskBitBox->currentData().toString().toStdString()).value();
    request.frames = FrameArraysNamed(framesBox->currentData().toString().toStdString()).value();
    request.syntax = DataSyntaxNamed(syntaxBox->currentData().toString().toStdString()).value();
    request.defines = definesBox->isChecked();
    return request;
}

DataExportSettings DataExportDialog::Settings() const
{
    return {Request(), presetBox->currentIndex(), used_};
}

QString DataExportDialog::Text() const
{
    return textView->toPlainText();
}

void DataExportDialog::Rewrite()
{
    const std::vector<const Sprite*> frames = ChosenFrames();
    framesBox->setEnabled(frames.size() > 1);
    const LayoutRequest request = Request();
    std::string why = DataNameRefusal(nameEdit->text().toStdString(), request.syntax);
    if (!why.empty())
        why = "Nom refusé : " + why;
    DataLayout layout;
    if (why.empty())
        why = ResolveLayout(request, ShapeOfFrames(frames), layout);
    const bool written = why.empty();
    textView->setPlainText(
        written ? QString::fromStdString(WriteDataText(frames, nameEdit->text().toStdString(), layout)) : QString());
    QString status = QString::fromStdString(why);
    if (!status.isEmpty())
        status[0] = status[0].toUpper();
    statusLabel->setText(status);
    copyButton->setEnabled(written);
    saveButton->setEnabled(written);
}

void DataExportDialog::CopyText()
{
    QApplication::clipboard()->setText(Text());
    statusLabel->setText(QStringLiteral("Texte copié dans le presse-papiers."));
    used_ = true;
}

void DataExportDialog::SaveText()
{
    const DataSyntax syntax = Request().syntax;
    const QString extension = Extension(syntax);
    saveDialog_.filter = IsAssembly(syntax) ? QStringLiteral("Source assembleur (*.s *.asm *.inc)|*.s;*.asm;*.inc")
                                            : QStringLiteral("Source C (*.h *.c)|*.h;*.c");
    if (saveDialog_.fileName.isEmpty())
        saveDialog_.fileName = nameEdit->text() + extension;
    if (!AppDialogs().Execute(FileDialogKind::Save, saveDialog_))
        return;
    QString path = saveDialog_.fileName;
    if (QFileInfo(path).suffix().isEmpty())
        path += extension;
    if (const std::error_code error = WriteFileAtomically(FileSystemName(path), Text().toStdString())) {
        ShowFailure(QStringLiteral("L'exportation a échoué : ") + QString::fromStdString(error.message()));
        return;
    }
    used_ = true;
    statusLabel->setText(QStringLiteral("Enregistré dans ") + path + u'.');
    AppDialogs().ShowMessage(QStringLiteral("Exportation effectuée : ") + path, QStringLiteral("Succès!"),
                             MessageIcon::Information);
}
