// The file habits around the designed save, load and import commands of
// "Enreg/charger": the document's name and its changed mark in the
// caption, "Nouveau", the file keys (Ctrl+N, Ctrl+S, Ctrl+Maj+S, Ctrl+O,
// Ctrl+I, Ctrl+E), the recent files, files dropped on the window, and the
// folder the file dialogs open in, with their sections "FichiersRecents"
// and "Dossiers" of the settings file. What each of them opens, saves or
// replaces, and the questions first, are the document manager's
// (DocumentManager.h).
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
    explicit FilePanel(EditorContext& editor);

    void RememberRecentFile(const QString& fileName);
    // "balle.pixo* - " before the designed caption while the document
    // differs from its file; "planche (importé)" for an import, "*" alone
    // for a new document changed, the designed caption alone for a new
    // one unchanged.
    void ShowFileState();

    // The caption follows every change.
    void ShowChange(const DocumentChange& change) override;
    void ReadSettings(const IniFile& settings) override;
    void WriteSettings(const IniFile& settings) const override;

protected:
    // Drops of files on the window.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ConnectCommandKeys();
    void ShowRecentFiles();
    void LB_RecentsActivated(int row);
    void DropFiles(const QList<QUrl>& urls);

    QListWidget* LB_Recents;
    RecentFiles recentFiles;
    QString designedCaption;
};
