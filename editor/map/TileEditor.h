// The tile being retouched in the "Carte" window: a sprite view
// (SpriteView.h) of the one tile, fitted at the largest whole number of
// screen pixels a pixel, with its pixels in the plain palette, grid lines
// from 4 screen pixels a pixel and masked pixels edged in red. Presses,
// drags and releases are reported as the tile pixel under the pointer;
// widget coordinates, (0, 0) top-left.
#pragma once

#include <memory>

#include "SpriteView.h"
#include "TileMap.h"

class TileEditor : public SpriteView {
    Q_OBJECT
public:
    explicit TileEditor(QWidget* parent = nullptr);

    // The tile shown, of a set kept by its owner, as it is now: SetTile
    // again after every change.
    void SetTile(const TileSet* tiles, int index);
    int Tile() const { return index_; }

    QPoint PixelCentre(Point pixel) const;

signals:
    void pixelPressed(Qt::MouseButton button, Point pixel);
    void pixelDragged(Point pixel);
    void released();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    Point PixelAt(const QMouseEvent* event) const;

    int index_ = 0;
    // The tile as a sprite, which the view shows; none for no tile.
    std::unique_ptr<Sprite> tile_;
};
