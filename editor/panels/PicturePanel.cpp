#include "PicturePanel.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QFrame>
#include <QMimeData>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>

#include "DocumentManager.h"
#include "EditorContext.h"
#include "FormLayout.h"
#include "FramePanel.h"
#include "ImageFiles.h"
#include "ImageImportDialog.h"
#include "TextEncoding.h"

namespace {

const QString PngSuffix = QStringLiteral(".png");

// The one local image file a drag carries, or an empty name: several files
// or other kinds are left to the window's other drop handling.
QString DraggedImageFile(const QMimeData* data)
{
    if (!data || !data->hasUrls() || data->urls().size() != 1 || !data->urls().constFirst().isLocalFile())
        return {};
    const QString fileName = data->urls().constFirst().toLocalFile();
    return IsImageFileName(FileSystemName(fileName)) ? fileName : QString();
}

} // namespace

// "Importer une image..." beside "Importer du C..." below the recent files of
// "Enreg/charger"; "Exporter en PNG..." and its options heading a panel in
// the free space of "Exporter", above "Exporter en image TI...".
PicturePanel::PicturePanel(EditorContext& editor) : EditorPanel(editor)
{
    QPushButton* importer = Button(editor.Page(EditorPage::Files), "B_ImporterImage",
                                   QStringLiteral("Importer une image..."), 8, 348, 133, 28);
    importer->setToolTip(QStringLiteral("Ou Ctrl+V avec une image dans le presse-papiers, ou déposez le fichier "
                                        "sur la fenêtre"));

    // Four rows: PNG and its options, calculator pictures and data (RoundTripPanel.cpp).
    Panel7 = Panel(editor.Page(EditorPage::Export), "Panel7", 8, 276, 273, 137);
    Heading(Panel7, "Label9", QStringLiteral("Exporter pour d'autres logiciels"), 273);
    QPushButton* exporter = Button(Panel7, "B_ExporterPng", QStringLiteral("Exporter en PNG..."), 24, 24, 225, 25);
    exporter->setToolTip(QStringLiteral("Ctrl+C copie le sprite en image dans le presse-papiers"));
    Caption(Panel7, "Label10", QStringLiteral("Échelle :"), 24, 56);
    E_EchellePng = Place(new QSpinBox(Panel7), "E_EchellePng", 72, 53, 52, 21);
    E_EchellePng->setRange(1, MaxPngScale);
    E_EchellePng->setValue(1);
    E_EchellePng->setSuffix(QStringLiteral(" ×"));
    E_EchellePng->setToolTip(QStringLiteral("Échelle PNG"));
    CB_CouleursPng =
        Place(new QCheckBox(QStringLiteral("Couleurs calculatrice"), Panel7), "CB_CouleursPng", 132, 54, 135, 20);
    CB_CouleursPng->setToolTip(QStringLiteral("Le PNG dans les couleurs de la calculatrice"));

    OpenDialog3 = {QStringLiteral("OpenDialog3"), ImageFileFilter(), QString()};
    SaveDialog2 = {QStringLiteral("SaveDialog2"), QStringLiteral("Images PNG (*.png)|*.png"), QString()};

    connect(importer, &QPushButton::clicked, this, &PicturePanel::B_ImporterImageClick);
    connect(exporter, &QPushButton::clicked, this, &PicturePanel::B_ExporterPngClick);

    editor.Window().setAcceptDrops(true);
    editor.Window().installEventFilter(this);
}

bool PicturePanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != &editor.Window())
        return false;
    if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (DraggedImageFile(drag->mimeData()).isEmpty())
            return false;
        drag->acceptProposedAction();
        return true;
    }
    if (event->type() == QEvent::Drop) {
        auto* drop = static_cast<QDropEvent*>(event);
        const QString fileName = DraggedImageFile(drop->mimeData());
        if (fileName.isEmpty())
            return false;
        drop->acceptProposedAction();
        // The dialog is modal: it opens once the drag has ended, not inside
        // the drop.
        QTimer::singleShot(0, this, [this, fileName] { ImportImageFile(fileName); });
        return true;
    }
    return false;
}

void PicturePanel::B_ImporterImageClick()
{
    if (AppDialogs().Execute(FileDialogKind::Open, OpenDialog3))
        ImportImageFile(OpenDialog3.fileName);
}

void PicturePanel::ImportImageFile(const QString& fileName)
{
    RgbaImage image;
    QString reason;
    if (!DecodeImageFile(FileSystemName(fileName), image, reason)) {
        ShowFailure(QStringLiteral("Le Chargement a échoué\n") + reason);
        return;
    }
    if (ImportImage(image, QFileInfo(fileName).completeBaseName()))
        editor.ProposeExportNames(fileName);
}

// A sprite sheet: its cells take the place of the frames of the set, as a
// new document named after the picture; the dialog starts with the cell
// size of "découper en images de" when it is checked. One picture into a
// frame of a set asks first when it would resize the other frames.
bool PicturePanel::ImportImage(const RgbaImage& image, const QString& name)
{
    ImageImportDialog dialog(image, editor.Frames().SliceCell(), &editor.Window());
    if (dialog.exec() != QDialog::Accepted || !dialog.Result().Succeeded())
        return false;
    const CellPicture& picture = dialog.Result().picture;
    if (const std::optional<SliceGrid> grid = dialog.Slicing())
        return editor.Documents().ImportAsNew(name, [&] {
            return editor.Frames().ShowLoadResult(
                SliceIntoFrames(editor.Document(), picture, *grid, dialog.SkipsEmptyCells(), "import d'image"));
        });
    if (!editor.Documents().MayResizeFramesTo({picture.width, picture.height}))
        return false;
    editor.ShowChange(ReplaceCurrentFrame(editor.Document(), "import d'image",
                                          [&picture](Sprite& frame) { PutIntoSprite(picture, frame); }));
    return true;
}

void PicturePanel::B_ExporterPngClick()
{
    if (!AppDialogs().Execute(FileDialogKind::Save, SaveDialog2))
        return;
    if (!SaveDialog2.fileName.endsWith(PngSuffix, Qt::CaseInsensitive))
        SaveDialog2.fileName += PngSuffix;
    QString reason;
    if (WritePngFile(editor.Document().Editing(), E_EchellePng->value(), CB_CouleursPng->isChecked(),
                     FileSystemName(SaveDialog2.fileName), reason))
        AppDialogs().ShowMessage(QStringLiteral("Exportation PNG effectuée : ..."), QStringLiteral("Succès!"),
                                 MessageIcon::Information);
    else
        ShowFailure(QStringLiteral("L'exportation PNG a échoué\n") + reason);
}

void PicturePanel::PasteClipboardImage()
{
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (!data || !data->hasImage())
        return;
    const RgbaImage image = RgbaFromImage(qvariant_cast<QImage>(data->imageData()));
    if (image.width == 0) {
        ShowFailure(QStringLiteral("Le Chargement a échoué\nimage du presse-papiers vide ou trop grande"));
        return;
    }
    ImportImage(image, QStringLiteral("presse-papiers"));
}
