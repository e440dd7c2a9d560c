// What a panel of the editor reaches: the document and the one way a change
// of it is shown, the file commands, the window and its pages, the views,
// the user's choices of tool and pens, the settings file, the other panels
// it works with, and the few designed controls that panels extend. The main
// window is the editor context; a panel never sees the window's other fields,
// so that a panel, a view or a set of tools can be added or moved without
// reaching into the window.
#pragma once

#include <QString>
#include <array>
#include <cstdint>

#include "DrawingGesture.h"
#include "SpriteDocument.h"
#include "U_class.h"

class DocumentManager;
class FramePanel;
class PicturePanel;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QButtonGroup;
class QToolButton;
class QWidget;
class SpriteView;
class ToolPanel;
class UndoPanel;
struct FileDialog;

// The pages of the tab control, in their order.
enum class EditorPage { Retouche, Files, Export, Plugins, Options };

// The designed controls and commands that panels give keys, tooltips or
// company to; each keeps its designed behaviour.
struct DesignedControls {
    // "Retouche": the three tool buttons and the group every tool button joins.
    QToolButton* pencil;
    QToolButton* line;
    QToolButton* fill;
    QButtonGroup* toolButtons;
    // "Enreg/charger": save, load, import; "Exporter": export and the sprite's name.
    QPushButton* save;
    QPushButton* load;
    QPushButton* importPicture;
    QPushButton* exportWithPlugin;
    QLineEdit* exportName;
    // "Options": true colors in the main view.
    QCheckBox* mainTrueColors;
    // The tab control, below which the zoom readout sits.
    QTabWidget* pages;
    // The open dialog of Pixora's files.
    FileDialog* openDialog;
};

class EditorContext {
public:
    virtual SpriteDocument& Document() = 0;
    // The one way a change of the document reaches the windows.
    virtual void ShowChange(const DocumentChange& change) = 0;
    // New, open, the imports that replace the document, save.
    virtual DocumentManager& Documents() = 0;

    // The parent of the panels' dialogs, keys and drops.
    virtual QWidget& Window() = 0;
    virtual QWidget* Page(EditorPage page) const = 0;
    virtual const DesignedControls& Designed() const = 0;
    // The designed commands of the buttons of DesignedControls.
    virtual void Save() = 0;
    virtual void Load() = 0;
    virtual void ImportPicture() = 0;
    virtual void ExportWithPlugin() = 0;
    // "Nom Fichier" and "Nom Sprite" of "Exporter" named after a file.
    virtual void ProposeExportNames(const QString& fileName) = 0;

    // The main view and the preview window.
    virtual SpriteView& MainView() = 0;
    virtual bool MainViewInTrueColors() const = 0;
    virtual void RedrawViews() = 0;
    // The preview window, while it exists, paints afresh; with room for its
    // true size first when asked.
    virtual void RepaintPreview(bool resized = false) = 0;
    virtual void ShowCellPosition(Point cell) = 0;
    // The frames' pictures (the row below the view, the overview) show
    // masked pixels over a light checkerboard, or over white.
    virtual void CheckerFramePictures(bool checkered) = 0;

    // The tool that draws and the pen of each mouse button (0 left, 1 right,
    // 2 middle); the swatches show the pens once told.
    virtual int8_t& ChosenTool() = 0;
    virtual std::array<PenValue, MouseButtonCount>& ButtonPens() = 0;
    virtual void ShowButtonPens() = 0;

    // The panels that others work with.
    virtual UndoPanel& Undo() = 0;
    virtual FramePanel& Frames() = 0;
    virtual PicturePanel& Pictures() = 0;
    virtual ToolPanel& Tools() = 0;

protected:
    ~EditorContext() = default;
};
