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
#include "FormLayout.h"
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

// Below the two designed panels of "Enreg/charger", above the import buttons
// and the sheet slicing.
FilePanel::FilePanel(TForm1& form) : EditorPanel(form)
{
    designedCaption = form.windowTitle();
    form.document.MarkSaved(SpriteDocument::Saved::WholeSet);
    for (FileDialog* dialog : {&form.OpenDialog1, &form.SaveDialog1, &form.OpenDialog2})
        dialog->folder = DocumentsFolder();

    QFrame* recents = Panel(form.TabSheet2, "P_Recents", 8, 234, 273, 108);
    Heading(recents, "L_Recents", QStringLiteral("Fichiers récents"), 273);
    LB_Recents = Place(new QListWidget(recents), "LB_Recents", 8, 26, 257, 74);
    LB_Recents->setToolTip(QStringLiteral("Double-cliquer sur un fichier pour le charger"));
    connect(LB_Recents, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        // Opening the file rebuilds the list, so it waits until the list
        // has finished with the item.
        const int row = LB_Recents->row(item);
        QMetaObject::invokeMethod(
            this, [this, row] { LB_RecentsActivated(row); }, Qt::QueuedConnection);
    });
    ConnectCommandKeys();
    form.setAcceptDrops(true);
    form.installEventFilter(this);
}

// Like Ctrl+Z, the keys leave a text being typed alone.
void FilePanel::ConnectCommandKeys()
{
    const std::pair<QKeySequence, std::function<void()>> commands[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_S), [this] { form.SaveSprite(); }},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), [this] { form.BitBtn5Click(); }},
        {QKeySequence(Qt::CTRL | Qt::Key_O), [this] { form.BitBtn7Click(); }},
        {QKeySequence(Qt::CTRL | Qt::Key_I), [this] { form.BitBtn9Click(); }},
        {QKeySequence(Qt::CTRL | Qt::Key_E), [this] { form.Button1Click(); }},
    };
    for (const auto& [keys, command] : commands)
        AddCommandKeys(&form, {keys}, command);
    form.BitBtn5->setToolTip(
        QStringLiteral("Enregistrer sous un nom choisi (Ctrl+Maj+S) ; Ctrl+S enregistre dans le fichier ouvert"));
    form.BitBtn7->setToolTip(QStringLiteral("Charger un fichier .pixo ou .pixs (Ctrl+O)"));
    form.BitBtn9->setToolTip(QStringLiteral("Importer une image de calculatrice (Ctrl+I)"));
    form.Button1->setToolTip(QStringLiteral("Exporter avec le plugin choisi (Ctrl+E)"));
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
    if (watched != &form)
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

void FilePanel::RememberFile(const QString& fileName, bool native, SpriteDocument::Saved held)
{
    CurrentFile = QFileInfo(fileName).absoluteFilePath();
    CurrentFileIsNative = native;
    form.document.MarkSaved(held);
    RememberRecentFile(CurrentFile);
    form.ProposeExportNames(CurrentFile);
    ShowFileState();
}

void FilePanel::RememberRecentFile(const QString& fileName)
{
    recentFiles.Add(FileSystemName(QFileInfo(fileName).absoluteFilePath()));
    ShowRecentFiles();
}

// "balle.pixo* - " before the designed caption while the sprite differs
// from the file; before any file the caption stays the designed one.
void FilePanel::ShowFileState()
{
    if (CurrentFile.isEmpty())
        return;
    const QString mark = form.IsChangedSinceSaved() ? QStringLiteral("*") : QString();
    const QString caption = QFileInfo(CurrentFile).fileName() + mark + QStringLiteral(" - ") + designedCaption;
    if (form.windowTitle() != caption)
        form.setWindowTitle(caption);
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
        Refuse(
            QStringLiteral("Le fichier %1 n'existe plus : il est retiré des fichiers récents.").arg(Quoted(fileName)));
        recentFiles.Remove(path);
        ShowRecentFiles();
        return;
    }
    const bool picture = SpriteFileKindOf(path) == SpriteFileKind::CalculatorPicture;
    form.OpenSpriteFile(fileName, picture ? SpriteFileKind::CalculatorPicture : SpriteFileKind::Native);
}

bool FilePanel::MayClose()
{
    return MaySetAside(QStringLiteral("avant de quitter"));
}

bool FilePanel::MayOpenInstead(const QString& fileName)
{
    return MaySetAside(QStringLiteral("avant d'ouvrir %1").arg(Quoted(QFileInfo(fileName).fileName())));
}

bool FilePanel::MayImportOver()
{
    return MaySetAside(QStringLiteral("avant de le remplacer par l'importation"));
}

bool FilePanel::MayPreShiftOver()
{
    return MaySetAside(QStringLiteral("avant de remplacer la planche par les 8 images décalées"));
}

// "Annuler", Escape and the box's close button keep everything as it was;
// a save that fails or is cancelled keeps it too.
bool FilePanel::MaySetAside(const QString& beforeWhat)
{
    if (!form.IsChangedSinceSaved())
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
        return form.SaveSprite();
    case 1:
        return true;
    default:
        return false;
    }
}

void FilePanel::DropFiles(const QList<QUrl>& urls)
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
    form.OpenSpriteFile(QFileInfo(fileName).absoluteFilePath(), kind);
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

    FileDialog* const dialogs[] = {&form.OpenDialog1, &form.SaveDialog1, &form.OpenDialog2};
    for (int k = 0; k < 3; ++k) {
        const std::string stored = settings.ReadString(FoldersSection, FolderKeys[k], std::string());
        const QString folder = QFile::decodeName(QByteArray::fromStdString(stored));
        if (!folder.isEmpty() && QFileInfo(folder).isDir())
            dialogs[k]->folder = folder;
    }
}

// A dialog unused in this run has nothing new to say about its folder: the
// file keeps what it holds, and a first run writes only the designed keys.
void FilePanel::WriteSettings(const IniFile& settings) const
{
    recentFiles.Write(settings, RecentFilesSection);
    const FileDialog* const dialogs[] = {&form.OpenDialog1, &form.SaveDialog1, &form.OpenDialog2};
    for (int k = 0; k < 3; ++k)
        if (!dialogs[k]->fileName.isEmpty())
            settings.WriteString(FoldersSection, FolderKeys[k],
                                 FileSystemName(QFileInfo(dialogs[k]->fileName).absolutePath()));
}
