// The commands of the page "Enreg/charger": saving and loading the editor's
// own ".pixo" file and importing a calculator picture. Each asks for a file
// through its dialog, which keeps the last name, and tells the outcome in a
// message box; a refused file changes nothing.
#include <QLineEdit>
#include <QPushButton>
#include <filesystem>
#include <optional>
#include <system_error>

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
    SetUpFileHabits();
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

bool TForm1::SaveSprite()
{
    return CurrentFileIsNative ? SaveSpriteTo(CurrentFile) : SaveSpriteAs();
}

// A ".pixs" name saves the whole set, a ".pixo" name the frame being edited.
bool TForm1::SaveSpriteTo(const QString& fileName)
{
    const std::string path = FileSystemName(fileName);
    const bool saved = IsSpriteSetFileName(path) ? SaveSpriteSetFile(path, frames.Frames()) : sprite.SaveToFile(path);
    ShowSaveOutcome(saved);
    if (saved)
        RememberFile(fileName, true);
    return saved;
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

// A refused file leaves the sprite as it was, so it adds no undo step. The
// file's dialog takes the name as if it had been chosen there, whoever
// named the file (the dialog, the recent files, a drop, the command line).
bool TForm1::OpenSpriteFile(const QString& fileName, SpriteFileKind kind, bool tellSuccess)
{
    const bool picture = kind == SpriteFileKind::CalculatorPicture;
    const SpriteReader reader = picture ? ChargerImageTI : LoadNativeFile;
    DialogFor(kind).fileName = fileName;
    // Only a regular file is read: opening a FIFO named "x.pixo" would wait
    // for a writer forever, and a device never ends. (QFileInfo::isFile
    // counts a FIFO as a file.)
    std::error_code notRegular;
    if (!std::filesystem::is_regular_file(FileSystemName(fileName), notRegular)) {
        ShowFailedLoad();
        return false;
    }
    const LoadOutcome outcome =
        ReadIntoFrames(reader, FileSystemName(fileName), picture ? LoadInto::CurrentFrame : LoadInto::WholeSet,
                       picture ? QStringLiteral("import d'image") : QStringLiteral("chargement"));
    if (outcome == LoadOutcome::Explained)
        return false;
    if (outcome == LoadOutcome::Refused) {
        ShowFailedLoad();
        return false;
    }
    RememberFile(fileName, !picture);
    ShowLoadedSprite();
    if (tellSuccess)
        AppDialogs().ShowMessage(QStringLiteral("Chargement effectué : ..."), QStringLiteral("Succès!"),
                                 MessageIcon::Information);
    return true;
}

// The new size may be smaller than the old: the main view is cleared so
// that cells of the larger old grid do not stay behind.
void TForm1::ShowLoadedSprite()
{
    E_TailleX->setText(QString::number(sprite.width));
    E_TailleY->setText(QString::number(sprite.height));
    ClearSpriteView(I_Principale);
    RedrawBothViews();
    ShowFrameState();
}
