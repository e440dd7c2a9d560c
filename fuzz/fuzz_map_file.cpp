// Feeds arbitrary files to the ".pixm" reader: a refused file leaves the map
// given exactly as it was; an accepted one holds counts and sizes within the
// format's limits, every pixel one its type may hold and every cell a tile
// that exists, and writes back to the very bytes it was read from.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "FuzzFile.h"
#include "MapFile.h"

namespace {

TileMap OriginalMap()
{
    TileMap map;
    map.tiles.tileSize = {2, 1};
    map.tiles.cells = {Black, White};
    map.width = 1;
    map.height = 1;
    map.cells = {0};
    return map;
}

bool SameMap(const TileMap& a, const TileMap& b)
{
    return a.width == b.width && a.height == b.height && a.cells == b.cells && a.tiles.cells == b.tiles.cells &&
           a.tiles.type == b.tiles.type && a.tiles.tileSize == b.tiles.tileSize;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string& path = WriteFuzzInput(data, size);
    static const TileMap original = OriginalMap();
    TileMap map = original;
    const MapFileCheck check = ReadTileMapFile(path, map);
    if (check.problem != MapFileProblem::None) {
        if (!SameMap(map, original) || MapFileProblemText(check).empty())
            std::abort();
        return 0;
    }
    const int count = map.tiles.Count();
    if (!IsTileSize(map.tiles.tileSize) || count < 1 || count > MaxTiles || map.width < 1 || map.width > MaxMapSide ||
        map.height < 1 || map.height > MaxMapSide ||
        map.cells.size() != static_cast<std::size_t>(map.width) * map.height)
        std::abort();
    for (const int8_t cell : map.tiles.cells)
        if (!TypeHoldsCell(map.tiles.type, cell))
            std::abort();
    for (const uint16_t index : map.cells)
        if (index >= count)
            std::abort();
    const std::string written = TileMapBytes(map);
    if (written.size() != size || std::memcmp(written.data(), data, size) != 0)
        std::abort();
    return 0;
}
