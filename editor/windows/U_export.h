// The export window: shows the text of a file that an export has just
// written, so the user reads the generated C text or a plug-in's refusal
// without leaving the editor. It holds nothing but its window and its text
// box; what the box shows is never saved. Closing it only hides it.
#pragma once

#include <QWidget>
#include <string>

class QPlainTextEdit;
class TForm2;

// The window that asks for files to be shown: the export window tells it
// when it comes and goes, and reads nothing of it.
class ExportWindowOwner {
public:
    // The export window while it exists, null once it is gone.
    virtual void SetExportWindow(TForm2* window) = 0;

protected:
    ~ExportWindowOwner() = default;
};

class TForm2 : public QWidget {
    Q_OBJECT
public:
    explicit TForm2(ExportWindowOwner& owner);
    ~TForm2() override;

    QPlainTextEdit* Memo1;

    // Shows the file's Windows-1252 text under its full name as the caption,
    // without blocking the main window, in front but without taking the
    // keyboard from the main window; a window already shown keeps its place
    // and size. A file that cannot be read raises an
    // EditorError and leaves the window as it was.
    void ShowFile(const QString& fullFileName);
    // Shows Windows-1252 text that is not, or no longer, in a file (a
    // plug-in's refusal, read from its scratch file) under that caption.
    void ShowText(const std::string& windows1252Text, const QString& caption);

private:
    ExportWindowOwner& owner_;
};
