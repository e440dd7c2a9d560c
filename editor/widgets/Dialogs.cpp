#include "Dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>

namespace {

QMessageBox::Icon BoxIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Error:
        break;
    }
    return QMessageBox::Critical;
}

// Qt reads the patterns of a filter from the parenthesis at the end of its
// label, separated by blanks; the windows keep "label|a;b" so that the label
// is shown as written, so the patterns are put back in Qt's form here.
QString QtNameFilter(const QString& filter)
{
    const qsizetype bar = filter.indexOf(u'|');
    if (bar < 0)
        return filter;
    QString label = filter.left(bar);
    label.remove(QRegularExpression(QStringLiteral("\\s*\\([^()]*\\)\\s*$")));
    const QString patterns = filter.mid(bar + 1).split(u';', Qt::SkipEmptyParts).join(u' ');
    return label + QStringLiteral(" (") + patterns + u')';
}

class QtDialogs final : public Dialogs {
public:
    void ShowMessage(const QString& text, const QString& caption, MessageIcon icon) override
    {
        QMessageBox box(BoxIcon(icon), caption, text, QMessageBox::Ok, QApplication::activeWindow());
        box.exec();
    }

    int Ask(const QString& text, const QString& caption, MessageIcon icon, const QStringList& buttons) override
    {
        QMessageBox box(BoxIcon(icon), caption, text, QMessageBox::NoButton, QApplication::activeWindow());
        QList<QAbstractButton*> added;
        for (const QString& label : buttons)
            added.append(box.addButton(label, QMessageBox::ActionRole));
        if (!added.isEmpty()) {
            box.setDefaultButton(static_cast<QPushButton*>(added.constFirst()));
            box.setEscapeButton(added.constLast());
        }
        box.exec();
        const qsizetype chosen = added.indexOf(box.clickedButton());
        return chosen < 0 ? static_cast<int>(buttons.size()) - 1 : static_cast<int>(chosen);
    }

    bool Execute(FileDialogKind kind, FileDialog& dialog) override
    {
        QFileDialog window(QApplication::activeWindow());
        window.setObjectName(dialog.objectName);
        window.setNameFilters(NameFiltersOf(dialog));
        window.setFileMode(kind == FileDialogKind::Folder ? QFileDialog::Directory : QFileDialog::AnyFile);
        window.setOption(QFileDialog::ShowDirsOnly, kind == FileDialogKind::Folder);
        window.setAcceptMode(kind == FileDialogKind::Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        window.setOption(QFileDialog::DontConfirmOverwrite);
        if (!dialog.folder.isEmpty())
            window.setDirectory(dialog.folder);
        if (!dialog.fileName.isEmpty() && QFileInfo(dialog.fileName).absoluteDir().exists())
            window.selectFile(dialog.fileName);
        if (window.exec() != QDialog::Accepted || window.selectedFiles().isEmpty())
            return false;
        dialog.fileName = window.selectedFiles().constFirst();
        return true;
    }
};

QtDialogs qtDialogs;
Dialogs* installed = nullptr;
LastFileFolder lastFolder;

Dialogs& InstalledDialogs()
{
    return installed ? *installed : qtDialogs;
}

// Every file dialog through the dialogs installed, in the one folder.
class SharedFolderDialogs final : public Dialogs {
public:
    void ShowMessage(const QString& text, const QString& caption, MessageIcon icon) override
    {
        InstalledDialogs().ShowMessage(text, caption, icon);
    }

    int Ask(const QString& text, const QString& caption, MessageIcon icon, const QStringList& buttons) override
    {
        return InstalledDialogs().Ask(text, caption, icon, buttons);
    }

    bool Execute(FileDialogKind kind, FileDialog& dialog) override
    {
        if (!lastFolder.folder.isEmpty()) {
            dialog.folder = lastFolder.folder;
            if (!dialog.fileName.isEmpty())
                dialog.fileName = QDir(lastFolder.folder).filePath(QFileInfo(dialog.fileName).fileName());
        }
        if (!InstalledDialogs().Execute(kind, dialog))
            return false;
        lastFolder.Use(dialog.fileName);
        return true;
    }
};

SharedFolderDialogs sharedFolderDialogs;

} // namespace

QStringList NameFiltersOf(const FileDialog& dialog)
{
    QStringList filters;
    for (const QString& filter : {dialog.firstFilter, dialog.filter, dialog.nextFilter, dialog.lastFilter})
        if (!filter.isEmpty())
            filters.append(QtNameFilter(filter));
    return filters;
}

void LastFileFolder::Use(const QString& fileName)
{
    folder = QFileInfo(fileName).absolutePath();
    used = true;
}

LastFileFolder& FileDialogsFolder()
{
    return lastFolder;
}

Dialogs& AppDialogs()
{
    return sharedFolderDialogs;
}

void InstallDialogs(Dialogs* replacement)
{
    installed = replacement;
}

void ShowFailure(const QString& text)
{
    AppDialogs().ShowMessage(text, QStringLiteral("Echec!"), MessageIcon::Warning);
}
