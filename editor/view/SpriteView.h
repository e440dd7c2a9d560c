// A view of one sprite, as a widget: it owns how the sprite is shown (the
// fitted view, or whole screen pixels a cell at a zoom step with scroll bars
// along its bottom and right edges), which cell a point lies in, and the
// painting of the sprite and of what its owner draws over it. The main
// window's view region and the tile retouched in the "Carte" window are two
// such views; another view is one more instance with its own fit.
//
// View coordinates are pixels of this widget, (0, 0) top-left; the main
// window's view sits at the window's (0, 0), so there they are window
// coordinates too. Cell coordinates are those of the sprite shown. The view
// keeps no copy of the sprite nor of its look: it asks its owner at every
// paint and lookup, so drawing and mouse mapping always agree with the
// sprite. Mouse and wheel events it does not use go on to the parent
// unchanged, as if the view were a part of the parent's surface.
#pragma once

#include <QWidget>
#include <functional>
#include <vector>

#include "U_class.h"
#include "ViewGeometry.h"
#include "ZoomedView.h"

class QScrollBar;

struct ViewLook {
    bool trueColors = false;
    // Masked cells as a light checkerboard (ViewImage.h).
    bool checkerMasked = false;
};

// What the view shows when it is at no zoom step.
enum class ViewFit {
    // The designed view: square cells of the size, fractions included, that
    // fits the sprite into the region less its one-pixel ring.
    Designed,
    // The largest whole number of screen pixels a cell, up to the largest
    // zoom step, at which the sprite and its closing grid lines fit: a small
    // sprite retouched at a glance, drawn as the zoomed view draws it.
    WholePixels,
};

class SpriteView : public QWidget {
    Q_OBJECT
public:
    explicit SpriteView(QWidget* parent = nullptr, ViewFit fit = ViewFit::Designed);

    // The sprite shown, kept by the owner for as long as the view shows it;
    // none shows nothing. The view repaints when asked (Repaint...).
    void SetSprite(const Sprite* sprite);
    void SetLook(std::function<ViewLook()> look);
    // Called at every paint once the sprite is drawn, in the order added,
    // with the painter of the view clipped to ShownArea() when zoomed.
    void AddOverlay(std::function<void(QPainter&)> overlay);

    // FittedZoom, or one of ZoomSteps.
    int Zoom() const { return zoom_; }
    bool IsZoomed() const { return zoom_ != FittedZoom; }
    // A level that is no step shows the fitted view.
    void SetZoom(int level);
    // One zoom step in (direction > 0) or out around a view point: the
    // sprite point under it stays under it, as far as the scroll range lets.
    void ZoomAround(int direction, Point anchor);
    // Around the centre of what shows.
    void ZoomAtCentre(int direction);
    void ShowFitted();
    // A wheel's turn in eighths of a degree: fine-grained wheels and
    // touchpads add up to whole notches, each one zoom step around the
    // pointer, or around the centre when the pointer is beside the view.
    void TurnZoomWheel(int delta, Point pointer);
    // Away from the user scrolls toward the left, as in other programs.
    void ScrollByWheel(int delta);

    // The cell under a view point, each axis on its own: -1 on an axis where
    // the point lies beside the grid or beside the part that shows.
    Point CellAt(Point viewPoint) const;
    // The cell the point would be over, held inside the sprite: for a
    // selection dragged beside the grid.
    Point NearestCell(Point viewPoint) const;
    // Where the cells shown lie in the view, fitted or zoomed.
    CellEdges Edges() const;
    CellPosition PositionAt(Point viewPoint) const;
    // The view point at the centre of a cell, at the present scroll.
    Point CellCentre(Point cell) const;
    // Whether the cells shown have grid lines between them.
    bool CellsOutlined() const;
    // Where cells show: the whole view when fitted, else the viewport alone,
    // the scroll bars and ring being left.
    QRect ShownArea() const;
    // The zoomed view's layout; meaningful only while cells are drawn whole.
    ZoomedLayout Layout() const;
    Point Scroll() const;
    QScrollBar* HorizontalBar() const { return horizontalBar_; }
    QScrollBar* VerticalBar() const { return verticalBar_; }

    // Puts the scroll bars where the layout wants them, with its ranges,
    // after a change of the sprite's size or of the look.
    void LayOutBars();
    // A change of the pixels repaints what shows of them, and no more.
    void RepaintShown() { update(ShownArea()); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    Point SpriteSize() const;
    ViewLook CurrentLook() const;
    // The cells drawn whole in screen pixels: at a zoom step, or at the
    // whole-pixel fit.
    bool DrawsWholeCells() const;
    // The fitted view's cell size, whole or not.
    float FittedCellSize() const;
    int WholePixelFit() const;
    ViewRegion Region() const;

    ViewFit fit_;
    int zoom_ = FittedZoom;
    int zoomWheelTurn_ = 0;
    const Sprite* sprite_ = nullptr;
    std::function<ViewLook()> look_;
    std::vector<std::function<void(QPainter&)>> overlays_;
    QScrollBar* horizontalBar_;
    QScrollBar* verticalBar_;
};
