#include "MapPicture.h"

#include <algorithm>
#include <cstring>

#include "ImageConversion.h"

namespace {

constexpr int ZoomSteps[] = {1, 2, 3, 4, 6, 8, 12, 16, 24, 32, 48, 64};

// Transparency's checkerboard, in squares of this many screen pixels at any
// zoom, laid over the content so that it stays put while the view scrolls.
constexpr int CheckerSquare = 4;
constexpr uint32_t CheckerLight = 0xFFFFFFFF;
constexpr uint32_t CheckerDark = 0xFFD6D6D6;
// Grid lines are this blue mixed half and half with the pixel they cross,
// so that the pixel still shows through at any zoom.
constexpr uint32_t GridBlue = 0xFF2565FA;

uint32_t Checker(int contentX, int contentY)
{
    return ((contentX / CheckerSquare + contentY / CheckerSquare) & 1) ? CheckerDark : CheckerLight;
}

uint32_t HalfWithGrid(uint32_t pixel)
{
    return 0xFF000000 | (((pixel & 0xFEFEFE) >> 1) + ((GridBlue & 0xFEFEFE) >> 1));
}

class PixelColors {
public:
    PixelColors() : palette_(PicturePalette(false)) {}
    // The screen color of a stored pixel value at a content point.
    uint32_t Of(int8_t value, int contentX, int contentY) const
    {
        return IsMaskedCell(value) ? Checker(contentX, contentY) : palette_[ColorOfCell(value)];
    }
    // count screen pixels of one map pixel, from contentX on.
    void Fill(int8_t value, int contentX, int contentY, int count, uint32_t* out) const
    {
        if (!IsMaskedCell(value)) {
            std::fill(out, out + count, palette_[ColorOfCell(value)]);
            return;
        }
        for (int k = 0; k < count; ++k)
            out[k] = Checker(contentX + k, contentY);
    }

private:
    std::array<uint32_t, 5> palette_;
};

// One row of the view, without its grid lines; returns the screen pixels
// the map covers.
int ComposeRow(const TileMap& map, const PixelColors& colors, int zoom, int scrollX, int contentY, int width,
               uint32_t* out)
{
    const Point tile = map.tiles.tileSize;
    const int contentWidth = map.width * tile.x * zoom;
    const int mapY = contentY / zoom;
    const uint16_t* cells = map.cells.data() + static_cast<std::size_t>(mapY / tile.y) * map.width;
    const int tileRow = (mapY % tile.y) * tile.x;
    int x = 0;
    int contentX = scrollX;
    while (x < width && contentX < contentWidth) {
        const int mapX = contentX / zoom;
        const int8_t* pixels = map.tiles.Tile(cells[mapX / tile.x]) + tileRow;
        for (int tileX = mapX % tile.x; tileX < tile.x && x < width; ++tileX) {
            const int run = std::min(zoom - contentX % zoom, width - x);
            colors.Fill(pixels[tileX], contentX, contentY, run, out + x);
            x += run;
            contentX += run;
        }
    }
    return x;
}

void DrawGridLines(const MapGeometry& geometry, Point scroll, int contentY, int covered, uint32_t* out)
{
    const int cellWidth = geometry.tileSize.x * geometry.zoom;
    if (contentY % (geometry.tileSize.y * geometry.zoom) == 0) {
        std::transform(out, out + covered, out, HalfWithGrid);
        return;
    }
    for (int x = (cellWidth - scroll.x % cellWidth) % cellWidth; x < covered; x += cellWidth)
        out[x] = HalfWithGrid(out[x]);
}

} // namespace

int NextMapZoom(int zoom, int direction)
{
    if (direction > 0) {
        for (const int step : ZoomSteps)
            if (step > zoom)
                return step;
        return MaxMapZoom;
    }
    for (auto step = std::rbegin(ZoomSteps); step != std::rend(ZoomSteps); ++step)
        if (*step < zoom)
            return *step;
    return MinMapZoom;
}

Point MapGeometry::CellAt(Point content) const
{
    if (content.x < 0 || content.y < 0 || content.x >= ContentWidth() || content.y >= ContentHeight())
        return {-1, -1};
    return {content.x / (tileSize.x * zoom), content.y / (tileSize.y * zoom)};
}

Point MapGeometry::TilePixelAt(Point content) const
{
    return {(content.x / zoom) % tileSize.x, (content.y / zoom) % tileSize.y};
}

MapGeometry GeometryOf(const TileMap& map, int zoom)
{
    return {map.tiles.tileSize, map.width, map.height, zoom};
}

Point ScrollKeepingPoint(Point scroll, Point anchor, int oldZoom, int newZoom)
{
    // The map point under the anchor, in map pixels, scaled to the new zoom.
    const auto keep = [&](int offset, int at) {
        const long long mapPoint = static_cast<long long>(offset + at) * newZoom / oldZoom;
        return static_cast<int>(mapPoint - at);
    };
    return {keep(scroll.x, anchor.x), keep(scroll.y, anchor.y)};
}

void ComposeMapView(const TileMap& map, int zoom, Point scroll, int width, int height, const MapLook& look,
                    uint32_t* pixels, int stride)
{
    const PixelColors colors;
    const MapGeometry geometry = GeometryOf(map, zoom);
    const bool lines = look.gridLines && zoom >= 2;
    // Rows of one map row and one band of the checkerboard are alike but for
    // a horizontal grid line, so each is composed once and copied.
    long long lastKey = -1;
    for (int y = 0; y < height; ++y) {
        uint32_t* row = pixels + static_cast<std::ptrdiff_t>(y) * stride;
        const int contentY = scroll.y + y;
        if (contentY < 0 || contentY >= geometry.ContentHeight()) {
            std::fill(row, row + width, look.background);
            lastKey = -1;
            continue;
        }
        const bool lineRow = lines && contentY % (geometry.tileSize.y * zoom) == 0;
        const long long key = static_cast<long long>(contentY / zoom) * 1'000'000 + contentY / CheckerSquare;
        if (key == lastKey && !lineRow) {
            std::memcpy(row, row - stride, sizeof(uint32_t) * static_cast<std::size_t>(width));
            continue;
        }
        const int covered = ComposeRow(map, colors, zoom, scroll.x, contentY, width, row);
        std::fill(row + covered, row + width, look.background);
        if (lines)
            DrawGridLines(geometry, scroll, contentY, covered, row);
        lastKey = lineRow ? -1 : key;
    }
}

void ComposeTile(const TileSet& tiles, int index, int zoom, uint32_t* pixels, int stride)
{
    const PixelColors colors;
    const int8_t* tile = tiles.Tile(index);
    for (int y = 0; y < tiles.tileSize.y * zoom; ++y) {
        uint32_t* row = pixels + static_cast<std::ptrdiff_t>(y) * stride;
        for (int x = 0; x < tiles.tileSize.x; ++x)
            colors.Fill(tile[(y / zoom) * tiles.tileSize.x + x], x * zoom, y, zoom, row + x * zoom);
    }
}
