// Pictures from and to other programs: "Importer une image..." and
// "Exporter en PNG..." on the page "Enreg/charger", Ctrl+C and Ctrl+V with
// the clipboard, and image files dropped on the window. Every import goes
// through the conversion dialog; its "OK" is one undo step.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QSpinBox>
#include <QTextEdit>
#include <QTimer>

#include "Controls.h"
#include "ImageFiles.h"
#include "ImageImportDialog.h"
#include "TextEncoding.h"
#include "U_main.h"

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

// Takes drops of image files before the window sees them, so that the
// window's own drop handling, if any, never meets one.
class ImageDropFilter : public QObject {
public:
    explicit ImageDropFilter(TForm1* form) : QObject(form), form_(form) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != form_)
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
            // The dialog is modal: it opens once the drag has ended, not
            // inside the drop.
            QTimer::singleShot(0, form_, [form = form_, fileName] { form->ImportImageFile(fileName); });
            return true;
        }
        return false;
    }

private:
    TForm1* form_;
};

void ShowFailure(const QString& what, const QString& reason)
{
    AppDialogs().ShowMessage(what + QStringLiteral("\n") + reason, QStringLiteral("Echec!"), MessageIcon::Warning);
}

} // namespace

// A panel of its own in the free space below "Enregistrer/Charger au format
// de ...", laid out like the panels above it.
void TForm1::BuildImageControls()
{
    Panel7 = new QFrame(TabSheet6);
    Panel7->setObjectName(QStringLiteral("Panel7"));
    Panel7->setGeometry(8, 8, 273, 171);
    Panel7->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel7->setLineWidth(2);

    Label9 = new QLabel(QStringLiteral("Images d'autres logiciels (PNG, BMP, GIF, JPEG)"), Panel7);
    Label9->setObjectName(QStringLiteral("Label9"));
    Label9->setGeometry(4, 6, 265, 30);
    QFont bold = Label9->font();
    bold.setBold(true);
    Label9->setFont(bold);
    Label9->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label9->setWordWrap(true);

    B_ImporterImage = new QPushButton(QStringLiteral("Importer une image..."), Panel7);
    B_ImporterImage->setObjectName(QStringLiteral("B_ImporterImage"));
    B_ImporterImage->setGeometry(24, 40, 225, 33);
    B_ImporterImage->setToolTip(QStringLiteral("Ou Ctrl+V avec une image dans le presse-papiers, ou déposez le fichier "
                                               "sur la fenêtre"));
    B_ExporterPng = new QPushButton(QStringLiteral("Exporter en PNG..."), Panel7);
    B_ExporterPng->setObjectName(QStringLiteral("B_ExporterPng"));
    B_ExporterPng->setGeometry(24, 80, 225, 33);
    B_ExporterPng->setToolTip(QStringLiteral("Ctrl+C copie le sprite en image dans le presse-papiers"));

    Label10 = new QLabel(QStringLiteral("Échelle PNG :"), Panel7);
    Label10->setObjectName(QStringLiteral("Label10"));
    Label10->setGeometry(24, 120, 100, 21);
    E_EchellePng = new QSpinBox(Panel7);
    E_EchellePng->setObjectName(QStringLiteral("E_EchellePng"));
    E_EchellePng->setGeometry(130, 120, 119, 21);
    E_EchellePng->setRange(1, MaxPngScale);
    E_EchellePng->setValue(1);
    E_EchellePng->setSuffix(QStringLiteral(" ×"));
    CB_CouleursPng = new QCheckBox(QStringLiteral("Couleurs de la calculatrice"), Panel7);
    CB_CouleursPng->setObjectName(QStringLiteral("CB_CouleursPng"));
    CB_CouleursPng->setGeometry(24, 145, 225, 20);

    OpenDialog3 = {QStringLiteral("OpenDialog3"),
                   QStringLiteral("Images (*.png *.bmp *.gif *.jpg *.jpeg)|*.png;*.bmp;*.gif;*.jpg;*.jpeg"), QString()};
    SaveDialog2 = {QStringLiteral("SaveDialog2"), QStringLiteral("Images PNG (*.png)|*.png"), QString()};

    connect(B_ImporterImage, &QPushButton::clicked, this, &TForm1::B_ImporterImageClick);
    connect(B_ExporterPng, &QPushButton::clicked, this, &TForm1::B_ExporterPngClick);

    setAcceptDrops(true);
    installEventFilter(new ImageDropFilter(this));
}

void TForm1::B_ImporterImageClick()
{
    if (AppDialogs().Execute(FileDialogKind::Open, OpenDialog3))
        ImportImageFile(OpenDialog3.fileName);
}

void TForm1::ImportImageFile(const QString& fileName)
{
    RgbaImage image;
    QString reason;
    if (!DecodeImageFile(FileSystemName(fileName), image, reason)) {
        ShowFailure(QStringLiteral("Le Chargement a échoué"), reason);
        return;
    }
    ImportImage(image);
}

void TForm1::ImportImage(const RgbaImage& image)
{
    ImageImportDialog dialog(image, this);
    if (dialog.exec() != QDialog::Accepted || !dialog.Result().Succeeded())
        return;
    // A sprite sheet: its cells become the frames of the set.
    if (CB_Decouper->isChecked()) {
        if (SliceIntoFrames(dialog.Result().picture, QStringLiteral("import d'image")) == LoadOutcome::Loaded)
            ShowLoadedSprite();
        return;
    }
    BeginSpriteStep();
    PutIntoSprite(dialog.Result().picture, sprite);
    CommitSpriteStep(QStringLiteral("import d'image"));
    ShowLoadedSprite();
}

void TForm1::B_ExporterPngClick()
{
    if (!AppDialogs().Execute(FileDialogKind::Save, SaveDialog2))
        return;
    if (!SaveDialog2.fileName.endsWith(PngSuffix, Qt::CaseInsensitive))
        SaveDialog2.fileName += PngSuffix;
    QString reason;
    if (WritePngFile(sprite, E_EchellePng->value(), CB_CouleursPng->isChecked(), FileSystemName(SaveDialog2.fileName),
                     reason))
        AppDialogs().ShowMessage(QStringLiteral("Exportation PNG effectuée : ..."), QStringLiteral("Succès!"),
                                 MessageIcon::Information);
    else
        ShowFailure(QStringLiteral("L'exportation PNG a échoué"), reason);
}

void TForm1::PasteClipboardImage()
{
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (!data || !data->hasImage())
        return;
    const RgbaImage image = RgbaFromImage(qvariant_cast<QImage>(data->imageData()));
    if (image.width == 0) {
        ShowFailure(QStringLiteral("Le Chargement a échoué"),
                    QStringLiteral("image du presse-papiers vide ou trop grande"));
        return;
    }
    ImportImage(image);
}
