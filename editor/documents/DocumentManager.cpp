#include "DocumentManager.h"

#include <QFile>
#include <QFileInfo>
#include <filesystem>
#include <memory>
#include <system_error>

#include "Dialogs.h"
#include "DocumentQuestions.h"
#include "FilePanel.h"
#include "FramePanel.h"
#include "GrayPicturePair.h"
#include "MapDocuments.h"
#include "MapFile.h"
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
    ShowFailure(QStringLiteral("Le Chargement a échoué"));
}

void ShowSaveOutcome(bool saved)
{
    if (saved)
        AppDialogs().ShowMessage(QStringLiteral("Enregsitrement effectué : ..."), QStringLiteral("Succès!"),
                                 MessageIcon::Information);
    else
        ShowFailure(QStringLiteral("L'Enregistrement est un Echec"));
}

// Only a regular file is read: opening a FIFO named "x.pixo" would wait for
// a writer forever, and a device never ends. (QFileInfo::isFile counts a
// FIFO as a file.)
bool IsRegularFile(const QString& fileName)
{
    std::error_code notRegular;
    return std::filesystem::is_regular_file(FileSystemName(fileName), notRegular);
}

} // namespace

DocumentManager::DocumentManager(TForm1& form) : QObject(&form), form(form), maps(new MapDocuments(form)) {}

QString DocumentManager::CurrentFile() const
{
    return FromFileSystem(form.document.FilePath());
}

void DocumentManager::New()
{
    if (!MaySetAside(QStringLiteral("avant de commencer un nouveau sprite")))
        return;
    const DocumentChange change = StartBlank(form.document, form.document.Current().GetSize());
    form.document.Detach();
    form.ShowDocumentChange(change);
}

void DocumentManager::OpenWithDialog(SpriteFileKind kind)
{
    const bool picture = kind == SpriteFileKind::CalculatorPicture;
    FileDialog& dialog = picture ? form.OpenDialog2 : form.OpenDialog1;
    if (AppDialogs().Execute(FileDialogKind::Open, dialog))
        Open(dialog.fileName, picture ? Way::Imported : Way::Opened);
}

// The file's dialog takes the name as if it had been chosen there, whoever
// named the file. A file that takes the place of the document is a new
// start: the changes are saved or given up first, and the history starts
// again, so that no undo brings back a drawing under this file's name. A
// picture put into one frame of several is an edit of the set, which stays
// the document. A tile map is the map window's document, not the sprite's.
bool DocumentManager::Open(const QString& fileName, Way way, bool tellSuccess)
{
    if (IsTileMapFileName(FileSystemName(fileName)))
        return maps->Open(fileName);
    const bool picture = SpriteFileKindOf(FileSystemName(fileName)) == SpriteFileKind::CalculatorPicture;
    (picture ? form.OpenDialog2 : form.OpenDialog1).fileName = fileName;
    if (!IsRegularFile(fileName)) {
        ShowFailedLoad();
        return false;
    }
    const bool imported = picture && way == Way::Imported;
    const bool slice = imported && form.framePanel->SliceCell().has_value();
    const bool intoFrame = imported && !slice && form.document.Frames().Count() > 1;
    const std::optional<LoadResult> result =
        intoFrame ? ReadIntoEditedFrame(fileName) : ReadAsDocument(fileName, picture, slice);
    if (!result)
        return false;
    if (!form.framePanel->ShowLoadResult(*result)) {
        if (result->outcome == LoadOutcome::Refused)
            ShowFailedLoad();
        return false;
    }
    if (tellSuccess)
        AppDialogs().ShowMessage(QStringLiteral("Chargement effectué : ..."), QStringLiteral("Succès!"),
                                 MessageIcon::Information);
    return true;
}

// A picture makes an untitled document named after it, so that a save
// never writes the editor's file over the picture, nor over the file
// edited before.
std::optional<LoadResult> DocumentManager::ReadAsDocument(const QString& fileName, bool picture, bool slice)
{
    if (!MaySetAside(QStringLiteral("avant d'ouvrir %1").arg(Quoted(QFileInfo(fileName).fileName()))))
        return std::nullopt;
    const std::string path = FileSystemName(fileName);
    LoadResult result =
        ReadIntoFrames(form.document, picture ? PictureReaderFor(fileName) : LoadNativeFile, path,
                       slice ? LoadInto::CurrentFrame : LoadInto::WholeSet,
                       slice ? form.framePanel->SliceCell() : std::nullopt, picture ? "import d'image" : "chargement");
    if (result.outcome != LoadOutcome::Loaded)
        return result;
    result.change |= form.document.StartNewHistory();
    if (picture)
        form.document.Detach(StemOfPath(path));
    else
        form.document.AttachFile(FileSystemName(QFileInfo(fileName).absoluteFilePath()), true);
    form.document.MarkSaved(SpriteDocument::Saved::WholeSet);
    FileUsed(fileName);
    return result;
}

std::optional<LoadResult> DocumentManager::ReadIntoEditedFrame(const QString& fileName)
{
    auto read = std::make_unique<Sprite>(form.document.Current());
    if (!PictureReaderFor(fileName)(*read, FileSystemName(fileName)))
        return LoadResult{};
    if (!MayResizeFramesTo(read->GetSize()))
        return std::nullopt;
    const DocumentChange change =
        ReplaceCurrentFrame(form.document, "import d'image", [&read](Sprite& frame) { frame = *read; });
    FileUsed(fileName);
    return LoadResult{LoadOutcome::Loaded, change};
}

// A picture NAME_l with a NAME_d beside it is most likely the light plane
// of a gray sprite written as two pictures: the user says whether to read
// the two as that sprite ("Oui") or the one picture alone ("Non").
SpriteReader DocumentManager::PictureReaderFor(const QString& fileName)
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

bool DocumentManager::ImportAsNew(const QString& importedName, const std::function<bool()>& import)
{
    if (!MaySetAside(QStringLiteral("avant de le remplacer par l'importation")) || !import())
        return false;
    form.document.Detach(FileSystemName(importedName));
    form.document.MarkSaved(SpriteDocument::Saved::WholeSet);
    ShowIdentity();
    return true;
}

bool DocumentManager::MayResizeFramesTo(Point pictureSize)
{
    if (!WouldResizeOtherFrames(form.document, pictureSize))
        return true;
    const Point frameSize = form.document.Current().GetSize();
    const QString question =
        QStringLiteral("L'image importée mesure %1 × %2 pixels : les %3 images de la planche, de %4 × %5, "
                       "prendront cette taille.\nImporter quand même ?")
            .arg(pictureSize.x)
            .arg(pictureSize.y)
            .arg(form.document.Frames().Count())
            .arg(frameSize.x)
            .arg(frameSize.y);
    return AppDialogs().Ask(question, QStringLiteral("Pixora"), MessageIcon::Warning,
                            {QStringLiteral("Importer"), QStringLiteral("Annuler")}) == 0;
}

bool DocumentManager::MayClose()
{
    return MaySetAside(QStringLiteral("avant de quitter")) && maps->MayClose();
}

bool DocumentManager::MayPreShiftOver()
{
    return MaySetAside(QStringLiteral("avant de remplacer la planche par les 8 images décalées"));
}

// "Annuler", Escape and the box's close button keep everything as it was;
// a save that fails or is cancelled keeps it too.
bool DocumentManager::MaySetAside(const QString& beforeWhat)
{
    if (!form.document.IsChangedSinceSaved())
        return true;
    const QString name = FromFileSystem(form.document.DisplayName());
    const QString sprite =
        name.isEmpty() ? QStringLiteral("Le sprite") : QStringLiteral("Le sprite %1").arg(Quoted(name));
    return MaySetAsideChanged(sprite + QStringLiteral(" a été modifié"), beforeWhat, [this] { return Save(); });
}

void DocumentManager::FileUsed(const QString& fileName)
{
    FileDialogsFolder().Use(fileName);
    form.filePanel->RememberRecentFile(fileName);
    form.ProposeExportNames(fileName);
}

// A set of several frames into a ".pixo" asks first: a ".pixo" keeps one.
bool DocumentManager::Save()
{
    if (!form.document.SavesInPlace())
        return SaveAs();
    const QString file = CurrentFile();
    if (form.document.Frames().Count() == 1 || IsSpriteSetFileName(form.document.FilePath()))
        return SaveTo(file, false);
    switch (AskHowToSaveSet()) {
    case SetSaving::CurrentFrame:
        return SaveTo(file, false);
    case SetSaving::WholeSet:
        // A name the user has not chosen could replace another set: the
        // dialog shows it first.
        form.SaveDialog1.fileName = WithPixsSuffix(file);
        return SaveAs();
    default:
        return false;
    }
}

// An untitled document offers its own name, or none, rather than the name
// of the file edited before.
bool DocumentManager::SaveAs()
{
    FileDialog& dialog = form.SaveDialog1;
    if (form.document.IsUntitled())
        dialog.fileName = FromFileSystem(form.document.ProposedName());
    if (!AppDialogs().Execute(FileDialogKind::Save, dialog))
        return false;
    if (const std::optional<bool> setSaved = SaveSetIfWanted(dialog))
        return *setSaved;
    dialog.fileName = WithPixoSuffix(dialog.fileName);
    return SaveTo(dialog.fileName);
}

// A ".pixs" name saves the whole set, a ".pixo" name the frame being edited;
// the saved state is what the file holds, so a set saved as one frame still
// counts as changed.
bool DocumentManager::SaveTo(const QString& fileName, bool tellSuccess)
{
    const std::string path = FileSystemName(fileName);
    const bool wholeSet = IsSpriteSetFileName(path);
    const bool saved =
        wholeSet ? SaveSpriteSetFile(path, form.document.Frames().Frames()) : form.document.Current().SaveToFile(path);
    if (tellSuccess || !saved)
        ShowSaveOutcome(saved);
    if (!saved)
        return false;
    form.document.AttachFile(FileSystemName(QFileInfo(fileName).absoluteFilePath()), true);
    form.document.MarkSaved(wholeSet ? SpriteDocument::Saved::WholeSet : SpriteDocument::Saved::CurrentFrame);
    FileUsed(fileName);
    ShowIdentity();
    return true;
}

std::optional<bool> DocumentManager::SaveSetIfWanted(FileDialog& dialog)
{
    if (!IsSpriteSetFileName(FileSystemName(dialog.fileName))) {
        if (form.document.Frames().Count() == 1)
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
    return SaveTo(dialog.fileName);
}

DocumentManager::SetSaving DocumentManager::AskHowToSaveSet()
{
    const int answer = AppDialogs().Ask(
        QStringLiteral("La planche compte %1 images et un fichier .pixo n'en garde qu'une.\n"
                       "Enregistrer toute la planche en .pixs, ou seulement l'image courante en .pixo ?")
            .arg(form.document.Frames().Count()),
        QStringLiteral("Enregistrer"), MessageIcon::Information,
        {QStringLiteral("Planche (.pixs)"), QStringLiteral("Image courante (.pixo)"), QStringLiteral("Annuler")});
    return answer == 0 ? SetSaving::WholeSet : answer == 1 ? SetSaving::CurrentFrame : SetSaving::Cancelled;
}

void DocumentManager::ShowIdentity()
{
    form.filePanel->ShowFileState();
}
