// View navigation: zooming and scrolling the main view, the true-size
// preview option on "Options" ("Aperçu en taille réelle"), the option that
// shows masked cells as a light checkerboard in the main view, the preview
// and the frame row ("Transparence en damier", off by default), and their
// section "Affichage" of the settings file. The fitted view stays the designed one;
// a zoomed view shows whole screen pixels per cell, part of the grid at a
// time, with scroll bars inside the region along its bottom and right
// edges. Window coordinates of the main window; cell coordinates of the
// sprite shown.
#pragma once

#include <QRect>
#include <cstdint>

#include "EditorPanel.h"
#include "U_class.h"
#include "ViewGeometry.h"
#include "ZoomedView.h"

class QCheckBox;
class QScrollBar;
class QWheelEvent;

class ViewPanel : public EditorPanel {
public:
    explicit ViewPanel(EditorContext& editor);

    // The cell size in screen pixels, one of ZoomSteps, or FittedZoom for the
    // designed view fitted to the region.
    int MainZoom = FittedZoom;
    uint8_t ApercuTailleReelle = 0;
    uint8_t TransparenceDamier = 0;
    QCheckBox* CB_ApercuTailleReelle;
    QCheckBox* CB_TransparenceDamier;
    QScrollBar* ViewScrollX;
    QScrollBar* ViewScrollY;

    bool IsZoomed() const { return MainZoom != FittedZoom; }
    // One zoom step in (direction > 0) or out around a window point: the
    // sprite point under it stays under it, as far as the scroll range lets.
    void ZoomMainView(int direction, Point anchor);
    // Ctrl+"+" and Ctrl+"-": around the centre of the view.
    void ZoomMainViewAtCentre(int direction);
    // Ctrl+0: back to the designed view.
    void ShowFittedView();
    // Ctrl + wheel zooms and Shift + wheel scrolls; false for any other wheel.
    bool WheelNavigatesView(const QWheelEvent& event);

    // What a change of the sprite repaints: the view region, or when zoomed
    // its viewport alone, the scroll bars and ring being left.
    QRect MainViewArea() const;
    ZoomedLayout MainZoomLayout() const;
    Point ZoomedCellUnder(Point windowPoint) const;
    // Where the cells shown lie in the window, fitted or zoomed.
    CellEdges MainCellEdges() const;
    CellPosition MainCellPosition(Point windowPoint) const;
    // The zoomed viewport, and the painter clipped to it so that marks of
    // cells scrolled out of view stay off the ring and the bars.
    void DrawZoomedMainView(QPainter& painter);
    // Puts the scroll bars where the layout wants them, with its ranges.
    void LayOutMainView();

    void ReadSettings(const IniFile& settings) override;
    void WriteSettings(const IniFile& settings) const override;

private:
    Point MainScroll() const;
    void CB_ApercuTailleReelleClick();
    void CB_TransparenceDamierClick();

    int zoomWheelTurn_ = 0;
};
