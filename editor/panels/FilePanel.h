// The file habits around the designed save, load and import commands of
// "Enreg/charger": the file being edited and its changed mark in the
// caption, the question before closing or opening would lose changes, the
// file keys (Ctrl+S, Ctrl+Maj+S, Ctrl+O, Ctrl+I, Ctrl+E), the recent files,
// files dropped on the window, and the folders the dialogs open in, with
// their sections "FichiersRecents" and "Dossiers" of the settings file. All
// of them end in the designed commands, with their messages.
#pragma once

#include <QString>

#include "EditorPanel.h"
#include "RecentFiles.h"
#include "SpriteDocument.h"

class QListWidget;
class QUrl;

class FilePanel : public EditorPanel {
public:
    // Built once the sprite has its start size: that is the state the
    // editor starts "unchanged" in. Before the picture panel, whose drops
    // of image files must come first.
    explicit FilePanel(TForm1& form);

    // The file last saved, loaded or imported (empty before any), and
    // whether it is a ".pixo" or ".pixs" file that a save may go straight
    // to; the document keeps the frames as that file holds them.
    QString CurrentFile;
    bool CurrentFileIsNative = false;

    // The file becomes the one being edited, holding what was saved or
    // loaded.
    void RememberFile(const QString& fileName, bool native, SpriteDocument::Saved held);
    void RememberRecentFile(const QString& fileName);
    // Before closing, opening another file, or an import or a pre-shift that
    // takes the place of every frame: true when the changes are saved or given up.
    bool MayClose();
    bool MayOpenInstead(const QString& fileName);
    bool MayImportOver();
    bool MayPreShiftOver();

    // The caption follows every change.
    void ShowChange(const DocumentChange& change) override;
    void ReadSettings(const IniFile& settings) override;
    void WriteSettings(const IniFile& settings) const override;

protected:
    // Drops of files on the window.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ConnectCommandKeys();
    void ShowFileState();
    void ShowRecentFiles();
    void LB_RecentsActivated(int row);
    bool MaySetAside(const QString& beforeWhat);
    void DropFiles(const QList<QUrl>& urls);

    QListWidget* LB_Recents;
    RecentFiles recentFiles;
    QString designedCaption;
};
