// A feature added beside the design, as one piece of the main window: it
// builds its own controls on the pages it uses (each keeping its object
// name), connects them, changes the document only through its commands and
// shows the result through the editor context (EditorContext.h), which is
// all of the editor it reaches; it reads and writes its
// own section of the settings file, shows what a change of the document
// means for its controls, and may paint over the main view. The main window
// builds the panels after its designed controls, in the order of
// TForm1::Panels(), which is also the order of painting.
#pragma once

#include <QObject>
#include <QString>

#include "EditorContext.h"

class IniFile;
class QPainter;
class QPushButton;
class QWidget;
struct DocumentChange;

// The free column of "Retouche" right of the designed panels, which the
// undo, transform and frame controls share from top to bottom.
namespace FreeColumn {
constexpr int Left = 176;
constexpr int Width = 105;
constexpr int RowHeight = 25;
} // namespace FreeColumn

// A push button of that column, one row high; it takes the focus only when
// clicked, so that the keys stay the view's.
QPushButton* FreeColumnButton(QWidget* page, const char* name, const QString& caption, int left, int top, int width);

class EditorPanel : public QObject {
public:
    explicit EditorPanel(EditorContext& editor);

    virtual void ReadSettings(const IniFile&) {}
    virtual void WriteSettings(const IniFile&) const {}
    virtual void ShowChange(const DocumentChange&) {}
    // Window coordinates of the main window, after the view is drawn.
    virtual void PaintOverView(QPainter&) {}

protected:
    EditorContext& editor;
};
