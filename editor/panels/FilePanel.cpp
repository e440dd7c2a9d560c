#include "FilePanel.h"

#include <QApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QStandardPaths>
#include <QUrl>

#include "Controls.h"
#include "Dialogs.h"
#include "DocumentManager.h"
#include "DocumentQuestions.h"
#include "EditorContext.h"
#include "FormLayout.h"
#include "MapFile.h"
#include "TextEncoding.h"

namespace {

const std::string RecentFilesSection = "FichiersRecents";
const std::string FoldersSection = "Dossiers";

// The settings key of the one folder of the file dialogs.
const std::string FolderKey = "Dernier";
// The keys of the folders each dialog kept before there was one for all
// (OpenDialog1, SaveDialog1, OpenDialog2), read when the file has no
// FolderKey yet: the save folder first, where the user's sprites are.
constexpr const char* FormerFolderKeys[] = {"Enregistrer", "Charger", "Importer"};

const QString AcceptedKinds = QStringLiteral(".pixo, .pixs, .pixm, .89i, .9xi ou .v2i");
const QString EveryPixoraFile = QStringLiteral(
    "Tous les fichiers de Pixora (*.pixo *.pixs *.pixm *.89i *.9xi *.v2i)|*.pixo;*.pixs;*.pixm;*.89i;*.9xi;*.v2i");
const QString MapFiles = QStringLiteral("Cartes (*.pixm)|*.pixm");

// The user's documents, or the home folder when there is no such folder.
QString DocumentsFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

} // namespace

// Below the two designed panels of "Enreg/charger", above the import buttons
// and the sheet slicing.
FilePanel::FilePanel(EditorContext& editor) : EditorPanel(editor)
{
    designedCaption = editor.Window().windowTitle();
    editor.Document().MarkSaved(SpriteDocument::Saved::WholeSet);
    FileDialogsFolder() = {DocumentsFolder(), false};
    editor.Designed().openDialog->firstFilter = EveryPixoraFile;
    editor.Designed().openDialog->lastFilter = MapFiles;

    // Ends above "Importer d'un dossier...".
    QFrame* recents = Panel(editor.Page(EditorPage::Files), "P_Recents", 8, 234, 273, 76);
    Heading(recents, "L_Recents", QStringLiteral("Fichiers récents"), 273);
    // No letter of its own: Alt+N is the designed "&NewAll"'s.
    auto* newButton = Place(new QPushButton(QStringLiteral("Nouveau"), recents), "B_Nouveau", 197, 3, 68, 20);
    newButton->setToolTip(QStringLiteral("Nouveau sprite blanc de la même taille (Ctrl+N)"));
    connect(newButton, &QPushButton::clicked, this, [this] { this->editor.Documents().New(); });
    LB_Recents = Place(new QListWidget(recents), "LB_Recents", 8, 26, 257, 42);
    LB_Recents->setToolTip(QStringLiteral("Double-cliquer sur un fichier pour le charger"));
    connect(LB_Recents, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        // Opening the file rebuilds the list, so it waits until the list
        // has finished with the item.
        const int row = LB_Recents->row(item);
        QMetaObject::invokeMethod(
            this, [this, row] { LB_RecentsActivated(row); }, Qt::QueuedConnection);
    });
    ConnectCommandKeys();
    editor.Window().setAcceptDrops(true);
    editor.Window().installEventFilter(this);
}

// Like Ctrl+Z, the keys leave a text being typed alone.
void FilePanel::ConnectCommandKeys()
{
    const std::pair<QKeySequence, std::function<void()>> commands[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_N), [this] { editor.Documents().New(); }},
        {QKeySequence(Qt::CTRL | Qt::Key_S), [this] { editor.Documents().Save(); }},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), [this] { editor.Save(); }},
        {QKeySequence(Qt::CTRL | Qt::Key_O), [this] { editor.Load(); }},
        {QKeySequence(Qt::CTRL | Qt::Key_I), [this] { editor.ImportPicture(); }},
        {QKeySequence(Qt::CTRL | Qt::Key_E), [this] { editor.ExportWithPlugin(); }},
    };
    for (const auto& [keys, command] : commands)
        AddCommandKeys(&editor.Window(), {keys}, command);
    editor.Designed().save->setToolTip(
        QStringLiteral("Enregistrer sous un nom choisi (Ctrl+Maj+S) ; Ctrl+S enregistre dans le fichier ouvert"));
    editor.Designed().load->setToolTip(QStringLiteral("Charger un fichier de Pixora (Ctrl+O)"));
    editor.Designed().importPicture->setToolTip(QStringLiteral("Importer une image de calculatrice (Ctrl+I)"));
    editor.Designed().exportWithPlugin->setToolTip(QStringLiteral("Exporter avec le plugin choisi (Ctrl+E)"));
}

void FilePanel::ShowChange(const DocumentChange&)
{
    ShowFileState();
}

// Any list of files is taken in, so that what cannot be opened is said
// rather than silently refused by the pointer. The file is opened once the
// drop is over: its messages are modal, and the program the file came from
// waits for the drop to end.
bool FilePanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != &editor.Window())
        return false;
    if (event->type() == QEvent::DragEnter) {
        auto* drag = static_cast<QDragEnterEvent*>(event);
        if (!drag->mimeData()->hasUrls())
            return false;
        drag->acceptProposedAction();
        return true;
    }
    if (event->type() == QEvent::Drop) {
        auto* drop = static_cast<QDropEvent*>(event);
        const QList<QUrl> urls = drop->mimeData()->urls();
        drop->acceptProposedAction();
        QMetaObject::invokeMethod(
            this, [this, urls] { DropFiles(urls); }, Qt::QueuedConnection);
        return true;
    }
    return false;
}

void FilePanel::RememberRecentFile(const QString& fileName)
{
    recentFiles.Add(FileSystemName(QFileInfo(fileName).absoluteFilePath()));
    ShowRecentFiles();
}

void FilePanel::ShowFileState()
{
    const QString name = QFile::decodeName(QByteArray::fromStdString(editor.Document().CaptionName()));
    const QString caption = name.isEmpty() ? designedCaption : name + QStringLiteral(" - ") + designedCaption;
    if (editor.Window().windowTitle() != caption)
        editor.Window().setWindowTitle(caption);
}

void FilePanel::ShowRecentFiles()
{
    LB_Recents->clear();
    for (const std::string& path : recentFiles.Paths()) {
        const QString fileName = QFile::decodeName(QByteArray::fromStdString(path));
        auto* item = new QListWidgetItem(QFileInfo(fileName).fileName(), LB_Recents);
        item->setToolTip(fileName);
    }
}

void FilePanel::LB_RecentsActivated(int row)
{
    if (row < 0 || static_cast<size_t>(row) >= recentFiles.Paths().size())
        return;
    const std::string path = recentFiles.Paths()[static_cast<size_t>(row)];
    const QString fileName = QFile::decodeName(QByteArray::fromStdString(path));
    if (!QFileInfo(fileName).isFile()) {
        ShowFailure(
            QStringLiteral("Le fichier %1 n'existe plus : il est retiré des fichiers récents.").arg(Quoted(fileName)));
        recentFiles.Remove(path);
        ShowRecentFiles();
        return;
    }
    editor.Documents().Open(fileName, DocumentManager::Way::Opened);
}

void FilePanel::DropFiles(const QList<QUrl>& urls)
{
    if (urls.size() != 1) {
        ShowFailure(QStringLiteral("Un seul fichier à la fois : déposez un fichier %1.").arg(AcceptedKinds));
        return;
    }
    const QString fileName = urls.constFirst().toLocalFile();
    const QString shownName = fileName.isEmpty() ? urls.constFirst().toDisplayString() : fileName;
    if (QFileInfo(fileName).isDir()) {
        ShowFailure(QStringLiteral("%1 est un dossier : déposez un fichier %2.").arg(Quoted(shownName), AcceptedKinds));
        return;
    }
    const SpriteFileKind kind =
        fileName.isEmpty() ? SpriteFileKind::Unknown : SpriteFileKindOf(FileSystemName(fileName));
    if (kind == SpriteFileKind::Unknown && !IsTileMapFileName(FileSystemName(fileName))) {
        ShowFailure(QStringLiteral("%1 n'est pas un sprite : seuls les fichiers %2 peuvent être déposés ici.")
                        .arg(Quoted(shownName), AcceptedKinds));
        return;
    }
    // A picture dropped is imported as its command imports it; a map opens
    // in its window.
    editor.Documents().Open(QFileInfo(fileName).absoluteFilePath(), kind == SpriteFileKind::CalculatorPicture
                                                                        ? DocumentManager::Way::Imported
                                                                        : DocumentManager::Way::Opened);
}

// A name the settings hold in bytes that Qt cannot spell back (invalid
// UTF-8 typed by hand) could be shown but never opened, so it is left out.
void FilePanel::ReadSettings(const IniFile& settings)
{
    recentFiles.Read(settings, RecentFilesSection);
    const std::vector<std::string> read = recentFiles.Paths();
    for (const std::string& path : read)
        if (FileSystemName(QFile::decodeName(QByteArray::fromStdString(path))) != path)
            recentFiles.Remove(path);
    ShowRecentFiles();

    std::vector<std::string> keys{FolderKey};
    keys.insert(keys.end(), std::begin(FormerFolderKeys), std::end(FormerFolderKeys));
    for (const std::string& key : keys) {
        const std::string stored = settings.ReadString(FoldersSection, key, std::string());
        const QString folder = QFile::decodeName(QByteArray::fromStdString(stored));
        if (!folder.isEmpty() && QFileInfo(folder).isDir()) {
            FileDialogsFolder().folder = folder;
            return;
        }
    }
}

// With no file used in this run there is nothing new to say about the
// folder: the file keeps what it holds, and a first run writes only the
// designed keys. The former keys stay as they are.
void FilePanel::WriteSettings(const IniFile& settings) const
{
    recentFiles.Write(settings, RecentFilesSection);
    if (FileDialogsFolder().used)
        settings.WriteString(FoldersSection, FolderKey, FileSystemName(FileDialogsFolder().folder));
}
