// The one owner of the document's place in the editor: every command that
// puts another document where the one being edited stands ("Nouveau", every
// way of opening a file, the imports that replace the whole document) and
// every command that writes it (Ctrl+S, the save command and its dialog).
// Whatever would replace what the editor holds, or write less than it
// holds, asks first, as closing does, so that no drawing is lost. A document
// made by "Nouveau" or by an import is untitled (Document.h), so that its
// first save asks for a name and never writes over the file edited before.
// The designed commands keep their texts and messages ("Succès!",
// "Echec!"); the window and the panels only call in here.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <optional>

#include "LoadCommands.h"
#include "sprite_file_kind.h"

class MapDocuments;
class TForm1;
struct FileDialog;

class DocumentManager : public QObject {
public:
    explicit DocumentManager(TForm1& form);

    // How a file reaches the editor. Opened (the open dialog, the recent
    // files, the command line, a ".pixo" or ".pixs" dropped): the file
    // becomes the document, a calculator picture as an untitled one named
    // after it; a tile map (".pixm"), opened or imported, becomes the map of
    // the "Carte" window instead (MapDocuments). Imported (the picture import command, a picture dropped):
    // the picture goes into the frame being edited of a set of several
    // frames, or is cut into frames when slicing is on; otherwise as opened.
    enum class Way { Opened, Imported };

    // "Nouveau": one white, unmasked frame of the current size, untitled.
    void New();
    // The designed "&Charger" and "C&harger (*.89i ; *.9xi ; *.v2i)": the
    // dialog, then the file as opened or imported.
    void OpenWithDialog(SpriteFileKind kind);
    // True when the file was read. The designed success message only when
    // tellSuccess; a refused file leaves everything as it was.
    bool Open(const QString& fileName, Way way, bool tellSuccess = true);
    // import puts what was imported in place of the whole document and says
    // whether it did; the document is then untitled, named importedName.
    bool ImportAsNew(const QString& importedName, const std::function<bool()>& import);

    // Before a picture of that size goes into the frame being edited: true
    // when it resizes no other frame of the set, or the user accepts that it
    // does.
    bool MayResizeFramesTo(Point pictureSize);
    // Before closing, and before the pre-shift that replaces every frame.
    bool MayClose();
    bool MayPreShiftOver();

    // Ctrl+S and the question's "Enregistrer": quietly into the document's
    // own ".pixo" or ".pixs" file (a set of several frames into a ".pixo"
    // asks first, as the save command does), else as SaveAs. True when
    // written.
    bool Save();
    // The save command: into a file chosen in the save dialog.
    bool SaveAs();

    // The document's file, empty while untitled.
    QString CurrentFile() const;

    // The tile map being edited beside the sprite, and its window.
    MapDocuments& Maps() { return *maps; }

private:
    enum class SetSaving { WholeSet, CurrentFrame, Cancelled };

    bool MaySetAside(const QString& beforeWhat);
    // Reads the file in place of the document, after the question; nothing
    // when the user kept the document.
    std::optional<LoadResult> ReadAsDocument(const QString& fileName, bool picture, bool slice);
    // A picture into the frame being edited, after the resize question.
    std::optional<LoadResult> ReadIntoEditedFrame(const QString& fileName);
    void FileUsed(const QString& fileName);
    // How a calculator picture is read: alone, or with its dark plane beside
    // it when the user asks so.
    SpriteReader PictureReaderFor(const QString& fileName);

    bool SaveTo(const QString& fileName, bool tellSuccess = true);
    std::optional<bool> SaveSetIfWanted(FileDialog& dialog);
    SetSaving AskHowToSaveSet();
    // The caption and what follows the document's name.
    void ShowIdentity();

    TForm1& form;
    MapDocuments* maps;
};
