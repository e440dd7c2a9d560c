// A feature added beside the design, as one piece of the main window: it
// builds its own controls on the pages it uses (each keeping its object
// name), connects them, changes the document only through its commands and
// shows the result through TForm1::ShowDocumentChange, reads and writes its
// own section of the settings file, shows what a change of the document
// means for its controls, and may paint over the main view. The main window
// builds the panels after its designed controls, in the order of
// TForm1::Panels(), which is also the order of painting.
#pragma once

#include <QObject>

class IniFile;
class QPainter;
class TForm1;
struct DocumentChange;

class EditorPanel : public QObject {
public:
    explicit EditorPanel(TForm1& form);

    virtual void ReadSettings(const IniFile&) {}
    virtual void WriteSettings(const IniFile&) const {}
    virtual void ShowChange(const DocumentChange&) {}
    // Window coordinates of the main window, after the view is drawn.
    virtual void PaintOverView(QPainter&) {}

protected:
    TForm1& form;
};
