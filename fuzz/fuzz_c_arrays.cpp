// Feeds arbitrary text to the C array reader: every candidate it offers must
// be a sprite within limits, built without reading past its arrays, and
// described and found again by its name; every map Pixora's comments
// describe is read whole within the map's limits, or refused with a reason.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "FuzzFile.h"
#include "SourceMap.h"
#include "c_array_sprites.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const ArraySprites found = FindArraySprites(std::string_view(reinterpret_cast<const char*>(data), size));
    if (found.scan.arrays.size() > MaxArraysKept)
        std::abort();
    static const Sprite original = BusySprite();
    static Sprite sprite = original;
    for (const ArrayCandidate& candidate : found.candidates) {
        if (candidate.height < 1 || candidate.height > MaxHeight || candidate.arrays.empty())
            std::abort();
        if (!WidthRefusal(candidate, candidate.width).empty() || WidthRefusal(candidate, 0).empty() ||
            WidthRefusal(candidate, candidate.elementBits + 1).empty())
            std::abort();
        // A call or Pixora's comment may read rows wider than its arrays'
        // elements (Sprite16 on bytes, 64-bit rows in two dc.l).
        const bool call = ReadsEveryFrame(candidate);
        for (std::size_t index : candidate.arrays)
            if (index >= found.scan.arrays.size() ||
                (!call && found.scan.arrays[index].elementBits != candidate.elementBits))
                std::abort();
        if (FindCandidate(found, candidate.id) == nullptr || DescribeCandidate(found, candidate).empty())
            std::abort();
        sprite = original;
        BuildArraySprite(found, candidate, candidate.width, sprite);
        CheckSpriteLimits(sprite);
        if (!(sprite.GetSize() == Point{candidate.width, candidate.height}))
            std::abort();
    }
    if (found.maps.size() > MaxOwnDataHeaders)
        std::abort();
    for (const OwnMapHeader& header : found.maps) {
        TileMap map;
        if (!ReadOwnMap(found, header, map).empty())
            continue;
        const int tiles = map.tiles.Count();
        if (map.width < 1 || map.height < 1 || map.width > MaxMapSide || map.height > MaxMapSide || tiles < 1 ||
            tiles > MaxTiles || map.cells.size() != static_cast<std::size_t>(map.width) * map.height)
            std::abort();
        for (const uint16_t cell : map.cells)
            if (cell >= tiles)
                std::abort();
    }
    return 0;
}
