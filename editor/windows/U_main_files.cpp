// The commands of the page "Enreg/charger": saving and loading the editor's
// own ".pixo" file (and a set's ".pixs") and importing a calculator picture.
// Each asks for a file through its dialog, which keeps the last name, and
// tells the outcome in a message box; a refused file changes nothing.
#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <filesystem>
#include <optional>
#include <system_error>

#include "FilePanel.h"
#include "FramePanel.h"
#include "GrayPicturePair.h"
#include "TextEncoding.h"
#include "U_main.h"
#include "set_file.h"
#include "ti_picture.h"

namespace {

const QString PixoSuffix = QStringLiteral(".pixo");

// Case matters: "dessin.PIXO" becomes "dessin.PIXO.pixo".
QString WithPixoSuffix(const QString& fileName)
{
    return fileName.endsWith(PixoSuffix, Qt::CaseSensitive) ? fileName : fileName + PixoSuffix;
}

// "dessin" and "dessin.pixo" both become "dessin.pixs".
QString WithPixsSuffix(const QString& fileName)
{
    const QString base =
        fileName.endsWith(PixoSuffix, Qt::CaseSensitive) ? fileName.chopped(PixoSuffix.size()) : fileName;
    return base + QStringLiteral(".pixs");
}

bool LoadNativeFile(Sprite& sprite, const std::string& path)
{
    return sprite.LoadFromFile(path);
}

void ShowFailedLoad()
{
    AppDialogs().ShowMessage(QStringLiteral("Le Chargement a échoué"), QStringLiteral("Echec!"), MessageIcon::Warning);
}

} // namespace

void TForm1::ConnectFileCommands()
{
    connect(BitBtn5, &QPushButton::clicked, this, &TForm1::BitBtn5Click);
    connect(BitBtn7, &QPushButton::clicked, this, &TForm1::BitBtn7Click);
    connect(BitBtn9, &QPushButton::clicked, this, &TForm1::BitBtn9Click);
    filePanel = new FilePanel(*this);
}

void TForm1::BitBtn5Click()
{
    SaveSpriteAs();
}

bool TForm1::SaveSpriteAs()
{
    if (!AppDialogs().Execute(FileDialogKind::Save, SaveDialog1))
        return false;
    if (const std::optional<bool> setSaved = SaveSetIfWanted(SaveDialog1))
        return *setSaved;
    SaveDialog1.fileName = WithPixoSuffix(SaveDialog1.fileName);
    return SaveSpriteTo(SaveDialog1.fileName);
}

// Ctrl+S and the close question's "Enregistrer": into the current file
// quietly, the caption losing its "*" being the sign; a ".pixo" keeps one
// frame, so a set of several asks first as "&Enregistrer" does.
bool TForm1::SaveSprite()
{
    if (!filePanel->CurrentFileIsNative)
        return SaveSpriteAs();
    if (document.Frames().Count() == 1 || IsSpriteSetFileName(FileSystemName(filePanel->CurrentFile)))
        return SaveSpriteTo(filePanel->CurrentFile, false);
    switch (AskHowToSaveSet()) {
    case SetSaving::CurrentFrame:
        return SaveSpriteTo(filePanel->CurrentFile, false);
    case SetSaving::WholeSet:
        // A name the user has not chosen could replace another set: the
        // dialog shows it first.
        SaveDialog1.fileName = WithPixsSuffix(filePanel->CurrentFile);
        return SaveSpriteAs();
    default:
        return false;
    }
}

// A ".pixs" name saves the whole set, a ".pixo" name the frame being edited;
// the saved state is what the file holds, so a set saved as one frame still
// counts as changed.
bool TForm1::SaveSpriteTo(const QString& fileName, bool tellSuccess)
{
    const std::string path = FileSystemName(fileName);
    const bool wholeSet = IsSpriteSetFileName(path);
    const bool saved = wholeSet ? SaveSpriteSetFile(path, document.Frames().Frames()) : sprite.SaveToFile(path);
    if (tellSuccess || !saved)
        ShowSaveOutcome(saved);
    if (saved)
        filePanel->RememberFile(fileName, true,
                                wholeSet ? SpriteDocument::Saved::WholeSet : SpriteDocument::Saved::CurrentFrame);
    return saved;
}

std::optional<bool> TForm1::SaveSetIfWanted(FileDialog& dialog)
{
    if (!IsSpriteSetFileName(FileSystemName(dialog.fileName))) {
        if (document.Frames().Count() == 1)
            return std::nullopt;
        switch (AskHowToSaveSet()) {
        case SetSaving::CurrentFrame:
            return std::nullopt;
        case SetSaving::WholeSet:
            dialog.fileName = WithPixsSuffix(dialog.fileName);
            break;
        default:
            return false;
        }
    }
    return SaveSpriteTo(dialog.fileName);
}

TForm1::SetSaving TForm1::AskHowToSaveSet()
{
    const int answer = AppDialogs().Ask(
        QStringLiteral("La planche compte %1 images et un fichier .pixo n'en garde qu'une.\n"
                       "Enregistrer toute la planche en .pixs, ou seulement l'image courante en .pixo ?")
            .arg(document.Frames().Count()),
        QStringLiteral("Enregistrer"), MessageIcon::Information,
        {QStringLiteral("Planche (.pixs)"), QStringLiteral("Image courante (.pixo)"), QStringLiteral("Annuler")});
    return answer == 0 ? SetSaving::WholeSet : answer == 1 ? SetSaving::CurrentFrame : SetSaving::Cancelled;
}

void TForm1::ShowSaveOutcome(bool saved)
{
    if (saved)
        AppDialogs().ShowMessage(QStringLiteral("Enregsitrement effectué : ..."), QStringLiteral("Succès!"),
                                 MessageIcon::Information);
    else
        AppDialogs().ShowMessage(QStringLiteral("L'Enregistrement est un Echec"), QStringLiteral("Echec!"),
                                 MessageIcon::Warning);
}

void TForm1::BitBtn7Click()
{
    LoadSpriteWith(SpriteFileKind::Native);
}

void TForm1::BitBtn9Click()
{
    LoadSpriteWith(SpriteFileKind::CalculatorPicture);
}

FileDialog& TForm1::DialogFor(SpriteFileKind kind)
{
    return kind == SpriteFileKind::CalculatorPicture ? OpenDialog2 : OpenDialog1;
}

void TForm1::LoadSpriteWith(SpriteFileKind kind)
{
    FileDialog& dialog = DialogFor(kind);
    if (AppDialogs().Execute(FileDialogKind::Open, dialog))
        OpenSpriteFile(dialog.fileName, kind);
}

// A refused file leaves the sprite as it was. The file's dialog takes the
// name as if it had been chosen there, whoever named the file (the dialog,
// the recent files, a drop, the command line). A file that takes the place
// of every frame is a new start: the changes are saved or given up first,
// and the history starts again, so that no undo brings back a drawing
// under this file's name. A picture put into one frame of several is an
// edit of the set, which stays the file being edited.
bool TForm1::OpenSpriteFile(const QString& fileName, SpriteFileKind kind, bool tellSuccess)
{
    const bool picture = kind == SpriteFileKind::CalculatorPicture;
    DialogFor(kind).fileName = fileName;
    // Only a regular file is read: opening a FIFO named "x.pixo" would wait
    // for a writer forever, and a device never ends. (QFileInfo::isFile
    // counts a FIFO as a file.)
    std::error_code notRegular;
    if (!std::filesystem::is_regular_file(FileSystemName(fileName), notRegular)) {
        ShowFailedLoad();
        return false;
    }
    const SpriteReader reader = picture ? PictureReaderFor(fileName) : LoadNativeFile;
    const bool newStart = !picture || document.Frames().Count() == 1 || framePanel->SliceCell().has_value();
    if (newStart && !filePanel->MayOpenInstead(fileName))
        return false;
    LoadResult result = ReadIntoFrames(
        document, reader, FileSystemName(fileName), picture ? LoadInto::CurrentFrame : LoadInto::WholeSet,
        picture ? framePanel->SliceCell() : std::nullopt, picture ? "import d'image" : "chargement");
    if (result.outcome == LoadOutcome::Loaded && newStart) {
        result.change |= document.StartNewHistory();
        filePanel->RememberFile(fileName, !picture, SpriteDocument::Saved::WholeSet);
    } else if (result.outcome == LoadOutcome::Loaded) {
        filePanel->RememberRecentFile(fileName);
        ProposeExportNames(fileName);
    }
    if (!framePanel->ShowLoadResult(result)) {
        if (result.outcome == LoadOutcome::Refused)
            ShowFailedLoad();
        return false;
    }
    if (tellSuccess)
        AppDialogs().ShowMessage(QStringLiteral("Chargement effectué : ..."), QStringLiteral("Succès!"),
                                 MessageIcon::Information);
    return true;
}

// A picture NAME_l with a NAME_d beside it is most likely the light plane
// of a gray sprite written as two pictures: the user says whether to read
// the two as that sprite ("Oui") or the one picture alone ("Non").
SpriteReader TForm1::PictureReaderFor(const QString& fileName)
{
    const std::optional<std::string> dark = DarkPlaneBeside(FileSystemName(fileName));
    if (!dark)
        return ChargerImageTI;
    const QString light = QFileInfo(fileName).fileName();
    const QString darkName = QFileInfo(QFile::decodeName(QByteArray::fromStdString(*dark))).fileName();
    const QString question = QStringLiteral("Importer « %1 » comme une image en gris avec « %2 » ?\n"
                                            "« %1 » donne le plan clair et « %2 » le plan foncé ; "
                                            "« Non » importe « %1 » seule, en noir et blanc.")
                                 .arg(light, darkName);
    const int answer = AppDialogs().Ask(question, QStringLiteral("Importer"), MessageIcon::Information,
                                        {QStringLiteral("Oui"), QStringLiteral("Non")});
    return answer == 0 ? ReadGrayPictureBeside : ChargerImageTI;
}

void TForm1::OpenAtStart(const QString& fileName)
{
    const bool picture = SpriteFileKindOf(FileSystemName(fileName)) == SpriteFileKind::CalculatorPicture;
    OpenSpriteFile(QFileInfo(fileName).absoluteFilePath(),
                   picture ? SpriteFileKind::CalculatorPicture : SpriteFileKind::Native, false);
}
