// The map as the map view shows it, and the arithmetic of that view. The
// map is drawn at a whole zoom, zoom x zoom screen pixels per map pixel, so
// that every pixel keeps its edges sharp. Content coordinates are screen
// pixels of the whole zoomed map, (0, 0) at the top-left of cell (0, 0);
// the view shows the part that starts at its scroll offset.
//
// Colors are 0xAARRGGBB: the four plain grays of a PNG the command writes
// (ImageConversion.h's PicturePalette); a masked pixel, transparent there,
// shows the light checkerboard of transparency. Only the part of the map
// the view shows is composed, so a frame costs the view's size, not the
// map's.
#pragma once

#include <array>
#include <cstdint>

#include "TileMap.h"

constexpr int MinMapZoom = 1;
constexpr int MaxMapZoom = 64;

// The zoom one step in (direction > 0) or out: 1, 2, 3, 4, 6, 8, 12, 16,
// 24, 32, 48, 64; a zoom between steps goes to the next step that way.
int NextMapZoom(int zoom, int direction);

struct MapGeometry {
    Point tileSize;
    int columns; // the map's width in cells
    int rows;
    int zoom;

    int ContentWidth() const { return columns * tileSize.x * zoom; }
    int ContentHeight() const { return rows * tileSize.y * zoom; }
    // The cell under a content point, or {-1, -1} beside the map.
    Point CellAt(Point content) const;
    // The pixel of a tile under a content point, inside its cell.
    Point TilePixelAt(Point content) const;
};

MapGeometry GeometryOf(const TileMap& map, int zoom);

// The scroll offset at another zoom that keeps the map point under the
// view point `anchor` where it is.
Point ScrollKeepingPoint(Point scroll, Point anchor, int oldZoom, int newZoom);

// What the view draws besides the pixels.
struct MapLook {
    bool gridLines = true; // a line along the left and top of each cell, from zoom 2
    uint32_t background;   // beside the map
};

// The view's width x height screen pixels from the scroll offset into rows
// of `stride` pixels.
void ComposeMapView(const TileMap& map, int zoom, Point scroll, int width, int height, const MapLook& look,
                    uint32_t* pixels, int stride);

// One tile alone, at a zoom, into rows of `stride` pixels: a thumbnail.
void ComposeTile(const TileSet& tiles, int index, int zoom, uint32_t* pixels, int stride);
