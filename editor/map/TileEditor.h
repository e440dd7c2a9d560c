// The tile being retouched in the "Carte" window, as the sprite view shows
// a sprite zoomed (ZoomedView.h, ViewImage.h): its pixels in the plain
// palette, grid lines from 4 screen pixels a pixel, masked pixels edged in
// red, at the largest whole zoom at which the tile fits the widget. Presses,
// drags and releases are reported as the tile pixel under the pointer;
// widget coordinates, (0, 0) top-left.
#pragma once

#include <QWidget>

#include "TileMap.h"
#include "ZoomedView.h"

class TileEditor : public QWidget {
    Q_OBJECT
public:
    explicit TileEditor(QWidget* parent = nullptr);

    // The tile shown, of a set kept by its owner; TileChanged after every change.
    void SetTile(const TileSet* tiles, int index);
    void TileChanged() { update(); }
    int Tile() const { return index_; }

    // The pixel under a widget point, -1 on an axis beside the tile.
    Point PixelAt(QPoint point) const;
    QPoint PixelCentre(Point pixel) const;

signals:
    void pixelPressed(Qt::MouseButton button, Point pixel);
    void pixelDragged(Point pixel);
    void released();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    ZoomedLayout Layout() const;

    const TileSet* tiles_ = nullptr;
    int index_ = 0;
};
