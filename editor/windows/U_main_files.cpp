// The commands of the page "Enreg/charger": saving and loading the editor's
// own ".pixo" file and importing a calculator picture. Each asks for a file
// through its dialog, which keeps the last name, and tells the outcome in a
// message box; a refused file changes nothing.
#include <QLineEdit>
#include <QPushButton>

#include "TextEncoding.h"
#include "U_main.h"
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
}

void TForm1::BitBtn5Click()
{
    if (!AppDialogs().Execute(FileDialogKind::Save, SaveDialog1))
        return;
    if (SaveSetIfWanted(SaveDialog1))
        return;
    SaveDialog1.fileName = WithPixoSuffix(SaveDialog1.fileName);
    ShowSaveOutcome(sprite.SaveToFile(FileSystemName(SaveDialog1.fileName)));
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
    LoadSpriteWith(OpenDialog1, LoadNativeFile, QStringLiteral("chargement"), LoadInto::WholeSet);
}

void TForm1::BitBtn9Click()
{
    LoadSpriteWith(OpenDialog2, ChargerImageTI, QStringLiteral("import d'image"));
}

// A refused file leaves the sprite as it was, so it adds no undo step.
void TForm1::LoadSpriteWith(FileDialog& dialog, SpriteReader reader, const QString& stepLabel, LoadInto target)
{
    if (!AppDialogs().Execute(FileDialogKind::Open, dialog))
        return;
    const LoadOutcome outcome = ReadIntoFrames(reader, FileSystemName(dialog.fileName), target, stepLabel);
    if (outcome == LoadOutcome::Explained)
        return;
    if (outcome == LoadOutcome::Refused) {
        ShowFailedLoad();
        return;
    }
    ShowLoadedSprite();
    AppDialogs().ShowMessage(QStringLiteral("Chargement effectué : ..."), QStringLiteral("Succès!"),
                             MessageIcon::Information);
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
