// What every kind of document the editor opens has beside its content: the
// file it belongs to, or none, whether a save may go straight back to that
// file, the name it shows, and the questions a window asks of it before
// its content could be lost (changed since saved, what undo and redo
// would do). The content, its saved state and its history are the kind's.
//
// A document is untitled until it is saved or opened from a file of its
// own kind: a new one has no name, one made by an import is named after
// what was imported ("planche (importé)"), so that a save never goes to a
// file the user did not choose.
#pragma once

#include <string>

class Document {
public:
    virtual ~Document() = default;

    // The file's path, empty while untitled.
    const std::string& FilePath() const { return filePath_; }
    bool IsUntitled() const { return filePath_.empty(); }
    // A file of the document's own format, which a save may write quietly.
    bool SavesInPlace() const { return !filePath_.empty() && savesInPlace_; }

    // The document now belongs to that file, as saved or opened.
    void AttachFile(const std::string& path, bool savesInPlace);
    // The document is untitled: new (importedName empty) or made by
    // importing what importedName names.
    void Detach(const std::string& importedName = std::string());

    // "balle.pixo", "planche (importé)", or empty for a new document.
    std::string DisplayName() const;
    // The display name with "*" after it while changed since saved: what a
    // caption shows of the document, empty for a new unchanged one.
    std::string CaptionName() const;
    // The name a first save proposes, without extension: the file's or the
    // import's, empty for a new document.
    std::string ProposedName() const;

    virtual bool IsChangedSinceSaved() const = 0;
    virtual bool CanUndo() const = 0;
    virtual bool CanRedo() const = 0;
    virtual std::string UndoLabel() const = 0;
    virtual std::string RedoLabel() const = 0;

private:
    std::string filePath_;
    bool savesInPlace_ = false;
    std::string importedName_;
};

// The file name of a path without its folder and its last extension:
// "/a/b/planche.png" gives "planche".
std::string StemOfPath(const std::string& path);
