#include "FramePanel.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QSpinBox>
#include <QTimer>

#include "Controls.h"
#include "Counted.h"
#include "Dialogs.h"
#include "EditorContext.h"
#include "FrameCommands.h"
#include "IniFile.h"
#include "SpriteView.h"
#include "U_apercu.h"
#include "ViewColors.h"
#include "onion_skin.h"

namespace {

const std::string FramesSection = "PlancheSprites";
constexpr int SlowestRate = 1;
constexpr int FastestRate = 30;
constexpr int DefaultRate = 8;

// The lower part of the free column, from below the transforms down to the
// "&Close" button.
constexpr int ColumnLeft = FreeColumn::Left;
constexpr int ColumnWidth = FreeColumn::Width;
constexpr int RowStep = 29;
constexpr int FirstRow = 262;

QPushButton* ColumnButton(QWidget* page, const char* name, const QString& caption, const QString& hint, int left,
                          int top, int width)
{
    QPushButton* button = FreeColumnButton(page, name, caption, left, top, width);
    button->setToolTip(hint);
    return button;
}

QString FrameCountText(int current, int count)
{
    return QStringLiteral("image %1 / %2").arg(current + 1).arg(count);
}

} // namespace

FramePanel::FramePanel(EditorContext& editor) : EditorPanel(editor)
{
    BuildFrameButtons();
    BuildSlicing();
    BuildOptions();
    timerAnimation = new QTimer(this);
    timerAnimation->setObjectName(QStringLiteral("timerAnimation"));
    connect(timerAnimation, &QTimer::timeout, this, &FramePanel::timerAnimationTimer);
    ShowFrameState();
}

// Each button and key runs its frame command of the document.
void FramePanel::BuildFrameButtons()
{
    QWidget* const page = editor.Page(EditorPage::Retouche);
    const int half = (ColumnWidth - 4) / 2;
    L_Image = new QLabel(page);
    L_Image->setObjectName(QStringLiteral("L_Image"));
    L_Image->setGeometry(ColumnLeft, FirstRow - 22, ColumnWidth, 20);
    L_Image->setAlignment(Qt::AlignCenter);
    B_ImagePrecedente = ColumnButton(page, "B_ImagePrecedente", QStringLiteral("< Préc."),
                                     QStringLiteral("Image précédente (Pg préc.)"), ColumnLeft, FirstRow, half);
    B_ImageSuivante =
        ColumnButton(page, "B_ImageSuivante", QStringLiteral("Suiv. >"), QStringLiteral("Image suivante (Pg suiv.)"),
                     ColumnLeft + ColumnWidth - half, FirstRow, half);
    B_NouvelleImage = ColumnButton(page, "B_NouvelleImage", QStringLiteral("Nouvelle image"),
                                   QStringLiteral("Ajoute une image blanche après l'image courante"), ColumnLeft,
                                   FirstRow + RowStep, ColumnWidth);
    B_DupliquerImage = ColumnButton(page, "B_DupliquerImage", QStringLiteral("Dupliquer"),
                                    QStringLiteral("Ajoute une copie de l'image courante après elle"), ColumnLeft,
                                    FirstRow + 2 * RowStep, ColumnWidth);
    B_SupprimerImage = ColumnButton(page, "B_SupprimerImage", QStringLiteral("Supprimer"),
                                    QStringLiteral("Supprime l'image courante (jamais la dernière)"), ColumnLeft,
                                    FirstRow + 3 * RowStep, ColumnWidth);
    B_ImageAvant = ColumnButton(page, "B_ImageAvant", QStringLiteral("Avant"),
                                QStringLiteral("Déplace l'image courante d'une place vers le début"), ColumnLeft,
                                FirstRow + 4 * RowStep, half);
    B_ImageApres = ColumnButton(page, "B_ImageApres", QStringLiteral("Après"),
                                QStringLiteral("Déplace l'image courante d'une place vers la fin"),
                                ColumnLeft + ColumnWidth - half, FirstRow + 4 * RowStep, half);
    using FrameCommand = DocumentChange (*)(SpriteDocument&);
    const std::pair<QPushButton*, FrameCommand> commands[] = {
        {B_ImagePrecedente, GoToPreviousFrame}, {B_ImageSuivante, GoToNextFrame}, {B_NouvelleImage, AddBlankFrame},
        {B_DupliquerImage, DuplicateFrame},     {B_SupprimerImage, DeleteFrame},  {B_ImageAvant, MoveFrameEarlier},
        {B_ImageApres, MoveFrameLater},
    };
    for (const auto& [button, command] : commands)
        connect(button, &QPushButton::clicked, this,
                [this, command = command] { this->editor.ShowChange(command(this->editor.Document())); });

    const std::pair<Qt::Key, FrameCommand> pageKeys[] = {
        {Qt::Key_PageUp, GoToPreviousFrame},
        {Qt::Key_PageDown, GoToNextFrame},
    };
    for (const auto& [key, command] : pageKeys)
        AddCommandKeys(&editor.Window(), {QKeySequence(key)},
                       [this, command = command] { this->editor.ShowChange(command(this->editor.Document())); });
}

// Beside the picture import of "Enreg/charger", above its "&Close".
void FramePanel::BuildSlicing()
{
    QWidget* const page = editor.Page(EditorPage::Files);
    CB_Decouper = new QCheckBox(QStringLiteral("découper en images de"), page);
    CB_Decouper->setObjectName(QStringLiteral("CB_Decouper"));
    CB_Decouper->setGeometry(8, 384, 150, 20);
    CB_Decouper->setToolTip(
        QStringLiteral("L'image importée (ou le sprite lu dans du C) devient une planche : ses cases de W × H "
                       "pixels, de gauche à droite puis de haut en bas ; les cases incomplètes sont ignorées"));
    E_DecoupeX = new QLineEdit(QStringLiteral("16"), page);
    E_DecoupeX->setObjectName(QStringLiteral("E_DecoupeX"));
    E_DecoupeX->setGeometry(160, 384, 40, 20);
    auto* times = new QLabel(QStringLiteral("×"), page);
    times->setGeometry(203, 384, 10, 20);
    E_DecoupeY = new QLineEdit(QStringLiteral("16"), page);
    E_DecoupeY->setObjectName(QStringLiteral("E_DecoupeY"));
    E_DecoupeY->setGeometry(214, 384, 40, 20);
}

// Below the designed options of "Options", leaving rows for others.
void FramePanel::BuildOptions()
{
    QWidget* const page = editor.Page(EditorPage::Options);
    CB_PelureOignon = new QCheckBox(QStringLiteral("Pelure d'oignon (image précédente)"), page);
    CB_PelureOignon->setObjectName(QStringLiteral("CB_PelureOignon"));
    CB_PelureOignon->setToolTip(QStringLiteral("L'image précédente de la planche, en transparence sous l'image "
                                               "courante"));
    CB_PelureOignon->setGeometry(8, 322, 281, 20);
    CB_AnimerApercu = new QCheckBox(QStringLiteral("Animer l'aperçu"), page);
    CB_AnimerApercu->setObjectName(QStringLiteral("CB_AnimerApercu"));
    CB_AnimerApercu->setGeometry(8, 348, 150, 20);
    E_ImagesParSeconde = new QSpinBox(page);
    E_ImagesParSeconde->setObjectName(QStringLiteral("E_ImagesParSeconde"));
    E_ImagesParSeconde->setGeometry(160, 346, 50, 22);
    E_ImagesParSeconde->setRange(SlowestRate, FastestRate);
    E_ImagesParSeconde->setValue(DefaultRate);
    auto* rateUnit = new QLabel(QStringLiteral("images/s"), page);
    rateUnit->setGeometry(214, 348, 70, 20);
    connect(CB_PelureOignon, &QCheckBox::toggled, this, &FramePanel::CB_PelureOignonClick);
    connect(CB_AnimerApercu, &QCheckBox::toggled, this, &FramePanel::CB_AnimerApercuClick);
    connect(E_ImagesParSeconde, &QSpinBox::valueChanged, this, &FramePanel::E_ImagesParSecondeChange);
}

void FramePanel::ShowChange(const DocumentChange& change)
{
    if (change.size || change.frames)
        ShowFrameState();
}

void FramePanel::ShowFrameState()
{
    const int current = editor.Document().Frames().Current();
    const int count = editor.Document().Frames().Count();
    L_Image->setText(FrameCountText(current, count));
    B_ImagePrecedente->setEnabled(current > 0);
    B_ImageSuivante->setEnabled(current + 1 < count);
    B_NouvelleImage->setEnabled(count < MaxFrames);
    B_DupliquerImage->setEnabled(count < MaxFrames);
    B_SupprimerImage->setEnabled(count > 1);
    B_ImageAvant->setEnabled(current > 0);
    B_ImageApres->setEnabled(current + 1 < count);
}

std::optional<Point> FramePanel::SliceCell() const
{
    if (!CB_Decouper->isChecked())
        return std::nullopt;
    bool wide = false;
    bool high = false;
    const Point cell{E_DecoupeX->text().toInt(&wide), E_DecoupeY->text().toInt(&high)};
    return wide && high ? cell : Point{0, 0};
}

// A sheet whose cells of the size typed give no whole frame, or too many,
// is explained with the size as typed.
bool FramePanel::ShowLoadResult(const LoadResult& result)
{
    if (result.outcome == LoadOutcome::Explained)
        ShowFailure(
            QStringLiteral("L'image de %1 × %2 ne se découpe pas en images de %3 × %4 : %5, il en faut de 1 à %6")
                .arg(result.pictureSize.x)
                .arg(result.pictureSize.y)
                .arg(E_DecoupeX->text(), E_DecoupeY->text())
                .arg(QString::fromStdString(Counted(result.frameCount, "image entière", "images entières")))
                .arg(MaxFrames));
    editor.ShowChange(result.change);
    return result.outcome == LoadOutcome::Loaded;
}

void FramePanel::CB_PelureOignonClick()
{
    PelureOignon = CB_PelureOignon->isChecked() ? 1 : 0;
    editor.RedrawViews();
}

void FramePanel::CB_AnimerApercuClick()
{
    AnimerApercu = CB_AnimerApercu->isChecked() ? 1 : 0;
    RestartAnimation();
}

void FramePanel::E_ImagesParSecondeChange()
{
    ImagesParSeconde = E_ImagesParSeconde->value();
    RestartAnimation();
}

void FramePanel::RestartAnimation()
{
    PreviewFrame = editor.Document().Frames().Current();
    if (AnimerApercu)
        timerAnimation->start(FrameDelayMs());
    else
        timerAnimation->stop();
    editor.RepaintPreview();
}

void FramePanel::timerAnimationTimer()
{
    PreviewFrame = (PreviewFrame + 1) % editor.Document().Frames().Count();
    editor.RepaintPreview();
}

const Sprite& FramePanel::PreviewSprite() const
{
    if (AnimerApercu && PreviewFrame >= 0 && PreviewFrame < editor.Document().Frames().Count())
        return editor.Document().Frames().Frame(PreviewFrame);
    return editor.Document().Editing();
}

// Only white or masked, unmarked cells show it (onion_skin.h), inside their
// outline, so the current frame's own pixels always read as they are.
void FramePanel::PaintOverView(QPainter& painter)
{
    const Sprite* previous = OnionSkinFrame(editor.Document().Frames());
    if (!PelureOignon || !previous)
        return;
    const CellEdges edges = editor.MainView().Edges();
    if (edges.IsEmpty())
        return;
    const Point size = editor.Document().Editing().GetSize();
    const bool trueColors = editor.MainViewInTrueColors();
    // Inside the cells' grid lines: the fitted grid outlines each cell on
    // its own but for the smallest cells, and its true-color cells are
    // shifted one pixel up and left; the zoomed grid has a line on the left
    // and top of each cell, and none in true colors or at the smallest steps.
    const bool zoomed = edges.IsZoomed();
    const bool lines = editor.MainView().CellsOutlined();
    const int shift = !zoomed && trueColors ? -1 : 0;
    const int leading = lines ? 1 : 0;
    const int trailing = lines && !zoomed ? 1 : 0;
    for (int x = 0; x < size.x; ++x) {
        const int left = edges.Column(x) + shift + leading;
        const int right = edges.Column(x + 1) - 1 + shift - trailing;
        for (int y = 0; y < size.y; ++y) {
            const PixelColor shown = OnionSkinColor(editor.Document().Editing(), *previous, x, y);
            if (shown == White)
                continue;
            const int top = edges.Row(y) + shift + leading;
            const int bottom = edges.Row(y + 1) - 1 + shift - trailing;
            if (right < left || bottom < top)
                continue;
            QColor faint(OnionTint);
            faint.setAlpha(OnionAlpha[shown]);
            painter.fillRect(QRect(QPoint(left, top), QPoint(right, bottom)), faint);
        }
    }
}

void FramePanel::ReadSettings(const IniFile& settings)
{
    PelureOignon = settings.ReadBool(FramesSection, "PelureOignon", false);
    AnimerApercu = settings.ReadBool(FramesSection, "AnimerApercu", false);
    const int rate = settings.ReadInteger(FramesSection, "ImagesParSeconde", DefaultRate);
    ImagesParSeconde = rate >= SlowestRate && rate <= FastestRate ? rate : DefaultRate;
    E_ImagesParSeconde->setValue(ImagesParSeconde);
    CB_PelureOignon->setChecked(PelureOignon != 0);
    CB_AnimerApercu->setChecked(AnimerApercu != 0);
}

void FramePanel::WriteSettings(const IniFile& settings) const
{
    settings.WriteIntegerUnlessDefault(FramesSection, "PelureOignon", PelureOignon != 0 ? 1 : 0, 0);
    settings.WriteIntegerUnlessDefault(FramesSection, "AnimerApercu", AnimerApercu != 0 ? 1 : 0, 0);
    settings.WriteIntegerUnlessDefault(FramesSection, "ImagesParSeconde", ImagesParSeconde, DefaultRate);
}
