// The map view of the "Carte" window: the map at a whole zoom (MapPicture.h
// composes the part in view), scroll bars when it is larger than the view,
// Ctrl+wheel zooming around the pointer. Presses, drags, releases and
// double-clicks are reported as the cell under the pointer; the window
// decides what they do. Viewport coordinates are pixels of the scroll
// area's viewport, (0, 0) top-left.
#pragma once

#include <QAbstractScrollArea>
#include <QImage>
#include <optional>

#include "MapPicture.h"

class MapView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit MapView(QWidget* parent = nullptr);

    // The map shown, kept by its owner; MapChanged after every change.
    void SetMap(const TileMap* map);
    void MapChanged();

    int Zoom() const { return zoom_; }
    // A zoom within MinMapZoom..MaxMapZoom; the map point under the anchor
    // (the viewport's centre by default) stays where it is.
    void SetZoom(int zoom, std::optional<QPoint> anchor = std::nullopt);
    // The largest zoom up to 8 at which the whole map fits the viewport.
    void ZoomToFit();
    void SetGridShown(bool shown);
    // Cells outlined over the map (the rectangle being filled), or none.
    void SetOutlinedCells(std::optional<QRect> cells);

    // The cell under a viewport point, {-1, -1} beside the map.
    Point CellAt(QPoint viewportPoint) const;
    // The viewport point at the centre of a cell, at the present scroll.
    QPoint CellCentre(Point cell) const;
    // Scrolls as little as needed to show the cell.
    void ShowCell(Point cell);

signals:
    void cellPressed(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, Point cell);
    void cellDragged(Point cell);
    void cellReleased(Point cell);
    void cellDoubleClicked(Point cell);
    void cellHovered(Point cell);
    void zoomChanged(int zoom);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    Point Scroll() const;
    void UpdateScrollRanges();

    const TileMap* map_ = nullptr;
    int zoom_ = 4;
    bool gridShown_ = true;
    std::optional<QRect> outlined_;
    QImage frame_; // reused from frame to frame while the viewport keeps its size
};
