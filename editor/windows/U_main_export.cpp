// The plug-in pages: the plug-ins found beside the program at start-up, the
// information text of the one picked on the page "Plugins", and the export
// command of the page "Exporter", which hands the sprite (every frame of a
// set, joined into one file) to the chosen plug-in and may show the written
// file in the export window.
//
// Plug-in texts, and the sprite name handed to a plug-in, are Windows-1252
// bytes; file names are spelled as the file system spells them.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <filesystem>

#include "AtomicFile.h"
#include "CIdentifier.h"
#include "EditorError.h"
#include "PluginFolders.h"
#include "PluginFrames.h"
#include "PluginHost.h"
#include "TextEncoding.h"
#include "U_export.h"
#include "U_main.h"

namespace {

void ShowPluginError(const QString& text)
{
    AppDialogs().ShowMessage(text, QStringLiteral("Erreur"), MessageIcon::Warning);
}

void WarnInvalidPlugin(const std::string& fileName)
{
    ShowPluginError(QStringLiteral("Plugin <") + QFile::decodeName(fileName.c_str()) + QStringLiteral("> non valide!") +
                    QStringLiteral("\nIl est donc ignoré par le programme"));
}

void ShowFailedBind()
{
    ShowPluginError(QStringLiteral("Le chargement de la fonction d'enregistrement dans la DLL a échoué!"));
}

void ShowExportResult(ExportResult result, const QString& fileName)
{
    switch (result) {
    case ExportResult::Written:
        AppDialogs().ShowMessage(QStringLiteral("Exportation réussie dans ") + u'"' + fileName + u'"',
                                 QStringLiteral("Succès"), MessageIcon::Information);
        return;
    case ExportResult::Refused:
        ShowPluginError(QStringLiteral("Erreur de la procédure d'enregistrement par la fonction de la DLL\n"
                                       " Voir message d'erreur dans le fichier"));
        return;
    case ExportResult::NoWriteFunction:
        ShowFailedBind();
        return;
    }
}

// The plug-ins paste the name into their C text as it is: a name that is no
// C identifier gives C that does not compile. The user may mean it (a macro
// of theirs, a text to edit afterwards), so the export goes on when asked to.
bool ConfirmSpriteName(const QString& name)
{
    const std::string why = WhyNotCIdentifier(name.toStdString());
    if (why.empty())
        return true;
    const QString text = QStringLiteral("Le nom de sprite « ") + name +
                         QStringLiteral(" » n'est pas un identificateur C : ") + QString::fromStdString(why) +
                         QStringLiteral(".\nLe code exporté ne se compilera pas tel quel.\n\nExporter quand même ?");
    const int chosen = AppDialogs().Ask(text, QStringLiteral("Attention"), MessageIcon::Warning,
                                        {QStringLiteral("Exporter"), QStringLiteral("Annuler")});
    return chosen == 0;
}

} // namespace

// The file "balle.h" and the arrays "balle" for "balle.pixo", as
// pixora-export names them.
void TForm1::ProposeExportNames(const QString& fileName)
{
    const std::string path = FileSystemName(fileName);
    Edit1->setText(QFile::decodeName(std::filesystem::path(path).stem().string().c_str()) + QStringLiteral(".h"));
    Edit2->setText(QString::fromStdString(DefaultSpriteName(path)));
}

QString TForm1::ExportFolder() const
{
    return Paths.exportFolder;
}

// Runs once, while the main window is built: warnings about libraries that
// are no plug-ins come before the window shows.
void TForm1::LoadPlugins()
{
    ComboBox1->clear();
    const PluginScan scan = ScanPluginFolders(Paths.pluginFolders);
    for (const std::string& invalid : scan.invalidFiles)
        WarnInvalidPlugin(invalid);
    for (const std::string& fileName : scan.fileNames)
        LB_Plugins->addItem(QFile::decodeName(fileName.c_str()));
    for (const std::string& displayName : scan.displayNames)
        ComboBox1->addItem(FromWindows1252(displayName));
    PluginFiles = scan.paths;

    if (LB_Plugins->count() > 0)
        LB_Plugins->setCurrentRow(0);
    LB_PluginsClick();
    if (ComboBox1->count() > 0)
        ComboBox1->setCurrentIndex(0);

    connect(LB_Plugins, &QListWidget::itemSelectionChanged, this, &TForm1::LB_PluginsClick);
    connect(Button1, &QPushButton::clicked, this, &TForm1::Button1Click);
}

// The list's entries and the plug-in file list are in the same order, so the
// selected row's path is its library's.
void TForm1::LB_PluginsClick()
{
    const QList<QListWidgetItem*> selected = LB_Plugins->selectedItems();
    if (selected.isEmpty())
        return;
    std::string text;
    if (PluginInfoText(PluginFiles[LB_Plugins->row(selected.constFirst())], text))
        Memo1->setPlainText(TextBoxText(text));
}

void TForm1::Button1Click()
{
    const int choice = ComboBox1->currentIndex();
    if (choice < 0 || choice >= static_cast<int>(PluginFiles.size())) {
        ShowFailedBind();
        return;
    }
    if (!ConfirmSpriteName(Edit2->text()))
        return;
    // The sizes are read before the library is loaded: one that is no
    // number stops the export before a plug-in runs or a folder is made.
    const QString fileName = ExportFolder() + Edit1->text();
    const int width = StrToInt(E_TailleX->text());
    const int height = StrToInt(E_TailleY->text());
    // The per-user export folder's parents ("Pixora/" in the documents
    // folder) are made here; the host makes the last level.
    if (Paths.perUser)
        QDir().mkpath(QFileInfo(QDir::cleanPath(ExportFolder())).path());
    KeptExport outcome;
    if (document.Frames().Count() > 1) {
        outcome = ExportAllFrames(PluginFiles[choice], FileSystemName(fileName),
                                  ToWindows1252(Edit2->text()).toStdString(), height, width);
    } else {
        SpritePlanes planes;
        BuildPlanes(sprite, planes);
        outcome = ExportKeepingPrevious(PluginFiles[choice], FileSystemName(fileName),
                                        ToWindows1252(Edit2->text()).toStdString(), sprite.GetType(), planes, height,
                                        width, FileSystemName(ExportFolder()));
    }
    ShowExportResult(outcome.result, fileName);
    if (outcome.result == ExportResult::NoWriteFunction || !CB_OuvrirFenetre->isChecked() || !Form2)
        return;
    // The previous file is kept: a refusal's explanation is shown from where
    // the plug-in wrote it, under the name of the file it was meant for.
    if (outcome.explanation)
        Form2->ShowText(*outcome.explanation, fileName);
    else
        Form2->ShowFile(fileName);
}

// The frames are written into a scratch file one by one; the output is
// replaced only when every frame was written.
KeptExport TForm1::ExportAllFrames(const std::string& libraryPath, const std::string& fileName,
                                   const std::string& spriteName, int height, int width)
{
    JoinedExport joined = ExportFrames(document.Frames().Frames(), spriteName,
                                       PluginFrameWriter(libraryPath, height, width, FileSystemName(ExportFolder())));
    switch (joined.result) {
    case FrameWrite::NoWriter:
        return {};
    case FrameWrite::Refused:
        return {ExportResult::Refused, std::move(joined.text)};
    case FrameWrite::Written:
        break;
    }
    if (WriteFileAtomically(fileName, joined.text))
        return {ExportResult::Refused, std::nullopt};
    return {ExportResult::Written, std::nullopt};
}
