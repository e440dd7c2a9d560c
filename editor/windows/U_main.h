// The main window: the designed controls and state, the document being
// edited (SpriteDocument.h: frames, history, selection, gesture, saved
// state, changed only through its commands), and the panels of the features
// added beside the design (editor/panels/: undo, files, pictures, round
// trips, frames, transforms and selection, view navigation, drawing
// tools, the calculator screen, the tile map), which it
// builds after its own controls and composes. Window coordinates are client
// pixels of this window; mouse buttons are numbered 0 left, 1 right,
// 2 middle in every table.
//
// Qt event overrides only forward to the named handlers. The designed
// handlers live in several sources by area: U_main.cpp (construction,
// paint, resize, ShowDocumentChange), U_main_layout.cpp (the designed
// controls), U_main_view.cpp (drawing), U_main_edit.cpp (mouse, tools,
// palette, size and whole-sprite commands), U_main_files.cpp (save, load,
// import), U_main_export.cpp (plug-ins and export), U_main_settings.cpp
// (settings file, options, showing the preview and its attachment).
#pragma once

#include <QWidget>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "Dialogs.h"
#include "EditorContext.h"
#include "PluginHost.h"
#include "ProgramPaths.h"
#include "SpriteDocument.h"
#include "SpriteView.h"
#include "U_apercu.h"
#include "U_class.h"
#include "U_export.h"
#include "sprite_file_kind.h"
#include "sprite_set.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPainter;
class QPlainTextEdit;
class QWheelEvent;
class QPushButton;
class QTabWidget;
class QTimer;
class QToolButton;
class PaletteButton;
class Swatch;
class WindowPlacement;
class DocumentManager;
class EditorPanel;
class FilePanel;
class FramePanel;
class OverviewPanel;
class PicturePanel;
class RoundTripPanel;
class MapPanel;
class ScreenPanel;
class ToolPanel;
class TransformPanel;
class UndoPanel;
class ViewPanel;

// It tells the preview window what to show and lends the export window a
// place to register, through PreviewSource and ExportWindowOwner, and is
// the context its panels reach the editor through (U_main_context.cpp).
class TForm1 : public QWidget, public PreviewSource, public ExportWindowOwner, public EditorContext {
    Q_OBJECT
public:
    explicit TForm1(const ProgramPaths& paths = RunningProgramPaths(), QWidget* parent = nullptr);
    ~TForm1() override;

    // Tab control and its pages.
    QTabWidget* PageControl1;
    QWidget* TabSheet1;
    QWidget* TabSheet2;
    QWidget* TabSheet3;
    QWidget* TabSheet4;
    QWidget* TabSheet5;
    // The "&Close" button of each page, in page order.
    QPushButton* BitBtn1;
    QPushButton* BitBtn6;
    QPushButton* BitBtn4;
    QPushButton* BitBtn2;
    QPushButton* BitBtn8;

    // View region: the sprite view (SpriteView.h), at the window's (0, 0);
    // presses over it reach the window.
    SpriteView* I_Principale;

    // "Retouche".
    QFrame* Panel1;
    QToolButton* sbPencil;
    QToolButton* sbLine;
    QToolButton* sbRempli;
    QButtonGroup* toolButtons;
    QFrame* Panel2;
    QLabel* Label1;
    QLineEdit* E_TailleX;
    QLineEdit* E_TailleY;
    QPushButton* B_OK;
    QFrame* Panel3;
    PaletteButton* bbNoir;
    PaletteButton* bbDark;
    PaletteButton* bbLight;
    PaletteButton* bbBlanc;
    PaletteButton* bbMask;
    PaletteButton* bbNoMask;
    QPushButton* SpeedButton1;
    Swatch* Shape1; // left button's pen
    Swatch* Shape3; // middle button's pen
    Swatch* Shape2; // right button's pen
    QFrame* Panel4;
    QLineEdit* E_PositionX;
    QLineEdit* E_PositionY;
    QPushButton* BitBtn3;
    QLabel* Label2;

    // "Enreg/charger".
    QFrame* Panel6;
    QLabel* Label3;
    QPushButton* BitBtn7;
    QPushButton* BitBtn5;
    QFrame* Panel5;
    QLabel* Label4;
    QPushButton* BitBtn9;

    // "Exporter".
    QLabel* Label7;
    QComboBox* ComboBox1;
    QLabel* Label6;
    QLineEdit* Edit1;
    QLabel* Label8;
    QLineEdit* Edit2;
    QPushButton* Button1;

    // "Plugins".
    QListWidget* LB_Plugins;
    QPlainTextEdit* Memo1;

    // "Options".
    QCheckBox* CB_Apercu;
    QCheckBox* CB_ApercuAttache;
    QCheckBox* CB_CouleursPrincipale;
    QCheckBox* CB_CouleursApercu;
    QCheckBox* CB_OuvrirFenetre;

    // Non-visual components.
    FileDialog OpenDialog1;
    FileDialog SaveDialog1;
    FileDialog OpenDialog2;
    QTimer* timerAttache;

    // Editing state, in construction order. The document holds the frames,
    // the one Sprite being edited among them, the history, the selection,
    // the saved state and the gesture in progress (ActivePen, AnchorCell:
    // DrawingGesture.h); the window changes it only through its commands
    // and shows what they changed with ShowDocumentChange.
    Point RequestedSize{0, 0};
    SpriteDocument document;
    Sprite& sprite = document.Editing();
    std::array<PenValue, MouseButtonCount> ButtonPen{};
    int8_t Tool = ToolPencil;
    std::vector<std::string> PluginFiles;
    uint8_t Apercu = 0;
    uint8_t ApercuAttache = 0;
    uint8_t CouleursVraiesMain = 0;
    uint8_t CouleursVraiesApercu = 0;
    uint8_t OuvrirFenetre = 0;
    uint8_t Activated = 0;

    // What the preview window shows (PreviewSource).
    const Sprite& PreviewSprite() const override;
    bool PreviewInTrueColors() const override { return CouleursVraiesApercu != 0; }
    bool PreviewAtTrueSize() const override;
    bool PreviewChecksMasks() const override;
    QString PreviewSettingsFile() const override { return Paths.settingsFile; }
    void SetPreviewWindow(TF_Apercu* preview) override { F_Apercu = preview; }
    void SetExportWindow(TForm2* window) override { Form2 = window; }

    const ProgramPaths Paths;
    // The other two windows, while they exist.
    TF_Apercu* F_Apercu = nullptr;
    TForm2* Form2 = nullptr;
    // The window's outer bounds, as the settings file keeps them.
    WindowPlacement* placement = nullptr;

    // Window handlers. The main view and the preview window paint
    // themselves, so code that changed the sprite calls RedrawBothViews;
    // FormPaint adds to each paint of the main view the sprite's type in
    // Label2 and the panels' marks over the cells.
    void FormPaint(QPainter& painter);
    void FormResize();
    void FormMouseDown(int button, Point windowPoint);
    void FormMouseMove(Point windowPoint);
    void FormMouseUp(int button, Point windowPoint);
    void FormMouseWheel(int delta);

    // Control handlers.
    void sbPencilMouseMove();
    void bbNoirMouseDown(int button);
    void bbDarkMouseDown(int button);
    void bbLightMouseDown(int button);
    void bbBlancMouseDown(int button);
    void bbMaskMouseDown(int button);
    void bbNoMaskMouseDown(int button);
    void B_OKClick();
    void E_TailleXKeyDown(int key);
    void BitBtn3Click();
    void SpeedButton1Click();
    void BitBtn5Click();
    void BitBtn7Click();
    void BitBtn9Click();
    void LB_PluginsClick();
    void Button1Click();

    // "X==3" and "Y==7" in the position edits.
    void ShowCellPosition(Point cell) override;

    // The one way a change of the document reaches the windows: the size
    // edits, both views, the caption, the frame and the undo controls, each
    // once, as far as the change concerns them.
    void ShowDocumentChange(const DocumentChange& change);

    // The swatches show the three buttons' pens, always in the plain palette.
    void ShowButtonPens() override;
    // Asks for the inside of a view region to be painted afresh from empty.
    void ClearSpriteView(QWidget* region);
    // Asks for one repaint of the main view and one of the preview, whatever
    // number of changes came before them in the same event; the caption's
    // changed mark follows at once.
    void RedrawBothViews();

    // Showing, activating and closing the window, the option check boxes and
    // the preview's attachment.
    void FormShow();
    void FormActivate();
    void FormClose();
    void CB_ApercuClick();
    void CB_ApercuAttacheClick();
    void CB_CouleursPrincipaleClick();
    void CB_CouleursApercuClick();
    void CB_OuvrirFenetreClick();
    void timerAttacheTimer();

    bool IsChangedSinceSaved() const { return document.IsChangedSinceSaved(); }
    // `pixora FILE`: opened quietly, as the recent files open it.
    void OpenAtStart(const QString& fileName);
    // New, open, the imports that replace the document, save: the one owner
    // of what takes the document's place or writes it.
    DocumentManager* documents = nullptr;
    // "Nom Fichier" and "Nom Sprite" of "Exporter" named after the file.
    void ProposeExportNames(const QString& fileName) override;
    // The features added beside the design, one panel each (editor/panels/),
    // in the order of Panels().
    UndoPanel* undoPanel = nullptr;
    FilePanel* filePanel = nullptr;
    PicturePanel* picturePanel = nullptr;
    FramePanel* framePanel = nullptr;
    RoundTripPanel* roundTripPanel = nullptr;
    TransformPanel* transformPanel = nullptr;
    ViewPanel* viewPanel = nullptr;
    ToolPanel* toolPanel = nullptr;
    ScreenPanel* screenPanel = nullptr;
    OverviewPanel* overviewPanel = nullptr;
    MapPanel* mapPanel = nullptr;
    std::vector<EditorPanel*> Panels() const;

    // The editor context of the panels.
    SpriteDocument& Document() override { return document; }
    void ShowChange(const DocumentChange& change) override { ShowDocumentChange(change); }
    DocumentManager& Documents() override { return *documents; }
    QWidget& Window() override { return *this; }
    QWidget* Page(EditorPage page) const override;
    const DesignedControls& Designed() const override { return designed; }
    void Save() override { BitBtn5Click(); }
    void Load() override { BitBtn7Click(); }
    void ImportPicture() override { BitBtn9Click(); }
    void ExportWithPlugin() override { Button1Click(); }
    SpriteView& MainView() override { return *I_Principale; }
    bool MainViewInTrueColors() const override { return CouleursVraiesMain != 0; }
    void RedrawViews() override { RedrawBothViews(); }
    void RepaintPreview(bool resized) override;
    void CheckerFramePictures(bool checkered) override;
    int8_t& ChosenTool() override { return Tool; }
    std::array<PenValue, MouseButtonCount>& ButtonPens() override { return ButtonPen; }
    UndoPanel& Undo() override { return *undoPanel; }
    FramePanel& Frames() override { return *framePanel; }
    PicturePanel& Pictures() override { return *picturePanel; }
    ToolPanel& Tools() override { return *toolPanel; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    DesignedControls designed{};

    void BuildLayout();
    void AddPage(QWidget*& page, const QString& caption, QPushButton*& closeButton, const char* closeName);
    void BuildRetouchePage();
    void BuildToolPanel();
    void BuildSizePanel();
    void BuildPalettePanel();
    void BuildPositionPanel();
    void BuildFilesPage();
    void BuildExportPage();
    void BuildExportFolderLabel();
    void BuildPluginsPage();
    void BuildOptionsPage();
    void ConnectMainView();
    void ConnectEditingHandlers();
    void ConnectOptionHandlers();
    void ReadSettings();
    // The nearest cell of the sprite to a window point, for a selection
    // dragged beside the grid.
    Point ClampedCellUnder(Point windowPoint) const;

    Point CellUnder(Point windowPoint) const;
    void AssignPen(int button, PenValue pen);
    void ShowPosition(Point windowPoint, Point cell);
    void ApplySize();

    // Files and export (U_main_files.cpp, U_main_export.cpp).
    void ConnectFileCommands();
    KeptExport ExportAllFrames(const std::string& libraryPath, const std::string& fileName,
                               const std::string& spriteName, int height, int width);
    QString ExportFolder() const;
    void LoadPlugins();
};

// Window client rectangle of a child control, as a view region.
QRect RegionBounds(const QWidget* region);

// Draws the sprite's cells into the region through the painter and writes
// the sprite's type into form.Label2. Grid mode outlines every cell; true
// colors fill cells shifted one pixel up and left with no outline. Pixels of
// the region outside the sprite's grid are left alone.
void DrawSpriteView(TForm1& form, const QRect& region, const Sprite& sprite, QPainter& painter, bool trueColors);

// Writes the sprite's type into form.Label2, as every drawing of a view does.
void ShowSpriteType(TForm1& form, const Sprite& sprite);

// "Type: Noir && Blanc" and its siblings, "&&" standing for one "&".
QString TypeText(int8_t spriteType);
