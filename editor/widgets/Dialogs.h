// The one way the editor talks to the user modally: every message box and
// every file dialog goes through the Dialogs installed here. The program uses
// the Qt dialogs; tests install a scripted Dialogs that answers at once and
// records what was asked, so no modal window ever blocks them.
#pragma once

#include <QString>
#include <QStringList>

enum class MessageIcon { Information, Warning, Error };

// Folder chooses a folder; its fileName is the folder's path, and it has no
// filter.
enum class FileDialogKind { Open, Save, Folder };

// A file dialog as a window keeps it between uses: its name, its filter in
// "label|pattern;pattern" form, and the last file name chosen. It opens on
// that file, or in the folder given when there is none (or its folder is
// gone), never in the working directory.
struct FileDialog {
    QString objectName;
    QString filter;
    QString fileName;
    QString folder = QString();
    // One more "label|pattern" entry offered after filter, or empty.
    QString nextFilter = {};
    // An entry offered first, before filter, or empty.
    QString firstFilter = {};
    // An entry offered last, after nextFilter, or empty.
    QString lastFilter = {};
};

// The dialog's filters in the order offered, in Qt's "label (*.a *.b)" form.
QStringList NameFiltersOf(const FileDialog& dialog);

// The one folder every file dialog opens in: the folder of the file last
// chosen in any of them, or last opened or saved by any other way. A
// dialog's last file name is offered in that folder.
struct LastFileFolder {
    QString folder;
    // A file was chosen or used since the folder was set.
    bool used = false;

    // The folder of that file becomes the one.
    void Use(const QString& fileName);
};
LastFileFolder& FileDialogsFolder();

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A modal box with one OK button, owned by the application.
    virtual void ShowMessage(const QString& text, const QString& caption, MessageIcon icon) = 0;
    // A modal question with the buttons given, left to right; the first one
    // is the default (Enter), the last one the answer of Escape and of the
    // box's close button. Returns the index of the button chosen.
    virtual int Ask(const QString& text, const QString& caption, MessageIcon icon, const QStringList& buttons) = 0;
    // False when the user cancels; otherwise dialog.fileName holds the choice.
    virtual bool Execute(FileDialogKind kind, FileDialog& dialog) = 0;
};

// The dialogs in use: the Qt ones unless a replacement is installed, every
// file dialog opening in FileDialogsFolder().
Dialogs& AppDialogs();
// Installs a replacement that the caller keeps alive; nullptr restores Qt's.
void InstallDialogs(Dialogs* replacement);

// What a failed command tells: the text in a warning box captioned "Echec!".
void ShowFailure(const QString& text);
