// The file habits around the commands of the page "Enreg/charger": the file
// being edited and its changed mark in the caption, the question before a
// close would lose changes, the keyboard commands, the recent files, files
// dropped on the window, the folders the dialogs open in, and the file
// named on the command line. All of them end in the designed save, load and
// import commands, with their messages.
#include <QApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QShortcut>
#include <QStandardPaths>
#include <QUrl>
#include <functional>
#include <utility>

#include "Controls.h"
#include "TextEncoding.h"
#include "U_main.h"

namespace {

const std::string RecentFilesSection = "FichiersRecents";
const std::string FoldersSection = "Dossiers";

// The settings keys of the folders of OpenDialog1, SaveDialog1, OpenDialog2.
constexpr const char* FolderKeys[] = {"Charger", "Enregistrer", "Importer"};

const QString AcceptedKinds = QStringLiteral(".pixo, .pixs, .89i, .9xi ou .v2i");

void Refuse(const QString& text)
{
    AppDialogs().ShowMessage(text, QStringLiteral("Echec!"), MessageIcon::Warning);
}

QString Quoted(const QString& text)
{
    return QStringLiteral("« %1 »").arg(text);
}

// The user's documents, or the home folder when there is no such folder.
QString DocumentsFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

} // namespace

// Called while the window is built, once the sprite has its start size: that
// is the state the editor starts "unchanged" in.
void TForm1::SetUpFileHabits()
{
    designedCaption = windowTitle();
    savedState.Take(frames.Frames());
    for (FileDialog* dialog : {&OpenDialog1, &SaveDialog1, &OpenDialog2})
        dialog->folder = DocumentsFolder();
    BuildRecentPanel();
    connect(LB_Recents, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        // Opening the file rebuilds the list, so it waits until the list
        // has finished with the item.
        const int row = LB_Recents->row(item);
        QMetaObject::invokeMethod(
            this, [this, row] { LB_RecentsActivated(row); }, Qt::QueuedConnection);
    });
    ConnectCommandKeys();
    setAcceptDrops(true);
}

// Like Ctrl+Z, the keys leave a text being typed alone.
void TForm1::ConnectCommandKeys()
{
    const std::pair<QKeySequence, std::function<void()>> commands[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_S), [this] { SaveSprite(); }},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), [this] { BitBtn5Click(); }},
        {QKeySequence(Qt::CTRL | Qt::Key_O), [this] { BitBtn7Click(); }},
        {QKeySequence(Qt::CTRL | Qt::Key_I), [this] { BitBtn9Click(); }},
        {QKeySequence(Qt::CTRL | Qt::Key_E), [this] { Button1Click(); }},
    };
    for (const auto& [keys, command] : commands) {
        auto* shortcut = new QShortcut(keys, this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, [command] {
            if (!IsTextEditing(QApplication::focusWidget()))
                command();
        });
    }
    BitBtn5->setToolTip(
        QStringLiteral("Enregistrer sous un nom choisi (Ctrl+Maj+S) ; Ctrl+S enregistre dans le fichier ouvert"));
    BitBtn7->setToolTip(QStringLiteral("Charger un fichier .pixo ou .pixs (Ctrl+O)"));
    BitBtn9->setToolTip(QStringLiteral("Importer une image de calculatrice (Ctrl+I)"));
    Button1->setToolTip(QStringLiteral("Exporter avec le plugin choisi (Ctrl+E)"));
}

void TForm1::RememberFile(const QString& fileName, bool native, const std::vector<const Sprite*>& held)
{
    CurrentFile = QFileInfo(fileName).absoluteFilePath();
    CurrentFileIsNative = native;
    savedState.Take(held);
    RememberRecentFile(CurrentFile);
    ProposeExportNames(CurrentFile);
    ShowFileState();
}

void TForm1::RememberRecentFile(const QString& fileName)
{
    recentFiles.Add(FileSystemName(QFileInfo(fileName).absoluteFilePath()));
    ShowRecentFiles();
}

// "balle.pixo* - " before the designed caption while the sprite differs
// from the file; before any file the caption stays the designed one.
void TForm1::ShowFileState()
{
    if (CurrentFile.isEmpty())
        return;
    const QString mark = IsChangedSinceSaved() ? QStringLiteral("*") : QString();
    const QString caption = QFileInfo(CurrentFile).fileName() + mark + QStringLiteral(" - ") + designedCaption;
    if (windowTitle() != caption)
        setWindowTitle(caption);
}

void TForm1::ShowRecentFiles()
{
    LB_Recents->clear();
    for (const std::string& path : recentFiles.Paths()) {
        const QString fileName = QFile::decodeName(QByteArray::fromStdString(path));
        auto* item = new QListWidgetItem(QFileInfo(fileName).fileName(), LB_Recents);
        item->setToolTip(fileName);
    }
}

void TForm1::LB_RecentsActivated(int row)
{
    if (row < 0 || static_cast<size_t>(row) >= recentFiles.Paths().size())
        return;
    const std::string path = recentFiles.Paths()[static_cast<size_t>(row)];
    const QString fileName = QFile::decodeName(QByteArray::fromStdString(path));
    if (!QFileInfo(fileName).isFile()) {
        Refuse(
            QStringLiteral("Le fichier %1 n'existe plus : il est retiré des fichiers récents.").arg(Quoted(fileName)));
        recentFiles.Remove(path);
        ShowRecentFiles();
        return;
    }
    const bool picture = SpriteFileKindOf(path) == SpriteFileKind::CalculatorPicture;
    OpenSpriteFile(fileName, picture ? SpriteFileKind::CalculatorPicture : SpriteFileKind::Native);
}

void TForm1::OpenAtStart(const QString& fileName)
{
    const bool picture = SpriteFileKindOf(FileSystemName(fileName)) == SpriteFileKind::CalculatorPicture;
    OpenSpriteFile(QFileInfo(fileName).absoluteFilePath(),
                   picture ? SpriteFileKind::CalculatorPicture : SpriteFileKind::Native, false);
}

bool TForm1::MayClose()
{
    return MaySetAside(QStringLiteral("avant de quitter"));
}

bool TForm1::MayOpenInstead(const QString& fileName)
{
    return MaySetAside(QStringLiteral("avant d'ouvrir %1").arg(Quoted(QFileInfo(fileName).fileName())));
}

bool TForm1::MayImportOver()
{
    return MaySetAside(QStringLiteral("avant de le remplacer par l'importation"));
}

// "Annuler", Escape and the box's close button keep everything as it was;
// a save that fails or is cancelled keeps it too.
bool TForm1::MaySetAside(const QString& beforeWhat)
{
    if (!IsChangedSinceSaved())
        return true;
    const QString sprite = CurrentFile.isEmpty()
                               ? QStringLiteral("Le sprite")
                               : QStringLiteral("Le sprite %1").arg(Quoted(QFileInfo(CurrentFile).fileName()));
    const QString question = sprite + QStringLiteral(" a été modifié.\nVoulez-vous enregistrer les modifications ") +
                             beforeWhat + QStringLiteral(" ?");
    const QStringList buttons{QStringLiteral("Enregistrer"), QStringLiteral("Ne pas enregistrer"),
                              QStringLiteral("Annuler")};
    switch (AppDialogs().Ask(question, QStringLiteral("Pixora"), MessageIcon::Warning, buttons)) {
    case 0:
        return SaveSprite();
    case 1:
        return true;
    default:
        return false;
    }
}

// Any list of files is taken in, so that what cannot be opened is said
// rather than silently refused by the pointer.
void TForm1::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

// The file is opened once the drop is over: its messages are modal, and the
// program the file came from waits for the drop to end.
void TForm1::dropEvent(QDropEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    event->acceptProposedAction();
    QMetaObject::invokeMethod(
        this, [this, urls] { DropFiles(urls); }, Qt::QueuedConnection);
}

void TForm1::DropFiles(const QList<QUrl>& urls)
{
    if (urls.size() != 1) {
        Refuse(QStringLiteral("Un seul fichier à la fois : déposez un fichier %1.").arg(AcceptedKinds));
        return;
    }
    const QString fileName = urls.constFirst().toLocalFile();
    const QString shownName = fileName.isEmpty() ? urls.constFirst().toDisplayString() : fileName;
    if (QFileInfo(fileName).isDir()) {
        Refuse(QStringLiteral("%1 est un dossier : déposez un fichier %2.").arg(Quoted(shownName), AcceptedKinds));
        return;
    }
    const SpriteFileKind kind =
        fileName.isEmpty() ? SpriteFileKind::Unknown : SpriteFileKindOf(FileSystemName(fileName));
    if (kind == SpriteFileKind::Unknown) {
        Refuse(QStringLiteral("%1 n'est pas un sprite : seuls les fichiers %2 peuvent être déposés ici.")
                   .arg(Quoted(shownName), AcceptedKinds));
        return;
    }
    OpenSpriteFile(QFileInfo(fileName).absoluteFilePath(), kind);
}

// A name the settings hold in bytes that Qt cannot spell back (invalid
// UTF-8 typed by hand) could be shown but never opened, so it is left out.
void TForm1::ReadFileSettings(const IniFile& settings)
{
    recentFiles.Read(settings, RecentFilesSection);
    const std::vector<std::string> read = recentFiles.Paths();
    for (const std::string& path : read)
        if (FileSystemName(QFile::decodeName(QByteArray::fromStdString(path))) != path)
            recentFiles.Remove(path);
    ShowRecentFiles();

    FileDialog* const dialogs[] = {&OpenDialog1, &SaveDialog1, &OpenDialog2};
    for (int k = 0; k < 3; ++k) {
        const std::string stored = settings.ReadString(FoldersSection, FolderKeys[k], std::string());
        const QString folder = QFile::decodeName(QByteArray::fromStdString(stored));
        if (!folder.isEmpty() && QFileInfo(folder).isDir())
            dialogs[k]->folder = folder;
    }
}

// A dialog unused in this run has nothing new to say about its folder: the
// file keeps what it holds, and a first run writes only the designed keys.
void TForm1::WriteFileSettings(const IniFile& settings) const
{
    recentFiles.Write(settings, RecentFilesSection);
    const FileDialog* const dialogs[] = {&OpenDialog1, &SaveDialog1, &OpenDialog2};
    for (int k = 0; k < 3; ++k)
        if (!dialogs[k]->fileName.isEmpty())
            settings.WriteString(FoldersSection, FolderKeys[k],
                                 FileSystemName(QFileInfo(dialogs[k]->fileName).absolutePath()));
}
