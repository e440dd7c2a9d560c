// "Carte": the tile map being edited. The map view (MapView) beside the tile
// set as a palette (MapPalette) and the tile being retouched (TileEditor),
// with the map's size, the tile count, undo and redo, save and the export
// of the map as data. The window changes the map only through the
// document's commands (MapDocument.h) and shows what each changed; how a
// map is opened, saved and set aside is MapDocuments' (MapDocuments.h).
//
// Gestures on the map, one tool entry each, of the shape every view's
// tools have (ToolEntries.h: button and Shift, cursor, what press, drag and
// release do): the left button paints the chosen tile, one undo step per
// drag; with Shift it fills the dragged rectangle; the right
// button picks the tile under the pointer. A double-click opens the cell's
// tile in the tile editor, whose left button paints black (or the gray
// chosen, for gray tiles) and right button white.
#pragma once

#include <QElapsedTimer>
#include <QWidget>

#include "Dialogs.h"
#include "MapDocument.h"
#include "ToolEntries.h"

class MapDocuments;
class MapPalette;
class MapView;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;
class TileEditor;

class MapWindow : public QWidget {
public:
    explicit MapWindow(MapDocuments& documents, QWidget* parent = nullptr);

    // The document shown from now on, kept by MapDocuments.
    void SetDocument(MapDocument* document);
    // The one way a change of the map reaches the window's parts.
    void ShowMapChange(const MapChange& change);
    // The caption: "Carte - NAME", "*" after it while changed.
    void ShowIdentity();

    int ChosenTile() const;
    int EditedTile() const;
    // "Grille": the tile grid over the map.
    bool GridShown() const;
    void ShowGrid(bool shown);

    // Handlers of the map view.
    void MapViewPressed(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, Point cell);
    void MapViewDragged(Point cell);
    void MapViewReleased(Point cell);
    void MapViewDoubleClicked(Point cell);
    // Handlers of the tile editor.
    void TileEditorPressed(Qt::MouseButton button, Point pixel);
    void TileEditorDragged(Point pixel);
    void TileEditorReleased();
    // Handlers of the controls.
    void B_CarteAppliquerClick();
    void B_CarteAjouterTuileClick();
    void B_CarteSupprimerTuileClick();
    void B_CarteAnnulerClick();
    void B_CarteRetablirClick();
    void B_CarteExporterDonneesClick();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // A gesture on the map is chosen by the mouse button pressed, with Shift
    // or not, and is the window's handlers of its press, drag and release.
    struct MapToolChoice {
        Qt::MouseButton button;
        bool shift;
    };
    struct GestureHandlers {
        void (MapWindow::*press)(Point cell);
        void (MapWindow::*drag)(Point cell);
        void (MapWindow::*release)(Point cell);
    };
    using MapTool = ViewTool<MapToolChoice, GestureHandlers>;
    static const MapTool* ToolFor(Qt::MouseButton button, Qt::KeyboardModifiers modifiers);

    void BuildControls();
    void ConnectControls();
    void FitMap();
    void ChooseTile(int tile);
    void EditTile(int tile);
    void ShowTileState();
    void ShowCellState(Point cell);
    void Refuse(const std::string& reason);

    // The gestures of the table.
    void PaintPress(Point cell);
    void PaintDrag(Point cell);
    void PaintRelease(Point cell);
    void FillPress(Point cell);
    void FillDrag(Point cell);
    void FillRelease(Point cell);
    void PickPress(Point cell);

    MapDocuments& documents_;
    MapDocument* document_ = nullptr;
    const MapTool* heldTool_ = nullptr;
    Point lastCell_{-1, -1};
    // The cell under the pointer that the status line tells of: a change of
    // the map (a click, undo, a new size) tells it again.
    Point hoveredCell_{-1, -1};
    Point fillStart_{-1, -1};
    // The cell of the last click that did not drag, when it was pressed and
    // the steps before it: its step is taken back if the click turns out to
    // be the first half of a double-click.
    Point clickedCell_{-1, -1};
    QElapsedTimer sinceClick_;
    std::size_t stepsBeforeClick_ = 0;
    bool fitOnShow_ = false;
    int editedTile_ = 0;
    Point lastPixel_{-1, -1};
    PixelColor tilePen_ = Black;
    FileDialog dataDialog_;

    MapView* mapView_;
    MapPalette* palette_;
    TileEditor* tileEditor_;
    QSpinBox* E_CarteLargeur;
    QSpinBox* E_CarteHauteur;
    QPushButton* B_CarteAppliquer;
    QPushButton* B_CarteAjouterTuile;
    QPushButton* B_CarteSupprimerTuile;
    QPushButton* B_CarteAnnuler;
    QPushButton* B_CarteRetablir;
    QPushButton* B_CarteEnregistrer;
    QPushButton* B_CarteEnregistrerSous;
    QPushButton* B_CarteExporterDonnees;
    QPushButton* B_CarteImporterImage;
    QComboBox* CB_CarteSyntaxe;
    QPushButton* B_CarteZoomPlus;
    QPushButton* B_CarteZoomMoins;
    QLabel* L_CarteZoom;
    QCheckBox* CB_CarteGrille;
    QComboBox* CB_CarteCouleur;
    QLabel* L_CarteTuile;
    QLabel* L_CarteEtat;
};
