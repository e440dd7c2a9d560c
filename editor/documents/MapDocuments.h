// The tile map's place in the editor, beside the sprite's: DocumentManager
// hands it every ".pixm" file, however the file comes (the open dialog, the
// recent files, a drop, the command line), and it owns the one map being
// edited and the "Carte" window that shows it. Whatever would replace a
// changed map, or close its window, asks first, as for sprites
// ("Enregistrer" / "Ne pas enregistrer" / "Annuler"). A map made here (new,
// or of the sprite set's frames) is untitled, so that its first save asks
// for a name.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>
#include <vector>

#include "Dialogs.h"
#include "MapDocument.h"

class MapWindow;
class TForm1;

class MapDocuments : public QObject {
public:
    explicit MapDocuments(TForm1& form);
    ~MapDocuments() override;

    // The window, in front, with a new map when none is open.
    void ShowWindow();
    MapWindow* Window();
    // The map being edited, or nullptr before the first is shown.
    MapDocument* Document() const { return document_.get(); }

    // The file in place of the map, after the question; false when it was
    // kept or the file refused (with a message).
    bool Open(const QString& fileName);
    // A new map of the set's frames as tiles, 16 x 16 cells of the first.
    void NewOfFrames(const std::vector<const Sprite*>& frames, const std::string& setName);
    // A map read from elsewhere (a program's arrays), untitled and named
    // after what it was read from, after the question.
    void OpenImported(TileMap map, const std::string& importedName);
    // "Importer une image..." of the window: the picture of a level chosen,
    // converted and cut into cells as the image import does
    // (ImageImportDialog), equal cells one tile, opened as imported.
    void ImportPicture();

    // Ctrl+S: into the map's own file, else as SaveAs. True when written.
    bool Save();
    bool SaveAs();

    // "Grille" of the window, kept in the settings file: given before the
    // window exists, it is the window's when built.
    bool GridShown() const;
    void ShowGrid(bool shown);

    // Before the main window closes: true when nothing would be lost.
    bool MayClose();
    // The window is asked to close: true when it may; a map given up then
    // makes way for a new one.
    bool MayCloseWindow();

private:
    bool MaySetAside(const QString& beforeWhat);
    // The untitled map in place of the one edited, after the question.
    void ShowUntitled(TileMap map, const std::string& name, const QString& beforeWhat);
    void Replace(std::unique_ptr<MapDocument> document);
    bool SaveTo(const QString& fileName);
    void FileUsed(const QString& fileName);

    TForm1& form_;
    std::unique_ptr<MapDocument> document_;
    QPointer<MapWindow> window_;
    FileDialog dialog_;
    FileDialog pictureDialog_;
    bool gridShown_ = true;
};
