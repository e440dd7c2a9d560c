// The tile set of the "Carte" window as a palette: every tile a sharp
// thumbnail (a whole zoom, about 32 screen pixels for its longer side), in
// rows as wide as the palette, scrolled up and down; the chosen tile framed.
// A click chooses a tile. Only the thumbnails in view are drawn, so a set
// of thousands of tiles scrolls as quickly as one of ten. Viewport
// coordinates, (0, 0) top-left.
#pragma once

#include <QAbstractScrollArea>

#include "TileMap.h"

class MapPalette : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit MapPalette(QWidget* parent = nullptr);

    // The set shown, kept by its owner; TilesChanged after every change.
    void SetTiles(const TileSet* tiles);
    void TilesChanged();
    int Chosen() const { return chosen_; }
    // Frames the tile and scrolls it into view; no signal.
    void SetChosen(int tile);

    // The tile under a viewport point, or -1.
    int TileAt(QPoint viewportPoint) const;
    QPoint TileCentre(int tile) const;

signals:
    void tileChosen(int tile);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    int ThumbnailZoom() const;
    QSize Slot() const;
    int Columns() const;
    QRect SlotRect(int tile) const; // in content coordinates
    void UpdateScrollRange();

    const TileSet* tiles_ = nullptr;
    int chosen_ = 0;
};
