#include "SourceMap.h"

#include <algorithm>

#include "DataReading.h"
#include "ShownText.h"

namespace {

std::string SizeText(int width, int height)
{
    return std::to_string(width) + " x " + std::to_string(height);
}

std::vector<uint64_t> ValuesOf(const CArrayScan& scan, const std::vector<std::size_t>& group)
{
    std::vector<uint64_t> values;
    for (const std::size_t index : group)
        for (std::size_t i = 0; i < ElementCount(scan.arrays[index]); ++i)
            values.push_back(ElementAt(scan.arrays[index], i));
    return values;
}

// The width the array's shape gives, else the one given; or the reason.
std::string TakeWidth(const CArray& first, const std::string& name, std::optional<int> width, TileMap& map)
{
    const bool twoDimensions = first.name != name; // its parts NAME[0], NAME[1]...
    if (first.rowLength != 0 && !twoDimensions)    // NAME[k] of NAME[rooms][rows][columns]
        map.width = static_cast<int>(first.rowLength);
    else if (twoDimensions && first.rowLength == 0)
        map.width = static_cast<int>(ElementCount(first));
    else if (twoDimensions)
        return QuotedSourceText(name) + " a trois dimensions : choisissez une de ses cartes, " +
               QuotedSourceText(name + "[0]") + " pour la première";
    else if (width)
        map.width = *width;
    else
        return QuotedSourceText(name) + " n'a qu'une dimension : donnez la largeur de la carte avec --map-width";
    return map.width >= 1 ? std::string() : QuotedSourceText(name) + " n'a aucune case";
}

} // namespace

std::string ReadTilesAt(const CArrayScan& scan, const DataSource& source, TileSet& tiles)
{
    const std::size_t count = FramesOf(scan, source);
    if (count > static_cast<std::size_t>(MaxTiles))
        return std::to_string(count) + " tuiles, au plus " + std::to_string(MaxTiles);
    tiles = TilesOfFrames(FramePointers(ReadDataFrames(scan, source, 0, count)));
    return {};
}

std::string ReadCellsOf(const CArrayScan& scan, const std::string& name, std::optional<int> width, TileMap& map)
{
    const std::vector<std::size_t> group = ArrayGroupNamed(scan, name);
    if (group.empty())
        return "pas de tableau " + QuotedSourceText(name) + " pour la carte";
    if (std::string why = TakeWidth(scan.arrays[group.front()], name, width, map); !why.empty())
        return why;
    const std::vector<uint64_t> values = ValuesOf(scan, group);
    if (values.empty() || values.size() % static_cast<std::size_t>(map.width) != 0)
        return QuotedSourceText(name) + " : " + std::to_string(values.size()) +
               " cases, pas un nombre entier de lignes de " + std::to_string(map.width);
    map.height = static_cast<int>(values.size() / static_cast<std::size_t>(map.width));
    if (map.width > MaxMapSide || map.height > MaxMapSide)
        return "carte de " + SizeText(map.width, map.height) + " cases, au plus 1024 x 1024";
    map.cells.clear();
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (values[i] >= static_cast<uint64_t>(map.tiles.Count()))
            return "la case " + CellText({static_cast<int>(i % map.width), static_cast<int>(i / map.width)}) +
                   " vaut " + std::to_string(values[i]) + ", au-delà de la dernière tuile (" +
                   std::to_string(map.tiles.Count() - 1) + ")";
        map.cells.push_back(static_cast<uint16_t>(values[i]));
    }
    return {};
}

std::string ReadOwnMap(const ArraySprites& found, const OwnMapHeader& header, TileMap& map)
{
    const std::string tilesName = header.TilesName();
    const auto tiles = std::find_if(found.candidates.begin(), found.candidates.end(), [&](const ArrayCandidate& c) {
        return c.layout == ArrayLayout::OwnText && c.id == tilesName;
    });
    if (tiles == found.candidates.end()) {
        const std::string prefix = tilesName + " : ";
        const auto refusal = std::find_if(found.refusals.begin(), found.refusals.end(),
                                          [&](const std::string& text) { return text.starts_with(prefix); });
        return "les tuiles " + QuotedSourceText(tilesName) + " de la carte " + QuotedSourceText(header.name) +
               " ne se lisent pas : " +
               (refusal != found.refusals.end() ? refusal->substr(prefix.size())
                                                : std::string("aucun commentaire de Pixora ne les décrit"));
    }
    if (std::string why = ReadTilesAt(found.scan, tiles->source, map.tiles); !why.empty())
        return why;
    return ReadCellsOf(found.scan, header.CellsName(), header.width, map);
}
