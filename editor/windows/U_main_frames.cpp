// Sprite sets in the main window: the frame controls in the free column of
// "Retouche" (below "Annuler" / "Rétablir"), Page Up / Page Down, the ".pixs"
// load beside the ".pixo" one, the slicing of an imported picture
// into frames, the export of every frame into one file, the onion skin of
// the main view and the animated preview, with their options on "Options"
// and in the settings file's section "PlancheSprites".
//
// The editing sprite is always the current frame, so the designed commands
// work on it unchanged; moving to another frame happens between undo steps.
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QSpinBox>
#include <QTimer>
#include <limits>

#include "AtomicFile.h"
#include "Controls.h"
#include "Counted.h"
#include "IniFile.h"
#include "PluginFrames.h"
#include "TextEncoding.h"
#include "U_apercu.h"
#include "U_main.h"
#include "ViewColors.h"
#include "ViewGeometry.h"
#include "ViewImage.h"
#include "set_file.h"
#include "sheet.h"

namespace {

const std::string FramesSection = "PlancheSprites";
constexpr int SlowestRate = 1;
constexpr int FastestRate = 30;
constexpr int DefaultRate = 8;

// The free column right of the panels, as the undo buttons use it, from
// below them down to the "&Close" button.
constexpr int ColumnLeft = 176;
constexpr int ColumnWidth = 105;
constexpr int RowHeight = 25;
constexpr int RowStep = 29;
constexpr int FirstRow = 262;

QPushButton* ColumnButton(QWidget* page, const char* name, const QString& caption, const QString& hint, int left,
                          int top, int width)
{
    auto* button = new QPushButton(caption, page);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(left, top, width, RowHeight);
    button->setToolTip(hint);
    button->setFocusPolicy(Qt::ClickFocus);
    return button;
}

QString FrameCountText(int current, int count)
{
    return QStringLiteral("image %1 / %2").arg(current + 1).arg(count);
}

void ShowLoadProblem(const QString& text)
{
    AppDialogs().ShowMessage(text, QStringLiteral("Echec!"), MessageIcon::Warning);
}

} // namespace

void TForm1::BuildFrameControls()
{
    const int half = (ColumnWidth - 4) / 2;
    L_Image = new QLabel(TabSheet1);
    L_Image->setObjectName(QStringLiteral("L_Image"));
    L_Image->setGeometry(ColumnLeft, FirstRow - 22, ColumnWidth, 20);
    L_Image->setAlignment(Qt::AlignCenter);
    B_ImagePrecedente = ColumnButton(TabSheet1, "B_ImagePrecedente", QStringLiteral("< Préc."),
                                     QStringLiteral("Image précédente (Pg préc.)"), ColumnLeft, FirstRow, half);
    B_ImageSuivante =
        ColumnButton(TabSheet1, "B_ImageSuivante", QStringLiteral("Suiv. >"),
                     QStringLiteral("Image suivante (Pg suiv.)"), ColumnLeft + ColumnWidth - half, FirstRow, half);
    B_NouvelleImage = ColumnButton(TabSheet1, "B_NouvelleImage", QStringLiteral("Nouvelle image"),
                                   QStringLiteral("Ajoute une image blanche après l'image courante"), ColumnLeft,
                                   FirstRow + RowStep, ColumnWidth);
    B_DupliquerImage = ColumnButton(TabSheet1, "B_DupliquerImage", QStringLiteral("Dupliquer"),
                                    QStringLiteral("Ajoute une copie de l'image courante après elle"), ColumnLeft,
                                    FirstRow + 2 * RowStep, ColumnWidth);
    B_SupprimerImage = ColumnButton(TabSheet1, "B_SupprimerImage", QStringLiteral("Supprimer"),
                                    QStringLiteral("Supprime l'image courante (jamais la dernière)"), ColumnLeft,
                                    FirstRow + 3 * RowStep, ColumnWidth);
    B_ImageAvant = ColumnButton(TabSheet1, "B_ImageAvant", QStringLiteral("Avant"),
                                QStringLiteral("Déplace l'image courante d'une place vers le début"), ColumnLeft,
                                FirstRow + 4 * RowStep, half);
    B_ImageApres = ColumnButton(TabSheet1, "B_ImageApres", QStringLiteral("Après"),
                                QStringLiteral("Déplace l'image courante d'une place vers la fin"),
                                ColumnLeft + ColumnWidth - half, FirstRow + 4 * RowStep, half);
    const std::pair<QPushButton*, void (TForm1::*)()> commands[] = {
        {B_ImagePrecedente, &TForm1::B_ImagePrecedenteClick}, {B_ImageSuivante, &TForm1::B_ImageSuivanteClick},
        {B_NouvelleImage, &TForm1::B_NouvelleImageClick},     {B_DupliquerImage, &TForm1::B_DupliquerImageClick},
        {B_SupprimerImage, &TForm1::B_SupprimerImageClick},   {B_ImageAvant, &TForm1::B_ImageAvantClick},
        {B_ImageApres, &TForm1::B_ImageApresClick},
    };
    for (const auto& [button, handler] : commands)
        connect(button, &QPushButton::clicked, this, handler);

    const std::pair<Qt::Key, void (TForm1::*)()> pageKeys[] = {
        {Qt::Key_PageUp, &TForm1::B_ImagePrecedenteClick},
        {Qt::Key_PageDown, &TForm1::B_ImageSuivanteClick},
    };
    for (const auto& [key, handler] : pageKeys) {
        auto* shortcut = new QShortcut(QKeySequence(key), this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, handler = handler] {
            if (!IsTextEditing(QApplication::focusWidget()))
                (this->*handler)();
        });
    }

    // Beside the picture import of "Enreg/charger", above its "&Close".
    CB_Decouper = new QCheckBox(QStringLiteral("découper en images de"), TabSheet2);
    CB_Decouper->setObjectName(QStringLiteral("CB_Decouper"));
    CB_Decouper->setGeometry(8, 384, 150, 20);
    CB_Decouper->setToolTip(
        QStringLiteral("L'image importée (ou le sprite lu dans du C) devient une planche : ses cases de W × H "
                       "pixels, de gauche à droite puis de haut en bas ; les cases incomplètes sont ignorées"));
    E_DecoupeX = new QLineEdit(QStringLiteral("16"), TabSheet2);
    E_DecoupeX->setObjectName(QStringLiteral("E_DecoupeX"));
    E_DecoupeX->setGeometry(160, 384, 40, 20);
    auto* times = new QLabel(QStringLiteral("×"), TabSheet2);
    times->setGeometry(203, 384, 10, 20);
    E_DecoupeY = new QLineEdit(QStringLiteral("16"), TabSheet2);
    E_DecoupeY->setObjectName(QStringLiteral("E_DecoupeY"));
    E_DecoupeY->setGeometry(214, 384, 40, 20);

    // Below the designed options of "Options", leaving rows for others.
    CB_PelureOignon = new QCheckBox(QStringLiteral("Pelure d'oignon (image précédente en transparence)"), TabSheet5);
    CB_PelureOignon->setObjectName(QStringLiteral("CB_PelureOignon"));
    CB_PelureOignon->setGeometry(8, 322, 281, 20);
    CB_AnimerApercu = new QCheckBox(QStringLiteral("Animer l'aperçu"), TabSheet5);
    CB_AnimerApercu->setObjectName(QStringLiteral("CB_AnimerApercu"));
    CB_AnimerApercu->setGeometry(8, 348, 150, 20);
    E_ImagesParSeconde = new QSpinBox(TabSheet5);
    E_ImagesParSeconde->setObjectName(QStringLiteral("E_ImagesParSeconde"));
    E_ImagesParSeconde->setGeometry(160, 346, 50, 22);
    E_ImagesParSeconde->setRange(SlowestRate, FastestRate);
    E_ImagesParSeconde->setValue(DefaultRate);
    auto* rateUnit = new QLabel(QStringLiteral("images/s"), TabSheet5);
    rateUnit->setGeometry(214, 348, 70, 20);
    connect(CB_PelureOignon, &QCheckBox::toggled, this, &TForm1::CB_PelureOignonClick);
    connect(CB_AnimerApercu, &QCheckBox::toggled, this, &TForm1::CB_AnimerApercuClick);
    connect(E_ImagesParSeconde, &QSpinBox::valueChanged, this, &TForm1::E_ImagesParSecondeChange);

    timerAnimation = new QTimer(this);
    timerAnimation->setObjectName(QStringLiteral("timerAnimation"));
    connect(timerAnimation, &QTimer::timeout, this, &TForm1::timerAnimationTimer);
    ShowFrameState();
}

void TForm1::ShowFrameState()
{
    if (!L_Image)
        return;
    const int current = frames.Current();
    const int count = frames.Count();
    L_Image->setText(FrameCountText(current, count));
    B_ImagePrecedente->setEnabled(current > 0);
    B_ImageSuivante->setEnabled(current + 1 < count);
    B_NouvelleImage->setEnabled(count < MaxFrames);
    B_DupliquerImage->setEnabled(count < MaxFrames);
    B_SupprimerImage->setEnabled(count > 1);
    B_ImageAvant->setEnabled(current > 0);
    B_ImageApres->setEnabled(current + 1 < count);
}

// A gesture still held on the old frame is closed first; what the held
// buttons draw afterwards is a step of the new frame.
void TForm1::GoToFrame(int index)
{
    if (index == frames.Current() || index < 0 || index >= frames.Count())
        return;
    CloseGestureStep();
    frames.Select(index);
    if (AnyButtonDrawing())
        ResumeSpriteStep();
    ShowRestoredSprite();
}

void TForm1::ShowFrameStep(bool changed)
{
    if (changed)
        ShowRestoredSprite();
}

void TForm1::B_ImagePrecedenteClick()
{
    GoToFrame(frames.Current() - 1);
}

void TForm1::B_ImageSuivanteClick()
{
    GoToFrame(frames.Current() + 1);
}

// The frame commands are steps of their own, so none runs inside a gesture.
void TForm1::B_NouvelleImageClick()
{
    if (history.IsRecording())
        return;
    ShowFrameStep(history.InsertFrame(frames, frames.Current() + 1, std::make_unique<Sprite>(sprite.GetSize()),
                                      "nouvelle image"));
}

void TForm1::B_DupliquerImageClick()
{
    if (history.IsRecording())
        return;
    auto copy = std::make_unique<Sprite>(sprite);
    copy->ClearMarks();
    ShowFrameStep(history.InsertFrame(frames, frames.Current() + 1, std::move(copy), "duplication d'image"));
}

void TForm1::B_SupprimerImageClick()
{
    ShowFrameStep(history.RemoveFrame(frames, frames.Current(), "suppression d'image"));
}

void TForm1::B_ImageAvantClick()
{
    ShowFrameStep(history.MoveFrame(frames, frames.Current(), frames.Current() - 1, "déplacement d'image"));
}

void TForm1::B_ImageApresClick()
{
    ShowFrameStep(history.MoveFrame(frames, frames.Current(), frames.Current() + 1, "déplacement d'image"));
}

TForm1::LoadOutcome TForm1::ReadIntoFrames(SpriteReader reader, const std::string& path, LoadInto target,
                                           const QString& stepLabel)
{
    const bool slice = target == LoadInto::CurrentFrame && CB_Decouper->isChecked();
    const bool setFile = target == LoadInto::WholeSet && IsSpriteSetFileName(path);
    if (!slice && !setFile && (target == LoadInto::CurrentFrame || frames.Count() == 1)) {
        BeginSpriteStep();
        const bool loaded = reader(sprite, path);
        CommitSpriteStep(stepLabel);
        return loaded ? LoadOutcome::Loaded : LoadOutcome::Refused;
    }

    FrameList loaded;
    if (setFile) {
        if (!LoadSpriteSetFile(path, loaded))
            return LoadOutcome::Refused;
    } else {
        // A copy, so that a refused file leaves the set as it was and the
        // marks stay, as a load keeps them.
        auto one = std::make_unique<Sprite>(sprite);
        if (!reader(*one, path))
            return LoadOutcome::Refused;
        if (slice)
            return SliceIntoFrames(PictureOfSprite(*one), stepLabel);
        loaded.push_back(std::move(one));
    }
    return ReplaceSet(std::move(loaded), stepLabel);
}

// The sheet cut into frames of the size typed, which replace the set; a size
// that gives no whole frame, or too many, is explained.
TForm1::LoadOutcome TForm1::SliceIntoFrames(const CellPicture& picture, const QString& stepLabel)
{
    bool wide = false;
    bool high = false;
    const Point cell{E_DecoupeX->text().toInt(&wide), E_DecoupeY->text().toInt(&high)};
    const int count = wide && high ? SheetFrameCount(picture, cell) : 0;
    if (count < 1 || count > MaxFrames) {
        ShowLoadProblem(
            QStringLiteral("L'image de %1 × %2 ne se découpe pas en images de %3 × %4 : %5, il en faut de 1 à %6")
                .arg(picture.width)
                .arg(picture.height)
                .arg(E_DecoupeX->text(), E_DecoupeY->text())
                .arg(QString::fromStdString(Counted(count, "image entière", "images entières")))
                .arg(MaxFrames));
        return LoadOutcome::Explained;
    }
    return ReplaceSet(SliceSheet(picture, cell), stepLabel);
}

TForm1::LoadOutcome TForm1::ReplaceSet(FrameList loaded, const QString& stepLabel)
{
    CloseGestureStep();
    const bool replaced = history.ReplaceFrames(frames, std::move(loaded), 0, stepLabel.toStdString());
    if (AnyButtonDrawing())
        ResumeSpriteStep();
    ShowUndoState();
    return replaced ? LoadOutcome::Loaded : LoadOutcome::Refused;
}

// A refusal's explanation goes into the file, where one sprite's would.
ExportResult TForm1::ExportAllFrames(const std::string& libraryPath, const std::string& fileName,
                                     const std::string& spriteName, int height, int width)
{
    const JoinedExport joined = ExportFrames(
        frames.Frames(), spriteName, PluginFrameWriter(libraryPath, height, width, FileSystemName(ExportFolder())));
    if (joined.result == FrameWrite::NoWriter)
        return ExportResult::NoWriteFunction;
    const bool written = !WriteFileAtomically(fileName, joined.text);
    return joined.result == FrameWrite::Written && written ? ExportResult::Written : ExportResult::Refused;
}

void TForm1::CB_PelureOignonClick()
{
    PelureOignon = CB_PelureOignon->isChecked() ? 1 : 0;
    RedrawBothViews();
}

void TForm1::CB_AnimerApercuClick()
{
    AnimerApercu = CB_AnimerApercu->isChecked() ? 1 : 0;
    RestartAnimation();
}

void TForm1::E_ImagesParSecondeChange()
{
    ImagesParSeconde = E_ImagesParSeconde->value();
    RestartAnimation();
}

void TForm1::RestartAnimation()
{
    PreviewFrame = frames.Current();
    if (AnimerApercu)
        timerAnimation->start(1000 / ImagesParSeconde);
    else
        timerAnimation->stop();
    if (F_Apercu)
        F_Apercu->update();
}

void TForm1::timerAnimationTimer()
{
    PreviewFrame = (PreviewFrame + 1) % frames.Count();
    if (F_Apercu)
        F_Apercu->update();
}

const Sprite& TForm1::PreviewSprite() const
{
    if (AnimerApercu && PreviewFrame >= 0 && PreviewFrame < frames.Count())
        return frames.Frame(PreviewFrame);
    return sprite;
}

// Only white, unmasked, unmarked cells show it, inside their outline, so
// the current frame's own pixels always read as they are.
void TForm1::PaintOnionSkin(QPainter& painter)
{
    if (!PelureOignon || frames.Current() == 0)
        return;
    const Sprite& previous = frames.Frame(frames.Current() - 1);
    const CellEdges edges = MainCellEdges();
    if (edges.IsEmpty())
        return;
    const Point size = sprite.GetSize();
    const bool trueColors = CouleursVraiesMain != 0;
    // Inside the cells' grid lines: the fitted grid outlines each cell on
    // its own but for the smallest cells, and its true-color cells are
    // shifted one pixel up and left; the zoomed grid has a line on the left
    // and top of each cell, and none in true colors or at the smallest steps.
    const bool zoomed = edges.IsZoomed();
    const bool lines = zoomed ? MainZoomLayout().gridLines
                              : !trueColors && FittedCellsOutlined(
                                                   CellSize(ToViewRegion(RegionBounds(I_Principale)), size));
    const int shift = !zoomed && trueColors ? -1 : 0;
    const int leading = lines ? 1 : 0;
    const int trailing = lines && !zoomed ? 1 : 0;
    for (int x = 0; x < size.x; ++x) {
        const int left = edges.Column(x) + shift + leading;
        const int right = edges.Column(x + 1) - 1 + shift - trailing;
        for (int y = 0; y < size.y; ++y) {
            const PixelColor shown = previous.GetColor(x, y);
            if (shown == White || sprite.GetColor(x, y) != White || sprite.GetMask(x, y) == Mask ||
                sprite.IsMarked(x, y))
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

void TForm1::ReadFrameOptions(const IniFile& settings)
{
    PelureOignon = settings.ReadBool(FramesSection, "PelureOignon", false);
    AnimerApercu = settings.ReadBool(FramesSection, "AnimerApercu", false);
    const int rate = settings.ReadInteger(FramesSection, "ImagesParSeconde", DefaultRate);
    ImagesParSeconde = rate >= SlowestRate && rate <= FastestRate ? rate : DefaultRate;
    E_ImagesParSeconde->setValue(ImagesParSeconde);
    CB_PelureOignon->setChecked(PelureOignon != 0);
    CB_AnimerApercu->setChecked(AnimerApercu != 0);
}

// A value still at its default is written only when the file already holds
// it, so the file of a user who never changed these options keeps exactly
// the designed fourteen values.
void TForm1::WriteFrameOptions(const IniFile& settings) const
{
    const auto write = [&settings](const char* key, int value, int defaultValue) {
        constexpr int Absent = std::numeric_limits<int>::min();
        if (value != defaultValue || settings.ReadInteger(FramesSection, key, Absent) != Absent)
            settings.WriteInteger(FramesSection, key, value);
    };
    write("PelureOignon", PelureOignon != 0 ? 1 : 0, 0);
    write("AnimerApercu", AnimerApercu != 0 ? 1 : 0, 0);
    write("ImagesParSeconde", ImagesParSeconde, DefaultRate);
}
