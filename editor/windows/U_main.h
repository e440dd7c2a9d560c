// The main window: the one Sprite being edited and all editing state, the
// magnified view of the sprite in the region I_Principale, the tab control
// with the editing, file, export, plug-in and option pages, and the handlers
// of all their events. Window coordinates are client pixels of this window;
// mouse buttons are numbered 0 left, 1 right, 2 middle in every table.
//
// Qt event overrides only forward to the named handlers. The handlers live
// in several sources by area: U_main.cpp (construction, paint, resize),
// U_main_layout.cpp (the controls), U_main_view.cpp (drawing),
// U_main_edit.cpp (mouse, tools, palette, size and whole-sprite commands),
// U_main_undo.cpp (undo and redo), U_main_files.cpp (save, load, import),
// U_main_export.cpp (plug-ins and export), U_main_settings.cpp (settings
// file, options, showing the preview and its attachment), U_main_recent.cpp
// (the current file, the close question, file keys, recent files, drops),
// U_main_transform.cpp (transforms and the keys of the view),
// U_main_selection.cpp (selection and clipboard), U_main_keyboard.cpp (the
// keyboard cursor).
#pragma once

#include <QWidget>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "DataExportSettings.h"
#include "Dialogs.h"
#include "ImageConversion.h"
#include "PluginHost.h"
#include "ProgramPaths.h"
#include "RecentFiles.h"
#include "SavedState.h"
#include "Selection.h"
#include "Transform.h"
#include "U_class.h"
#include "ZoomedView.h"
#include "history.h"
#include "sprite_file_kind.h"
#include "sprite_set.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QListWidget;
class QPainter;
class QPlainTextEdit;
class QScrollBar;
class QWheelEvent;
class QPushButton;
class QSpinBox;
class IniFile;
class QTabWidget;
class QTimer;
class QUrl;
class QToolButton;
class PaletteButton;
class Swatch;
class TF_Apercu;
class TForm2;
class WindowPlacement;
class IniFile;
struct ArrayCandidate;
struct ArraySprites;
struct ReadingRequest;
enum class SourceKind;

enum Tools : int8_t { ToolPencil = 0, ToolLine = 1, ToolFill = 2, ToolSelection = 3 };

constexpr int MouseButtonCount = 3;
// ActivePen entry of a button that is not drawing.
constexpr PenValue NotDrawing = -1;

class TForm1 : public QWidget {
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

    // View region: used only for its bounds; presses over it reach the window.
    QWidget* I_Principale;

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
    QPushButton* B_Annuler;
    QPushButton* B_Retablir;
    QToolButton* sbSelection;
    QToolButton* B_MiroirH;
    QToolButton* B_MiroirV;
    QToolButton* B_RotationHoraire;
    QToolButton* B_RotationAntihoraire;
    QToolButton* B_Rotation180;
    QToolButton* B_Inverser;
    QToolButton* B_DecalerGauche;
    QToolButton* B_DecalerDroite;
    QToolButton* B_DecalerHaut;
    QToolButton* B_DecalerBas;
    QToolButton* B_PreDecaler;

    // "Enreg/charger".
    QFrame* Panel6;
    QLabel* Label3;
    QPushButton* BitBtn7;
    QPushButton* BitBtn5;
    QFrame* Panel5;
    QLabel* Label4;
    QPushButton* BitBtn9;
    // Calculator pictures out, C arrays in (U_main_roundtrip.cpp).
    QPushButton* B_ExporterTI;
    QPushButton* B_ImporterC;
    QPushButton* B_ExporterDonnees;

    // "Exporter".
    QLabel* Label7;
    QComboBox* ComboBox1;
    QLabel* Label6;
    QLineEdit* Edit1;
    QLabel* Label8;
    QLineEdit* Edit2;
    QPushButton* Button1;
    // Says where the files go when that is the user's own export folder;
    // absent when they go beside the program.
    QLabel* exportFolderLabel = nullptr;

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
    FileDialog SaveDialogTI;
    FileDialog OpenDialogC;
    QTimer* timerAttache;

    // Editing state, in construction order.
    Point RequestedSize{0, 0};
    Sprite sprite;
    std::array<PenValue, MouseButtonCount> ActivePen{};
    std::array<PenValue, MouseButtonCount> ButtonPen{};
    Point AnchorCell{0, 0};
    int8_t Tool = ToolPencil;
    std::vector<std::string> PluginFiles;
    uint8_t Apercu = 0;
    uint8_t ApercuAttache = 0;
    uint8_t CouleursVraiesMain = 0;
    uint8_t CouleursVraiesApercu = 0;
    uint8_t OuvrirFenetre = 0;
    uint8_t Activated = 0;
    SpriteHistory history;
    SpriteSelection selection;
    // The keyboard's cell; shown from the first key that moves or paints it.
    Point KeyboardCell{0, 0};
    bool KeyboardCellShown = false;
    // The pen of the Space stroke in progress, NotDrawing between strokes.
    PenValue KeyboardPen = NotDrawing;

    // Sprite sets (U_main_frames.cpp): the frames of the set, the editing
    // sprite being the current one; the frame controls of "Retouche", the
    // sheet slicing of "Enreg/charger" and the frame options of "Options".
    SpriteSet frames{sprite};
    QPushButton* B_ImagePrecedente = nullptr;
    QLabel* L_Image = nullptr;
    QPushButton* B_ImageSuivante = nullptr;
    QPushButton* B_NouvelleImage = nullptr;
    QPushButton* B_DupliquerImage = nullptr;
    QPushButton* B_SupprimerImage = nullptr;
    QPushButton* B_ImageAvant = nullptr;
    QPushButton* B_ImageApres = nullptr;
    QCheckBox* CB_Decouper = nullptr;
    QLineEdit* E_DecoupeX = nullptr;
    QLineEdit* E_DecoupeY = nullptr;
    QCheckBox* CB_PelureOignon = nullptr;
    QCheckBox* CB_AnimerApercu = nullptr;
    QSpinBox* E_ImagesParSeconde = nullptr;
    QTimer* timerAnimation = nullptr;
    uint8_t PelureOignon = 0;
    uint8_t AnimerApercu = 0;
    int ImagesParSeconde = 8;
    // The frame the preview shows while it plays the set.
    int PreviewFrame = 0;

    void B_ImagePrecedenteClick();
    void B_ImageSuivanteClick();
    void B_NouvelleImageClick();
    void B_DupliquerImageClick();
    void B_SupprimerImageClick();
    void B_ImageAvantClick();
    void B_ImageApresClick();
    void CB_PelureOignonClick();
    void CB_AnimerApercuClick();
    void E_ImagesParSecondeChange();
    void timerAnimationTimer();
    // What the preview draws: the playing frame, or the editing sprite.
    const Sprite& PreviewSprite() const;
    // The previous frame, faintly, in the white cells of the main view.
    void PaintOnionSkin(QPainter& painter);
    // The frame options, in a section of their own of the settings file.
    // The layout "Exporter en données..." used last (U_main_data.cpp).
    DataExportSettings dataExport;
    void ReadFrameOptions(const IniFile& settings);
    void WriteFrameOptions(const IniFile& settings) const;

    const ProgramPaths Paths;
    // The other two windows register themselves here while they exist.
    TF_Apercu* F_Apercu = nullptr;
    TForm2* Form2 = nullptr;
    // The window's outer bounds, as the settings file keeps them.
    WindowPlacement* placement = nullptr;

    // Window handlers. FormPaint paints the main view; the preview window
    // paints itself, so code that changed the sprite calls RedrawBothViews.
    void FormPaint();
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
    void B_AnnulerClick();
    void B_RetablirClick();
    void BitBtn5Click();
    void BitBtn7Click();
    void BitBtn9Click();
    void LB_PluginsClick();
    void Button1Click();
    void B_ExporterTIClick();
    void B_ImporterCClick();
    void B_ExporterDonneesClick();
    // Ctrl+Shift+V: the sprite from C text in the clipboard.
    void PasteCArrays();

    // Transforms: of the selection when there is one, else of the sprite.
    void TransformClick(PictureTransform transform);
    void B_PreDecalerClick();
    QObject* viewKeys = nullptr; // the key filter of the whole application
    // The keys of the view, from whatever control has the focus unless it
    // is a text box; true when the key was used.
    bool FormKeyDown(const QKeyEvent& key);
    bool FormKeyUp(const QKeyEvent& key);
    // Ends a Space stroke in progress as one undo step.
    void EndKeyboardStroke();
    // Selection and clipboard.
    void CopySelection();
    void CutSelection();
    void PasteClipboard();
    void EraseSelection();
    void DropSelection();

    // Every command that changes the sprite runs between these two, so that
    // it becomes one step of the undo history; a command that changed
    // nothing adds no step. The label names the step in the buttons' hints.
    void BeginSpriteStep();
    void CommitSpriteStep(const QString& label);

    // The swatches show the three buttons' pens, always in the plain palette.
    void ShowButtonPens();
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

    // The file habits of the page "Enreg/charger" (U_main_recent.cpp): the
    // file being edited, its place in the caption, the question before a
    // close would lose changes, the keyboard commands, the recent files,
    // drops and the file given on the command line.
    QFrame* P_Recents;
    QLabel* L_Recents;
    QListWidget* LB_Recents;
    // The file last saved, loaded or imported (empty before any), whether
    // it is a ".pixo" or ".pixs" file that a save may go straight to, and
    // the frames as that file holds them.
    QString CurrentFile;
    bool CurrentFileIsNative = false;
    SavedState savedState{sprite};
    RecentFiles recentFiles;

    bool IsChangedSinceSaved() const { return savedState.DiffersFrom(frames.Frames()); }
    // Into the current file without a dialog and quietly when there is one
    // (a set of several frames into a ".pixo" asks first, as the save
    // command does), otherwise as the save command; true when written.
    bool SaveSprite();
    // Loads or imports a file as the command for its kind does, with the
    // same messages (the success message only when tellSuccess), after the
    // question about unsaved changes; true when the sprite was replaced.
    bool OpenSpriteFile(const QString& fileName, SpriteFileKind kind, bool tellSuccess = true);
    // `pixora FILE`: a calculator picture is imported, anything else loaded.
    void OpenAtStart(const QString& fileName);
    void LB_RecentsActivated(int row);
    void ReadFileSettings(const IniFile& settings);
    void WriteFileSettings(const IniFile& settings) const;
    // Pictures of other programs: import with conversion, PNG export, the
    // clipboard and dropped image files (U_main_images.cpp).
    QFrame* Panel7;
    QLabel* Label9;
    QPushButton* B_ImporterImage;
    QPushButton* B_ExporterPng;
    QLabel* Label10;
    QSpinBox* E_EchellePng;
    QCheckBox* CB_CouleursPng;
    FileDialog OpenDialog3;
    FileDialog SaveDialog2;
    void B_ImporterImageClick();
    void B_ExporterPngClick();
    // Ctrl+V with a picture of another program: the conversion dialog.
    void PasteClipboardImage();
    // Decodes the file and imports it; a file that cannot be decoded is
    // reported and changes nothing.
    void ImportImageFile(const QString& fileName);
    // Opens the conversion dialog for the picture; its "OK" makes the
    // converted picture the sprite, as one undo step; true when it did.
    bool ImportImage(const RgbaImage& image);
    // Zoom and scroll of the main view, and the true-size preview
    // (U_main_zoom.cpp). MainZoom is the cell size in screen pixels, one of
    // ZoomSteps, or FittedZoom for the designed view fitted to the region.
    int MainZoom = 0;
    uint8_t ApercuTailleReelle = 0;
    QCheckBox* CB_ApercuTailleReelle;
    QScrollBar* ViewScrollX;
    QScrollBar* ViewScrollY;
    // One zoom step in (direction > 0) or out around a window point: the
    // sprite point under it stays under it, as far as the scroll range lets.
    void ZoomMainView(int direction, Point anchor);
    // Ctrl+"+" and Ctrl+"-": around the centre of the view.
    void ZoomMainViewAtCentre(int direction);
    // Ctrl+0: back to the designed view.
    void ShowFittedView();
    // What a change of the sprite repaints in this window: the view region,
    // or when zoomed its viewport alone, the scroll bars and ring being left.
    QRect MainViewArea() const;
    void CB_ApercuTailleReelleClick();
    // The section "Affichage" of the settings file.
    void ReadViewSettings(const IniFile& settings);
    void WriteViewSettings(const IniFile& settings) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
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
    void ConnectEditingHandlers();
    void ConnectOptionHandlers();
    void ReadSettings();
    void BuildUndoControls();
    void BuildImageControls();
    void BuildFrameControls();
    void ShowFrameState();
    void GoToFrame(int index);
    void ShowFrameStep(bool changed);
    void RestartAnimation();
    void BuildTransformControls();

    // Selection gestures and the marks drawn over the main view.
    void SelectionMouseDown(int button, Point windowPoint);
    void SelectionMouseMove(Point windowPoint);
    void SelectionMouseUp(int button);
    Point ClampedCellUnder(Point windowPoint) const;
    void DrawEditingMarks(QPainter& painter);
    // The keyboard cursor and its Space strokes.
    void MoveKeyboardCell(int dx, int dy);
    void FollowPointer(Point cell);
    void KeyboardPenDown(int button);
    void ShowCellPosition(Point cell);
    enum class SelectionGesture { None, Selecting, Moving };
    SelectionGesture selectionGesture = SelectionGesture::None;
    Point gestureStartCell{0, 0};
    Point gestureStartTopLeft{0, 0};

    Point CellUnder(Point windowPoint) const;
    bool IsDrawing(int button) const { return ActivePen[button] != NotDrawing; }
    bool AnyButtonDrawing() const;
    // The step of a mouse gesture, from the press that starts the first
    // drawing button to the release of the last, is named after the tool.
    QString GestureLabel() const;
    // Opens a step on the current frame unless one is open: a gesture that
    // goes on after a command closed its step continues in a step of its own.
    void ResumeSpriteStep();
    // Commits the step of a gesture in progress, if any, under its name.
    void CloseGestureStep();
    void ShowRestoredSprite();
    void ShowUndoState();
    void AssignPen(int button, PenValue pen);
    QToolButton* ToolButton(int tool) const;
    void ShowPosition(Point windowPoint, Point cell);
    void ApplySize();

    // Files and export (U_main_files.cpp, U_main_export.cpp).
    using SpriteReader = bool (*)(Sprite&, const std::string&);
    // A load replaces the whole set (the native file: a ".pixs", or a
    // ".pixo" as a set of one frame) or the current frame (a picture, unless
    // it is sliced into frames).
    enum class LoadInto { WholeSet, CurrentFrame };
    enum class LoadOutcome { Loaded, Refused, Explained };
    void ConnectFileCommands();
    void LoadSpriteWith(SpriteFileKind kind);
    LoadOutcome SliceIntoFrames(const CellPicture& picture, const QString& stepLabel);
    LoadOutcome ReplaceSet(FrameList loaded, const QString& stepLabel);
    LoadOutcome ReadIntoFrames(SpriteReader reader, const std::string& path, LoadInto target, const QString& stepLabel);
    // Saves the whole set when the name or the user's answer asks for it:
    // whether it was saved, or nothing when the save is to go on as the
    // one-sprite save.
    std::optional<bool> SaveSetIfWanted(FileDialog& dialog);
    enum class SetSaving { WholeSet, CurrentFrame, Cancelled };
    SetSaving AskHowToSaveSet();
    void ShowSaveOutcome(bool saved);
    ExportResult ExportAllFrames(const std::string& libraryPath, const std::string& fileName,
                                 const std::string& spriteName, int height, int width);
    void ShowLoadedSprite();
    QString ExportFolder() const;
    void LoadPlugins();

    // File habits (U_main_recent.cpp).
    void SetUpFileHabits();
    void BuildRecentPanel();
    void ConnectCommandKeys();
    bool SaveSpriteAs();
    bool SaveSpriteTo(const QString& fileName, bool tellSuccess = true);
    // The file becomes the one being edited, holding the frames held.
    void RememberFile(const QString& fileName, bool native, const std::vector<const Sprite*>& held);
    void RememberRecentFile(const QString& fileName);
    // "Nom Fichier" and "Nom Sprite" of "Exporter" named after the file.
    void ProposeExportNames(const QString& fileName);
    void ShowFileState();
    void ShowRecentFiles();
    // Before closing, opening another file, or an import that takes the
    // place of every frame: true when the changes are saved or given up.
    bool MayClose();
    bool MayOpenInstead(const QString& fileName);
    bool MayImportOver();
    bool MaySetAside(const QString& beforeWhat);
    // A new history, after a file opened took the place of every frame.
    void StartNewHistory();
    void DropFiles(const QList<QUrl>& urls);
    FileDialog& DialogFor(SpriteFileKind kind);
    QString designedCaption;
    // Round trips (U_main_roundtrip.cpp): the panel, its dialogs and keys.
    void AddRoundTripCommands();
    void AddDataCommands();
    // True when the text's sprite replaced the edited one; kind: nullopt
    // reads C text, else assembly (the clipboard's).
    bool ImportCText(const std::string& text, std::optional<SourceKind> kind);
    bool ImportLayoutFrames(const ArraySprites& found, const ReadingRequest& request);
    bool ImportSourceFrames(FrameList read, const QString& name);
    bool ImportCFrames(const ArraySprites& found, const std::vector<const ArrayCandidate*>& candidates, int width);
    // Zoom and scroll (U_main_zoom.cpp).
    void BuildViewNavigation();
    ZoomedLayout MainZoomLayout() const;
    Point MainScroll() const;
    Point ZoomedCellUnder(Point windowPoint) const;
    // Where the cells shown lie in the window, fitted or zoomed.
    CellEdges MainCellEdges() const;
    CellPosition MainCellPosition(Point windowPoint) const;
    void DrawZoomedMainView(QPainter& painter);
    // Puts the scroll bars where the layout wants them, with its ranges.
    void LayOutMainView();
    // Ctrl + wheel zooms and Shift + wheel scrolls; false for any other wheel.
    bool WheelNavigatesView(const QWheelEvent& event);
    int zoomWheelTurn_ = 0;
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

// Entry 0 to 6 of the plain or the true-color palette.
QColor PaletteColor(int index, bool trueColors);

// "Type: Noir && Blanc" and its siblings, "&&" standing for one "&".
QString TypeText(int8_t spriteType);
